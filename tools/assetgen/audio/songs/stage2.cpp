// stage2.cpp — song 03, stage 2 (KX02STD.mid): the asteroid belt, after the
// first boss falls. A 2-bar victory fanfare in C at 100 bpm (4.8 s, played
// once), then a syncopated G minor body at 140 bpm, 40 bars (68.5 s), looped
// between the cue points "repeat" and "end":
//   bars  0-1   fanfare: trumpets, brass chords, timpani, snare roll
//   bars  2-9   A  saw lead over a 16th-note synth bass
//   bars 10-17  B  through C minor to the dominant
//   bars 18-25  A' with harmony
//   bars 26-33  C  breakdown: arpeggios and pads, no lead
//   bars 34-41  A" full
// Format 1, PPQ 192, running status.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"

namespace ag::audio {
namespace {

constexpr std::string_view kA =
    "G5:2 Bb5:2 D6:4 C6:2 Bb5:2 A5:4 | Bb5:6 G5:2 Eb5:8 | F5:2 A5:2 C6:4 Bb5:2 A5:2 F5:4 |"
    " G5:12 r:4 | G5:2 Bb5:2 D6:4 C6:2 Bb5:2 D6:4 | Eb6:6 D6:2 Bb5:8 | C6:4 A5:4 F5:4 A5:4 |"
    " F#5:8 A5:4 D6:4";
constexpr std::string_view kAChords = "Gm Eb F Gm Gm Eb F D";

constexpr std::string_view kB =
    "Eb6:4 D6:4 C6:8 | Bb5:4 A5:4 G5:8 | G5:4 Bb5:4 Eb6:4 D6:4 | C6:12 A5:4 |"
    " Eb6:4 D6:4 C6:4 G5:4 | D6:4 Bb5:4 G5:8 | C6:4 Eb6:4 A5:8 | F#5:4 A5:4 C6:4 D6:4";
constexpr std::string_view kBChords = "Cm Gm Eb F Cm Gm Am7b5 D7";

constexpr std::string_view kCChords = "Eb F Gm Gm Eb F D D";

const std::vector<DrumRow> kGroove = {{gm::Kick, "x..x..x...x..x.."},
                                      {gm::Clap, "....x.......x..."},
                                      {gm::ClosedHat, "xoxoxoxoxoxoxoxo"}};

}  // namespace

Song stage2Song() {
  Song song("Korvanix - Stage 2", 192);
  song.runningStatus = true;
  song.tempo(0, 600000);
  song.tempo(song.bar(2), 428000);
  song.loopMarkers(2, 42, 7, "repeat", "end");

  Part& lead = song.part("Lead", 0, gm::SawLead).mix(92, 64, 50, 30);
  Part& brass = song.part("Brass", 1, gm::Brass).mix(86, 84, 60);
  Part& keys = song.part("Keys", 2, gm::EPiano).mix(76, 40, 50, 30);
  Part& strings = song.part("Strings", 3, gm::SlowStrings).mix(80, 88, 70, 0, 96);
  Part& arp = song.part("Arp", 4, gm::PolySynthPad).mix(72, 30, 60, 40);
  Part& bass = song.part("Bass", 5, gm::SynthBass1).mix(100, 64, 10);
  Part& trumpet = song.part("Trumpet", 6, gm::Trumpet).mix(96, 56, 60);
  Part& timp = song.part("Timpani", 7, gm::Timpani).mix(90, 64, 60);
  Part& kit = song.part("Drums", gm::kDrumChannel, gm::StandardKit).mix(100, 64, 30);
  const auto bar = [&](int n) { return song.bar(n); };

  // Fanfare (C major, bVI-bVII-I), played once.
  const std::uint32_t eighth = song.beat(1) / 2;
  play(trumpet, 0, "r:2 G4:2 C5:2 E5:2 G5:6 E5:2 | Ab5:4 Bb5:4 C6:8", {.vel = 108});
  pad(brass, progression(song, eighth, "C:14 Ab:4 Bb:4 C:8"), 55, 92);
  play(timp, 0, "r:2 C3:2 C3:2 C3:2 G2:8 | Ab2:4 Bb2:4 C3:4 r:4", {.vel = 100});
  drums(kit, eighth, 1, {{gm::Crash, "X..............."}});
  drums(kit, bar(1), 1, {{gm::Snare, "................oooooooxxxxxXXXX", 32}});

  for (int at : {2, 18, 34}) {
    const auto chords = progression(song, bar(at), kAChords);
    play(lead, bar(at), kA, {.vel = 100});
    if (at != 2) harmony(brass, chords, bar(at), kA, {.vel = 78});
    arpeggio(keys, chords, 55, ".x..x..x.x..x..x", 70);
    pad(strings, chords, 55, 62);
    bassline(bass, chords, 31, "R-.R..R.R-.R.OF.", 100);
    drums(kit, bar(at), 8, kGroove);
    drums(kit, bar(at), 1, {{gm::Crash, "X..............."}});
    drums(kit, bar(at + 7), 1, {{gm::Snare, "..........x.xxXX"}});
  }

  const auto b = progression(song, bar(10), kBChords);
  play(lead, bar(10), kB, {.vel = 102});
  harmony(brass, b, bar(10), kB, {.vel = 80});
  arpeggio(keys, b, 55, "x..x..x...x..x..", 72);
  pad(strings, b, 55, 70);
  bassline(bass, b, 31, "R-.R..R.R-.R.OF.", 100);
  drums(kit, bar(10), 8,
        {{gm::Kick, "x..x..x...x..x.."},
         {gm::Snare, "....x.......x..."},
         {gm::Ride, "x.x.x.x.x.x.x.x."}});
  drums(kit, bar(10), 1, {{gm::Crash, "X..............."}});

  // Breakdown: the arpeggio carries it, the strings swell into A'.
  const auto c = progression(song, bar(26), kCChords);
  arpeggio(arp, c, 60, "0121312101213121", 84);
  pad(strings, c, 55, 80);
  strings.swell(bar(30), bar(34) - song.beat(1), 60, 110);
  bassline(bass, c, 31, "R-------R-----F-", 96);
  drums(kit, bar(26), 7,
        {{gm::Kick, "x.........x....."},
         {gm::SideStick, "........x......."},
         {gm::ClosedHat, "..x...x...x...x."}});
  drums(kit, bar(33), 1, {{gm::Snare, "oooooooooooooooooooooxxxxxxXXXXX", 32}});
  return song;
}

}  // namespace ag::audio
