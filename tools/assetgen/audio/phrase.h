// phrase.h — melodies written as text, one token per note:
//   "D5:6 E5:2 F5:4 A5:4 | G5:6 F5:2 D5:8"
//   pitch  letter, optional # or b, octave (C4 = middle C = key 60);
//          several joined with + sound together ("D4+F4+A4:8")
//   :n     length in 16th notes; without it the previous length is kept
//   r      a rest;  -  holds the previous note(s) longer
//   |      bar line: checked, throws if the bar before it is not full
//   suffix !  accent   ?  ghost (soft)   .  staccato   _  legato (no gap)
// Notes sound for 90 % of their length unless the style says otherwise.
#pragma once

#include <cstdint>
#include <string_view>

#include "audio/score.h"

namespace ag::audio {

struct PhraseStyle {
  int vel = 96;
  double gate = 0.9;
  int transpose = 0;  // semitones
};

// Plays `phrase` on `part` from `tick`; returns the tick where it ends.
std::uint32_t play(Part& part, std::uint32_t tick, std::string_view phrase,
                   const PhraseStyle& style = {});

// Key number of a pitch name such as "C#4" or "Bb2"; throws on a bad name.
int keyOf(std::string_view name);

}  // namespace ag::audio
