// final_boss.cpp — song 06, the stage 3 boss and its three forms
// (KX05STD.mid). D minor, the key of the title: the fight ends up playing the
// Korvanix theme against the enemy. A 2-bar organ alarm at 437 ms a beat
// (3.5 s), then a 40-bar body (72 s) between RepeatStart and RepeatEnd with
// tempo changes inside it (the tempo at RepeatStart is stated there):
//   bars  2-17  A  160 bpm: the boss theme, then again an octave up
//   bars 18-25  B  half time, 80 bpm: the theme's climb on choir and brass
//   bars 26-33  A' 160 bpm: the theme's call on the lead, driving
//   bars 34-41  C  160 bpm: a rising line and a fill into the loop
// Format 1, PPQ 480.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"
#include "audio/themes.h"

namespace ag::audio {
namespace {

constexpr std::string_view kBoss =
    "D5:2 D5:2 A5:4 G5:2 F5:2 E5:4 | D5:2 F5:2 A5:4 D6:8 | Bb5:4 A5:4 G5:4 F5:4 |"
    " E5:4 G5:4 C6:8 | D6:2 D6:2 A5:4 C6:2 Bb5:2 A5:4 | F5:4 E5:4 D5:8 | G5:4 Bb5:4 D6:4 G5:4 |"
    " A5:4 C#6:4 E6:8";
constexpr std::string_view kBossChords = "Dm Dm Bb C Dm Dm Gm A";

constexpr std::string_view kRise =
    "F5:4 G5:4 A5:4 Bb5:4 | C6:4 D6:4 E6:4 G6:4 | F6:8 E6:4 D6:4 | A5:16 |"
    " Bb5:4 C6:4 D6:4 F6:4 | G6:8 E6:4 C6:4 | E6:8 C#6:8 | A6:8 r:8";
constexpr std::string_view kRiseChords = "Bb C Dm Dm Bb C A A";

const std::vector<DrumRow> kDrive = {{gm::Kick, "x.xx..x.x.xx..x."},
                                     {gm::Snare, "....x.......x..."},
                                     {gm::ClosedHat, "xoxoxoxoxoxoxoxo"}};

}  // namespace

Song finalBossSong() {
  Song song("Korvanix - Final Boss", 480);
  song.tempo(0, 437000);
  song.tempo(song.bar(2), 375000);
  song.tempo(song.bar(18), 750000);
  song.tempo(song.bar(26), 375000);
  song.loopMarkers(2, 42, 6, "RepeatStart", "RepeatEnd");

  Part& lead = song.part("Lead", 0, gm::SawLead).mix(92, 64, 40, 20);
  Part& brass = song.part("Brass", 1, gm::Brass).mix(88, 84, 60);
  Part& organ = song.part("Organ", 2, gm::Organ).mix(80, 44, 70);
  Part& choir = song.part("Choir", 3, gm::Choir).mix(86, 70, 80);
  Part& gtr = song.part("Guitar", 4, gm::DistortionGuitar).mix(80, 36, 20);
  Part& bass = song.part("Bass", 5, gm::SynthBass2).mix(100, 64, 10);
  Part& timp = song.part("Timpani", 6, gm::Timpani).mix(96, 64, 60);
  Part& kit = song.part("Drums", gm::kDrumChannel, gm::PowerKit).mix(100, 64, 30);
  const auto bar = [&](int n) { return song.bar(n); };

  // Alarm: organ and choir alternate a tritone over a timpani roll.
  play(organ, 0, "r:2 D4+G#4+D5:6 C#4+G4+C#5:8 | D4+G#4+D5:8 C#4+G4+C#5:8", {.vel = 96});
  play(choir, 0, "r:2 D5+G#5:14 | D5+G#5:8 A5+C#6:8", {.vel = 84, .gate = 1.0});
  drums(timp, 0, 2,
        {{50,
          "....ooooooooooooooooooooooooxxxx"
          "xxxxxxxxxxxxxxxxxxxXXXXXXXXXXXXX",
          32}});
  drums(kit, bar(1), 1, {{gm::Snare, "................oooooooxxxxxXXXX", 32}});

  // A: the boss theme, twice, the second time an octave up with harmony.
  for (int half = 0; half < 2; ++half) {
    const int at = 2 + 8 * half;
    const auto chords = progression(song, bar(at), kBossChords);
    play(lead, bar(at), kBoss, {.vel = 100, .transpose = 12 * half});
    if (half) harmony(brass, chords, bar(at), kBoss, {.vel = 86, .transpose = 12});
    arpeggio(gtr, progression(song, bar(at), "Dp Dp Bbp Cp Dp Dp Gp Ap"), 38, "x.xx..x.x.xx..x.",
             88);
    pad(organ, chords, 50, 70);
    bassline(bass, chords, 26, "R.RR..R.R.RR..RO", 100);
    drums(kit, bar(at), 8, kDrive);
    drums(kit, bar(at), 1, {{gm::Crash, "X..............."}});
  }
  drums(kit, bar(17), 1, {{gm::Snare, "x.x.x.x.xxxxXXXX"}});

  // B: half time, the climb of the theme, grand and slow.
  const auto climb = progression(song, bar(18), theme::kClimbChords);
  play(choir, bar(18), theme::kClimb, {.vel = 96, .transpose = -12});
  play(brass, bar(18), theme::kClimb, {.vel = 88, .transpose = -12});
  pad(organ, climb, 50, 74);
  bassline(bass, climb, 26, "R-------F-------", 100);
  drums(timp, bar(18), 8, {{45, "x...............x.......x.......", 32}});
  drums(kit, bar(18), 8,
        {{gm::Kick, "x.......x......."},
         {gm::Snare, "........x......."},
         {gm::Ride, "x...x...x...x..."}});
  drums(kit, bar(18), 1, {{gm::Crash, "X..............."}});
  drums(kit, bar(25), 1, {{gm::Snare, "........xxxxxxxxXXXXXXXXXXXXXXXX", 32}});

  // A': the call of the theme against the boss's riff.
  const auto call = progression(song, bar(26), theme::kCallChords);
  play(lead, bar(26), theme::kCall, {.vel = 104, .transpose = 12});
  harmony(brass, call, bar(26), theme::kCall, {.vel = 84, .transpose = 12});
  arpeggio(gtr, progression(song, bar(26), "Dp Bbp Fp Cp Dp Bbp Cp Ap"), 38, "x.xx..x.x.xx..x.",
           90);
  pad(choir, call, 55, 70);
  bassline(bass, call, 26, "R.RR..R.R.RR..RO", 100);
  drums(kit, bar(26), 8, kDrive);
  drums(kit, bar(26), 1, {{gm::Crash, "X..............."}});

  // C: rising line, then the fill back to the top of the loop.
  const auto rise = progression(song, bar(34), kRiseChords);
  play(lead, bar(34), kRise, {.vel = 104});
  harmony(brass, rise, bar(34), kRise, {.vel = 86});
  pad(organ, rise, 50, 72);
  pad(choir, rise, 55, 66);
  bassline(bass, rise, 26, "R-R-R-R-R-R-O-R-", 104);
  drums(kit, bar(34), 7, kDrive);
  drums(kit, bar(34), 1, {{gm::Crash, "X..............."}});
  drums(kit, bar(41), 1,
        {{gm::Snare, "x.x.x.x.xxxxXXXX"},
         {gm::HighTom, "x.......x......."},
         {gm::FloorTom, "....x.......x..."}});
  return song;
}

}  // namespace ag::audio
