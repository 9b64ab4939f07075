// stage1.cpp — song 02, stage 1 (KX01STD.mid): setting out through open
// space. E minor, 150 bpm, a 2-bar intro then a 40-bar body (64 s) between
// RepeatStart and RepeatEnd markers:
//   bars  0-1   intro: bass pedal and hats, snare build, guitar hits
//   bars  2-9   A  square lead, driving 8th-note bass, guitar stabs
//   bars 10-17  A' with brass harmony and glockenspiel
//   bars 18-25  B  rising to the dominant B major
//   bars 26-33  C  half-time breakdown, long notes over pads
//   bars 34-41  A" full, with a fill into the loop
// Format 1, PPQ 480. CC7 only at the start: the stage's end fades this song.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"

namespace ag::audio {
namespace {

constexpr std::string_view kA =
    "E5:3 G5:3 B5:2 A5:4 G5:2 F#5:2 | E5:6 B4:2 E5:4 G5:4 | A5:3 G5:3 E5:2 C5:4 E5:4 |"
    " F#5:8 A5:4 D5:4 | E5:3 G5:3 B5:2 A5:4 G5:2 F#5:2 | G5:6 A5:2 B5:4 D6:4 |"
    " E6:3 D6:3 B5:2 C6:4 G5:4 | A5:8 F#5:4 D5:4";
constexpr std::string_view kAChords = "Em Em C D Em Em C D";
constexpr std::string_view kAPower = "Ep Ep Cp Dp Ep Ep Cp Dp";

constexpr std::string_view kB =
    "C6:4 B5:2 A5:2 E5:8 | G5:4 A5:2 B5:2 C6:4 E6:4 | D6:6 B5:2 G5:4 D5:4 | F#5:4 A5:4 D6:8 |"
    " C6:4 B5:2 A5:2 E5:4 A5:4 | G5:4 E5:4 C6:4 E6:4 | D#6:8 B5:4 F#5:4 | D#6:4 F#6:4 B6:4 r:4";
constexpr std::string_view kBChords = "Am C G D Am C B B";
constexpr std::string_view kBPower = "Ap Cp Gp Dp Ap Cp Bp Bp";

constexpr std::string_view kC =
    "G5:12 E5:4 | F#5:12 A5:4 | B5:8 F#5:8 | G5:8 E5:8 | E6:12 D6:4 | F#6:8 D6:4 A5:4 |"
    " D#6:8 F#6:8 | B5:8 r:8";
constexpr std::string_view kCChords = "C D Bm Em C D B B";

const std::vector<DrumRow> kGroove = {{gm::Kick, "x..x..x...x..x.."},
                                      {gm::Snare, "....x.......x..."},
                                      {gm::ClosedHat, "x.x.x.x.x.x.x.x."}};

}  // namespace

Song stage1Song() {
  Song song("Korvanix - Stage 1", 480);
  song.tempo(0, 400000);
  song.loopMarkers(2, 42, 6, "RepeatStart", "RepeatEnd");

  Part& lead = song.part("Lead", 0, gm::SquareLead).mix(90, 64, 40, 10);
  Part& brass = song.part("Brass", 1, gm::SynthBrass1).mix(80, 86, 50);
  Part& gtr = song.part("Guitar", 2, gm::OverdriveGuitar).mix(82, 42, 30);
  Part& strings = song.part("Pad", 3, gm::SynthStrings).mix(80, 72, 60, 20, 90);
  Part& glock = song.part("Glockenspiel", 4, gm::Glockenspiel).mix(70, 30, 60);
  Part& bass = song.part("Bass", 5, gm::PickBass).mix(100, 64, 10);
  Part& kit = song.part("Drums", gm::kDrumChannel, gm::StandardKit).mix(100, 64, 30);
  const auto bar = [&](int n) { return song.bar(n); };

  // Intro: bass pedal from the second eighth, swelling; snare build.
  const auto intro = progression(song, song.beat(1) / 2, "Em:30");
  bassline(bass, intro, 28, "R-R-R-R-R-R-R-R-", 96);
  bass.swell(song.beat(1) / 2, bar(2) - song.beat(1), 60, 110);
  drums(kit, 0, 1, {{gm::ClosedHat, "....x.x.x.x.x.x."}});
  drums(kit, bar(1), 1,
        {{gm::ClosedHat, "x.x.x.x.x.x.x.x."},
         {gm::Snare, "o.o.o.o.x.x.xxXX"},
         {gm::Kick, "x.......x......."}});
  play(gtr, bar(1), "E3+B3+E4:2 r:6 E3+B3+E4:2 r:2 D3+A3+D4:2 D3+A3+D4:2", {.vel = 100});

  // A and A': the same tune, the second time with harmony and sparkle.
  for (int at : {2, 10, 34}) {
    const auto chords = progression(song, bar(at), kAChords);
    play(lead, bar(at), kA, {.vel = 100});
    if (at != 2) {
      harmony(brass, chords, bar(at), kA, {.vel = 80});
      arpeggio(glock, chords, 76, "0...1...2...1...", 64);
    }
    arpeggio(gtr, progression(song, bar(at), kAPower), 40, "x-.x-.x-.x-.x-x-", 92);
    pad(strings, chords, 52, 64);
    bassline(bass, chords, 28, "R-R-R-R-R-R-O-R-", 100);
    drums(kit, bar(at), 8, kGroove);
    drums(kit, bar(at), 1, {{gm::Crash, "X..............."}});
    drums(kit, bar(at + 7), 1,
          {{gm::Snare, "............xxXX"}, {gm::OpenHat, "..........x....."}});
  }

  // B: climbs to the dominant.
  const auto b = progression(song, bar(18), kBChords);
  play(lead, bar(18), kB, {.vel = 104});
  harmony(brass, b, bar(18), kB, {.vel = 84});
  arpeggio(gtr, progression(song, bar(18), kBPower), 40, "x-.x-.x-x-.x-.x-", 94);
  pad(strings, b, 52, 70);
  bassline(bass, b, 28, "R-R-O-R-R-R-O-F-", 102);
  drums(kit, bar(18), 8,
        {{gm::Kick, "x..x..x.x..x..x."},
         {gm::Snare, "....x.......x..."},
         {gm::Ride, "x.x.x.x.x.x.x.x."}});
  drums(kit, bar(18), 1, {{gm::Crash, "X..............."}});
  drums(kit, bar(25), 1, {{gm::Snare, "........x.x.xxXX"}, {gm::Crash, "..............x."}});

  // C: half-time breakdown.
  const auto c = progression(song, bar(26), kCChords);
  play(lead, bar(26), kC, {.vel = 92, .gate = 0.96});
  pad(strings, c, 55, 78);
  strings.swell(bar(26), bar(30), 70, 110);
  arpeggio(glock, c, 76, "0.1.2.3.4.3.2.1.", 58);
  bassline(bass, c, 28, "R-------R---F---", 96);
  drums(kit, bar(26), 7,
        {{gm::Kick, "x.........x....."},
         {gm::Snare, "........x......."},
         {gm::Ride, "x.x.x.x.x.x.x.x."}});
  drums(kit, bar(33), 1, {{gm::Snare, "x.x.x.x.xxxxXXXX"}, {gm::Kick, "x...x...x...x..."}});
  return song;
}

}  // namespace ag::audio
