// stage3.cpp — song 04, stage 3 (KX03STD.mid): the fortress. C minor with a
// Phrygian flat second. The intro is one slow bar at 100 bpm (choir, low
// strings, timpani roll) and one bar of toms at 150 bpm (4.0 s); the body,
// 40 bars at 150 bpm (64 s), loops between lower-case "repeatstart" and
// "repeatend" markers, so the jump back must keep the later tempo:
//   bars  2-9   A  brass lead over chugging guitar and a string ostinato
//   bars 10-17  B  up through F minor
//   bars 18-25  C  choir and strings, the lead rests
//   bars 26-33  A' with harmony;  bars 34-41  B' with harmony
// Format 0 (everything on one track), PPQ 96.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"

namespace ag::audio {
namespace {

constexpr std::string_view kA =
    "C5:6 D5:2 Eb5:4 G5:4 | F5:4 Eb5:4 D5:4 G4:4 | Ab4:6 C5:2 Eb5:4 Ab5:4 | G5:8 F5:4 D5:4 |"
    " C5:6 D5:2 Eb5:4 G5:4 | C6:8 B5:4 G5:4 | Ab5:4 F5:4 Db5:4 F5:4 | B4:8 D5:4 G5:4";
constexpr std::string_view kAChords = "Cm Cm Ab Bb Cm Cm Db G";
constexpr std::string_view kAPower = "Cp Cp Abp Bbp Cp Cp Dbp Gp";

constexpr std::string_view kB =
    "Ab5:6 G5:2 F5:8 | Eb5:6 D5:2 C5:8 | C6:6 Bb5:2 Ab5:4 Eb5:4 | G5:8 F5:4 D5:4 |"
    " Ab5:4 C6:4 F6:8 | Eb6:4 D6:4 C6:4 G5:4 | F6:4 Eb6:4 Db6:4 Ab5:4 | B5:8 D6:4 G6:4";
constexpr std::string_view kBChords = "Fm Cm Ab G Fm Cm Db G";
constexpr std::string_view kBPower = "Fp Cp Abp Gp Fp Cp Dbp Gp";

constexpr std::string_view kCChords = "Ab Bb Cm Cm Ab Bb G G";

const std::vector<DrumRow> kMarch = {{gm::Kick, "x.x...x.x.x...x."},
                                     {gm::Snare, "....x.......x..."},
                                     {gm::ClosedHat, "x.x.x.x.x.x.x.x."}};

}  // namespace

Song stage3Song() {
  Song song("Korvanix - Stage 3", 96, 0);
  song.tempo(0, 600000);
  song.tempo(song.bar(1), 400000);
  song.loopMarkers(2, 42, 6, "repeatstart", "repeatend");

  Part& lead = song.part("Lead", 0, gm::SynthBrass1).mix(94, 64, 50, 20);
  Part& horns = song.part("Horns", 1, gm::FrenchHorn).mix(84, 84, 60);
  Part& gtr = song.part("Guitar", 2, gm::DistortionGuitar).mix(80, 40, 20);
  Part& ostinato = song.part("Ostinato", 3, gm::Strings).mix(78, 88, 50);
  Part& choir = song.part("Choir", 4, gm::Choir).mix(82, 56, 80, 0, 90);
  Part& bass = song.part("Bass", 5, gm::SynthBass2).mix(100, 64, 10);
  Part& timp = song.part("Timpani", 6, gm::Timpani).mix(96, 64, 60);
  Part& hit = song.part("Hits", 7, gm::OrchestraHit).mix(84, 64, 60);
  Part& kit = song.part("Drums", gm::kDrumChannel, gm::PowerKit).mix(100, 64, 30);
  const auto bar = [&](int n) { return song.bar(n); };

  // Intro: a dark chord swelling over a timpani roll, then a tom run.
  play(choir, 0, "r:2 C4+Eb4+G4:14", {.vel = 90, .gate = 1.0});
  choir.swell(song.beat(1) / 2, bar(1) - song.beat(1), 50, 110);
  play(ostinato, 0, "r:2 C3+G3:14", {.vel = 80});
  drums(timp, 0, 1, {{48, "....oooooooooooooooooooxxxxxxxxX", 32}});
  play(hit, bar(1), "C4+G4+C5:4 r:12", {.vel = 110});
  drums(kit, bar(1), 1,
        {{gm::HighTom, "x.x.....x.x....."},
         {gm::MidTom, "....x.x.....x.x."},
         {gm::FloorTom, "..............XX"},
         {gm::Crash, "X..............."}});

  auto section = [&](int at, std::string_view tune, std::string_view chordText,
                     std::string_view power, bool harmonised) {
    const auto chords = progression(song, bar(at), chordText);
    play(lead, bar(at), tune, {.vel = 102});
    if (harmonised) harmony(horns, chords, bar(at), tune, {.vel = 84});
    arpeggio(gtr, progression(song, bar(at), power), 36, "x.xx.xx.x.xx.x.x", 88);
    arpeggio(ostinato, chords, 60, "0121012101210121", 66);
    bassline(bass, chords, 24, "R.RR.RR.R.RR.R.R", 100);
    drums(kit, bar(at), 8, kMarch);
    drums(kit, bar(at), 1, {{gm::Crash, "X..............."}});
    drums(kit, bar(at + 7), 1, {{gm::Snare, "........x.x.xxXX"}});
    play(hit, bar(at), "C4+G4+C5:4 r:12", {.vel = 100, .transpose = chords[0].chord.root});
  };
  section(2, kA, kAChords, kAPower, false);
  section(10, kB, kBChords, kBPower, false);
  section(26, kA, kAChords, kAPower, true);
  section(34, kB, kBChords, kBPower, true);

  // C: the lead rests; choir and horns hold the line over timpani.
  const auto c = progression(song, bar(18), kCChords);
  pad(choir, c, 55, 84);
  play(horns, bar(18),
       "Eb5:16 | F5:16 | G5:8 Eb5:8 | C5:16 | Eb5:8 Ab5:8 | F5:8 Bb5:8 | B5:8 D6:8 | G5:12 r:4",
       {.vel = 92, .gate = 0.98});
  arpeggio(ostinato, c, 60, "0.1.2.1.0.1.2.1.", 60);
  bassline(bass, c, 24, "R-------R-------", 96);
  drums(timp, bar(18), 8, {{43, "x.......x.......x.......x.......", 32}});
  drums(kit, bar(18), 7, {{gm::Kick, "x.......x......."}, {gm::Ride, "x...x...x...x..."}});
  drums(kit, bar(25), 1, {{gm::Snare, "x.x.x.x.xxxxXXXX"}, {gm::FloorTom, "x...x...x...x..."}});
  return song;
}

}  // namespace ag::audio
