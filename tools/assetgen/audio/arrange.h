// arrange.h — accompaniment from chord progressions and step patterns.
// A progression is text: "Dm:16 Bb:16 F:8 C/E:8" (chord symbol, length in
// 16th notes, default one bar). Symbols: root (A-G, # or b) and one of
//   (none) m 7 maj7 m7 m7b5 dim aug sus2 sus4 add9 m9 6 m6 p (power: root+5th)
// with an optional /bass. Patterns are strings of 16th-note steps cycled from
// the progression's start; '-' holds the previous step, '.' rests, and a
// '!' after a step accents it:
//   arpeggio  0-9 = chord tone index upwards from the voicing, x = whole chord
//   bass      R root (or slash bass)  O octave up  F fifth  f fifth below
//             T third  S seventh
// Drum rows (also usable for rolls on a melodic part such as timpani, the
// key being the pitch) are grids over a bar: X accent, x hit, o ghost, . rest; `div`
// steps per bar (16 = 16ths, 12 = 8th-note triplets, 32 = 32nds).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "audio/phrase.h"
#include "audio/score.h"

namespace ag::audio {

struct Chord {
  int root = 0, bass = 0;  // pitch classes
  std::vector<int> tones;  // pitch classes in stacking order, root first
};

struct ChordSpan {
  Chord chord;
  std::uint32_t tick, len;
};

Chord chordOf(std::string_view symbol);
std::vector<ChordSpan> progression(const Song& song, std::uint32_t tick, std::string_view text);
std::uint32_t endOf(const std::vector<ChordSpan>& prog);

// Sustained chords voice-led from the previous one, bottom note in
// [low, low + 12).
void pad(Part& part, const std::vector<ChordSpan>& prog, int low, int vel);
void arpeggio(Part& part, const std::vector<ChordSpan>& prog, int low, std::string_view pattern,
              int vel);
void bassline(Part& part, const std::vector<ChordSpan>& prog, int low, std::string_view pattern,
              int vel);

// Plays `phrase` a harmony below itself: each note's highest tone of the
// chord sounding at that time, a minor third to a major sixth down.
void harmony(Part& part, const std::vector<ChordSpan>& prog, std::uint32_t tick,
             std::string_view phrase, const PhraseStyle& style = {});

struct DrumRow {
  int key;
  std::string_view grid;
  int div = 16;
};
void drums(Part& part, std::uint32_t tick, int bars, const std::vector<DrumRow>& rows);

}  // namespace ag::audio
