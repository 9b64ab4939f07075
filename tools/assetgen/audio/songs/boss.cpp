// boss.cpp — song 05, the boss of stages 1 and 2 (KX04STD.mid). B minor.
// A 2-bar alarm at 428 ms a beat (3.4 s: a tritone siren, orchestra hits,
// rising strings, snare roll) while the WARNING banner shows, then a 32-bar
// body at 160 bpm (48 s) between RepeatStart and RepeatEnd markers:
//   bars  2-9   A  staccato saw lead over a 16th-note bass
//   bars 10-17  B  the lead climbs, ride cymbal
//   bars 18-25  A' with brass harmony
//   bars 26-33  C  brass stabs and long high notes, fill into the loop
// Format 1, PPQ 480; one GS reverb macro message at tick 0.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"

namespace ag::audio {
namespace {

constexpr std::string_view kA =
    "B5:2. B5:2. F#5:2. B5:2. D6:4 C#6:4 | B5:2 A5:2 F#5:4 D5:4 F#5:4 | G5:4 B5:4 D6:4 G6:4 |"
    " F#6:4 E6:4 C#6:4 A5:4 | B5:2. B5:2. F#5:2. B5:2. D6:4 F#6:4 | E6:2 D6:2 C#6:4 B5:8 |"
    " D6:4 B5:4 G5:4 B5:4 | A#5:8 C#6:4 F#6:4";
constexpr std::string_view kAChords = "Bm Bm G A Bm Bm G F#";

constexpr std::string_view kB =
    "G5:6 F#5:2 E5:8 | A5:6 G#5:2 F#5:8 | B5:4 D6:4 G6:4 F#6:4 | E6:8 C#6:4 A5:4 |"
    " G6:6 F#6:2 E6:8 | A6:6 G#6:2 F#6:8 | D6:4 B5:4 G5:4 B5:4 | C#6:4 A#5:4 F#5:4 C#6:4";
constexpr std::string_view kBChords = "Em F#m G A Em F#m G F#";

constexpr std::string_view kC =
    "D6:16 | E6:16 | F#6:8 D6:8 | B5:16 | D6:16 | E6:8 C#6:8 | A#5:16 | C#6:8 F#6:8";
constexpr std::string_view kCChords = "G A Bm Bm G A F# F#";

const std::vector<DrumRow> kDrive = {{gm::Kick, "x..x..x.x..x..x."},
                                     {gm::Snare, "....x.......x..."},
                                     {gm::ClosedHat, "x.x.x.x.x.x.x.x."}};

}  // namespace

Song bossSong() {
  Song song("Korvanix - Boss", 480);
  song.tempo(0, 428000);
  song.tempo(song.bar(2), 375000);
  song.loopMarkers(2, 34, 6, "RepeatStart", "RepeatEnd");
  song.sysex(0, {0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x01, 0x30, 0x04, 0x0B, 0xF7});

  Part& lead = song.part("Lead", 0, gm::SawLead).mix(92, 64, 40, 20);
  Part& brass = song.part("Brass", 1, gm::SynthBrass1).mix(86, 84, 50);
  Part& siren = song.part("Siren", 2, gm::SquareLead).mix(84, 40, 50);
  Part& strings = song.part("Strings", 3, gm::Strings).mix(80, 88, 60);
  Part& hit = song.part("Hits", 4, gm::OrchestraHit).mix(86, 64, 60);
  Part& bass = song.part("Bass", 5, gm::SynthBass1).mix(100, 64, 10);
  Part& kit = song.part("Drums", gm::kDrumChannel, gm::PowerKit).mix(100, 64, 30);
  const auto bar = [&](int n) { return song.bar(n); };

  // Alarm: the siren alternates a tritone, hits punch every beat of bar 1.
  play(siren, 0, "r:2 B5:6 F5:8 | B5:8 F5:8", {.vel = 100, .gate = 0.96});
  play(hit, bar(1), "B3+F4+B4:4 B3+F4+B4:4 B3+F4+B4:4 B3+F4+B4:4!", {.vel = 96});
  play(strings, bar(1),
       "F#4:1 G4:1 G#4:1 A4:1 A#4:1 B4:1 C5:1 C#5:1 D5:1 D#5:1 E5:1 F5:1 F#5:1 G5:1 G#5:1 A5:1",
       {.vel = 84});
  strings.swell(bar(1), bar(2) - song.beat(1), 60, 110);
  drums(kit, 0, 1, {{gm::Crash, "..X............."}, {gm::Kick, "..x.....x......."}});
  drums(kit, bar(1), 1, {{gm::Snare, "oooooooooooooooooooxxxxxxxxXXXXX", 32}});

  for (int at : {2, 18}) {
    const auto chords = progression(song, bar(at), kAChords);
    play(lead, bar(at), kA, {.vel = 100});
    if (at == 18) harmony(brass, chords, bar(at), kA, {.vel = 84});
    pad(strings, chords, 54, 60);
    bassline(bass, chords, 35, "R.RRR.RRR.RRO.RF", 100);
    drums(kit, bar(at), 8, kDrive);
    drums(kit, bar(at), 1, {{gm::Crash, "X..............."}});
    drums(kit, bar(at + 7), 1, {{gm::Snare, "........x.x.xxXX"}});
  }

  const auto b = progression(song, bar(10), kBChords);
  play(lead, bar(10), kB, {.vel = 104});
  arpeggio(brass, b, 54, "x..x..x.....x...", 86);
  pad(strings, b, 54, 68);
  bassline(bass, b, 35, "R.RRR.RRR.RRO.RF", 100);
  drums(kit, bar(10), 8,
        {{gm::Kick, "x..x..x.x..x..x."},
         {gm::Snare, "....x.......x..."},
         {gm::Ride, "x.x.x.x.x.x.x.x."}});
  drums(kit, bar(10), 1, {{gm::Crash, "X..............."}});

  const auto c = progression(song, bar(26), kCChords);
  play(lead, bar(26), kC, {.vel = 96, .gate = 0.97});
  arpeggio(brass, c, 54, "x..x..x...x.x...", 92);
  arpeggio(strings, c, 66, "0121012101210121", 62);
  bassline(bass, c, 35, "R.RRR.RRR.RRO.RF", 100);
  for (int n = 0; n < 8; n += 2)
    play(hit, bar(26 + n), "B3+F#4+B4:4 r:12",
         {.vel = 90, .transpose = c[static_cast<std::size_t>(n)].chord.root - 11});
  drums(kit, bar(26), 8, kDrive);
  drums(kit, bar(33), 1, {{gm::Snare, "x.x.x.x.xxxxXXXX"}, {gm::FloorTom, "x...x...x...x..."}});
  return song;
}

}  // namespace ag::audio
