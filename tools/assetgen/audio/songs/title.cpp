// title.cpp — song 01, title and attract (KX00STD.mid).
// D minor, 120 bpm, 24 bars = 48 s, looped as a whole (no repeat markers; a
// "Loop" marker on the final bar line makes the restart exact):
//   bars  0-3   intro: pad swell, celesta arpeggio, bass pedal
//   bars  4-11  the call on a saw lead, groove enters
//   bars 12-19  the climb, brass harmony, full drums
//   bars 20-23  calm close that falls back into the intro
// Format 1, PPQ 480, running status, copyright and text events.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"
#include "audio/themes.h"

namespace ag::audio {

Song titleSong() {
  Song song("Korvanix - Title", 480);
  song.copyright = "(c) the Korvanix team";
  song.comment = "Title and attract theme, loops as a whole";
  song.runningStatus = true;
  song.tempo(0, 500000);
  song.loopWhole(24);

  Part& lead = song.part("Lead", 0, gm::SawLead).mix(96, 64, 50, 20);
  Part& brass = song.part("Brass", 1, gm::Brass).mix(86, 84, 50);
  Part& warm = song.part("Pad", 2, gm::WarmPad).mix(88, 48, 70, 30, 100);
  Part& strings = song.part("Strings", 3, gm::Strings).mix(84, 80, 60);
  Part& celesta = song.part("Celesta", 4, gm::Celesta).mix(80, 36, 70);
  Part& bass = song.part("Bass", 5, gm::SynthBass1).mix(100, 64, 20);
  Part& kit = song.part("Drums", gm::kDrumChannel, gm::StandardKit).mix(100, 64, 40);
  const std::uint32_t eighth = song.beat(1) / 2;

  // Intro: everything enters an eighth late, after the player's GM reset.
  const auto intro = progression(song, eighth, "Dm:14 Bb F C");
  pad(warm, intro, 57, 72);
  warm.swell(eighth, song.bar(4) - eighth, 50, 100);
  arpeggio(celesta, intro, 62, "0-1-2-3-4-3-2-1-", 64);
  bassline(bass, intro, 38, "R-------R-----F-", 80);
  drums(kit, song.bar(2), 2, {{gm::Ride, "o.o.o.o.o.o.o.o."}, {gm::Kick, "x.......x......."}});
  drums(kit, song.bar(3), 1, {{gm::Snare, "........o.o.xxXX"}});

  // The call.
  const auto call = progression(song, song.bar(4), theme::kCallChords);
  play(lead, song.bar(4), theme::kCall, {.vel = 100});
  pad(warm, call, 57, 64);
  pad(strings, call, 50, 66);
  arpeggio(celesta, call, 62, "0.1.2.1.3.2.1.2.", 50);
  bassline(bass, call, 38, "R--R--R-O--R--F-", 100);
  drums(kit, song.bar(4), 8,
        {{gm::Kick, "x..x..x.x..x..x."},
         {gm::Snare, "....x.......x..."},
         {gm::ClosedHat, "x.x.x.x.x.x.x.x."}});
  drums(kit, song.bar(4), 1, {{gm::Crash, "X..............."}});
  drums(kit, song.bar(11), 1,
        {{gm::HighTom, "........x.x....."}, {gm::LowTom, "............x.x."}});

  // The climb.
  const auto climb = progression(song, song.bar(12), theme::kClimbChords);
  play(lead, song.bar(12), theme::kClimb, {.vel = 106});
  harmony(brass, climb, song.bar(12), theme::kClimb, {.vel = 86});
  pad(warm, climb, 55, 70);
  pad(strings, climb, 50, 74);
  arpeggio(celesta, climb, 62, "0.1.2.3.2.1.2.3.", 54);
  bassline(bass, climb, 38, "R-RR-RR-O-RR-RF-", 104);
  drums(kit, song.bar(12), 8,
        {{gm::Kick, "x..x..x.x..x..x."},
         {gm::Snare, "....x.......x..o"},
         {gm::ClosedHat, "xoxoxoxoxoxoxoxo"}});
  drums(kit, song.bar(12), 1, {{gm::Crash, "X..............."}});
  drums(kit, song.bar(16), 1, {{gm::Crash, "X..............."}});
  drums(kit, song.bar(19), 1, {{gm::Snare, "........x.x.xxXX"}});

  // The close: half-time, thinning out to the pad alone.
  const auto close = progression(song, song.bar(20), "Dm Bb C A");
  play(lead, song.bar(20), "A5:12 F5:4 | G5:8 F5:8 | E5:8 C5:8 | C#5:8 E5:8", {.vel = 84});
  lead.swell(song.bar(22), song.bar(23), 110, 80);
  pad(warm, close, 57, 66);
  warm.swell(song.bar(22), song.bar(24) - song.beat(1), 100, 60);
  pad(strings, close, 50, 60);
  bassline(bass, close, 38, "R-------R-------", 84);
  drums(kit, song.bar(20), 1, {{gm::Crash, "X..............."}});
  drums(kit, song.bar(20), 2,
        {{gm::Kick, "x.......x......."},
         {gm::Snare, "........x......."},
         {gm::Ride, "x.x.x.x.x.x.x.x."}});
  drums(kit, song.bar(22), 1, {{gm::Ride, "o...o...o...o..."}});
  return song;
}

}  // namespace ag::audio
