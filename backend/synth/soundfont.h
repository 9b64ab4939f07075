// soundfont.h — where the music synthesiser's General MIDI soundfont comes
// from.
#pragma once

#include <string>

namespace plat::synth {

// The first of a few well-known GM soundfont names in /usr/share/sounds/sf2,
// /usr/share/sounds/sf3 and /usr/share/soundfonts, else the first .sf2/.sf3
// file there in name order; empty when there is none.
std::string FindSoundfont();

}  // namespace plat::synth
