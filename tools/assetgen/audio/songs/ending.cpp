// ending.cpp — song 08, mission complete and the ending (KX07STD.mid),
// played once. The theme's call turned to D major as a trumpet fanfare
// (bars 0-3, 10 s, under "MISSION COMPLETE." and the fly-out), then a calm
// flute and harp close while the epilogue scrolls (bars 4-8), slowing into a
// held D major chord released at about 25.7 s. 96 bpm, 10 bars. The
// epilogue lines are lyric events timed to when each line comes on screen.
// Format 1, PPQ 480. No repeat markers.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"

namespace ag::audio {

Song endingSong() {
  Song song("Korvanix - Mission Complete", 480);
  const std::uint32_t beat = song.beat(1), eighth = beat / 2;
  const auto bar = [&](int n) { return song.bar(n); };
  song.tempo(0, 625000);
  song.tempo(bar(8) + 2 * beat, 650000);
  song.tempo(bar(8) + 3 * beat, 700000);
  song.tempo(bar(9), 750000);
  song.tempo(bar(9) + 2 * beat, 800000);
  song.text(eighth, 5, "MISSION COMPLETE.");
  song.text(bar(2) + beat, 5, "TO DEFEND THOSE I LOVE, I");
  song.text(bar(2) + 5 * eighth, 5, "WILL KEEP FIGHTING.");
  song.text(bar(3) + beat, 5, "ALL I HOPE FOR IS THE DAY");
  song.text(bar(3) + 5 * eighth, 5, "WHEN I WILL LIVE A PEACEFUL");
  song.text(bar(4), 5, "LIFE WITH MY FAVORITES.");

  Part& trumpet = song.part("Trumpet", 0, gm::Trumpet).mix(116, 60, 60);
  Part& horns = song.part("Horns", 1, gm::FrenchHorn).mix(108, 80, 70);
  Part& strings = song.part("Strings", 2, gm::Strings).mix(108, 72, 70);
  Part& flute = song.part("Flute", 3, gm::Flute).mix(112, 56, 70);
  Part& harp = song.part("Harp", 4, gm::Harp).mix(104, 40, 70);
  Part& warm = song.part("Pad", 5, gm::WarmPad).mix(96, 88, 80);
  Part& bass = song.part("Bass", 6, gm::Contrabass).mix(110, 64, 50);
  Part& timp = song.part("Timpani", 7, gm::Timpani).mix(108, 64, 60);
  Part& kit = song.part("Cymbals", gm::kDrumChannel, gm::OrchestraKit).mix(110, 64, 60);

  // Fanfare: the call in D major.
  const auto fanfare = progression(song, eighth, "D:14 G F#m A");
  play(trumpet, 0,
       "r:2 A4:2 D5:2 F#5:2 A5:8 | G5:6 F#5:2 D5:8 | C#5:4 D5:2 F#5:6 E5:2 C#5:2 | E5:12 r:4",
       {.vel = 106});
  harmony(horns, fanfare, bar(1), "G5:6 F#5:2 D5:8 | C#5:4 D5:2 F#5:6 E5:2 C#5:2 | E5:12",
          {.vel = 88});
  pad(strings, fanfare, 50, 92);
  strings.swell(bar(3), bar(4), 110, 80);
  play(timp, 0, "r:2 D3:2 D3:2 D3:2 A2:8 | G2:8 D3:8 | F#2:8 C#3:8 | A2:4 A2:4 A2:8", {.vel = 96});
  drums(kit, eighth, 1, {{gm::Crash, "X..............."}});
  drums(kit, bar(3), 1, {{gm::Splash, "........o......."}});

  // Calm: flute over harp and pad.
  const auto calm = progression(song, bar(4), "Bm G D A G:8 A:8 D");
  play(flute, bar(4),
       "F#5:8 D5:4 B4:4 | D5:8 B4:4 G4:4 | A4:8 D5:4 F#5:4 | E5:12 r:4 | G5:8 F#5:4 E5:4 |"
       " D5:16_",
       {.vel = 96});
  arpeggio(harp, progression(song, bar(4), "Bm G D A G:8 A:8"), 50, "0-1-2-3-4-3-2-1-", 80);
  // A rolled final chord, every string left ringing.
  const int roll[] = {50, 57, 62, 66, 69, 74};
  for (std::uint32_t i = 0; i < 6; ++i) {
    const std::uint32_t at = bar(9) + i * harp.sixteenth();
    harp.note(at, bar(10) - at, roll[i], 76);
  }
  pad(warm, calm, 57, 70);
  pad(strings, progression(song, bar(8), "G:8 A:8 Dadd9"), 50, 62);
  play(bass, 0,
       "r:2 D3:14 | G2:16 | F#2:16 | A2:16 | B2:16 | G2:16 | D2:16 | A2:16 | G2:8 A2:8 | D2:16_",
       {.vel = 84});
  drums(timp, bar(9), 1, {{38, "oooooooooooooooo................", 32}});
  return song;
}

}  // namespace ag::audio
