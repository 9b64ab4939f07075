// game_over.cpp — song 07, game over (KX06STD.mid), played once. The
// theme's opening turned downwards in D minor on piano and strings, slowing
// by tempo steps into a final D minor chord with a timpani roll; about 7.3 s,
// then silence. No repeat markers.
// Format 1, PPQ 480, running status.
#include "audio/arrange.h"
#include "audio/gm.h"
#include "audio/songs.h"

namespace ag::audio {

Song gameOverSong() {
  Song song("Korvanix - Game Over", 480);
  song.runningStatus = true;
  // 100 bpm, then a ritardando over the last two bars.
  const std::uint32_t beat = song.beat(1);
  song.tempo(0, 600000);
  song.tempo(song.bar(1) + 2 * beat, 620000);
  song.tempo(song.bar(1) + 3 * beat, 640000);
  song.tempo(song.bar(2), 600000);
  song.tempo(song.bar(2) + beat, 660000);
  song.tempo(song.bar(2) + 2 * beat, 760000);
  song.tempo(song.bar(2) + 3 * beat, 900000);

  Part& piano = song.part("Piano", 0, gm::Piano).mix(120, 60, 60);
  Part& strings = song.part("Strings", 1, gm::SlowStrings).mix(110, 76, 70);
  Part& choir = song.part("Choir", 2, gm::Choir).mix(96, 48, 80);
  Part& bass = song.part("Bass", 3, gm::Contrabass).mix(110, 64, 50);
  Part& timp = song.part("Timpani", 4, gm::Timpani).mix(110, 64, 60);

  const std::uint32_t eighth = beat / 2;
  play(piano, 0, "r:2 A5:4 G5:2 F5:4 D5:4 | Bb4:6 A4:2 G4:4 C#5:4 | D4+F4+A4+D5:14_", {.vel = 104});
  const auto chords = progression(song, eighth, "Dm:6 Bb:8 Gm:8 A:8 Dm:14");
  pad(strings, chords, 50, 88);
  strings.swell(song.bar(2), song.bar(2) + 3 * beat, 110, 70);
  pad(choir, progression(song, song.bar(2), "Dm:14"), 57, 84);
  play(bass, 0, "r:2 D3:6 Bb2:8 | G2:8 A2:8 | D2:14", {.vel = 96});
  drums(timp, song.bar(2), 1, {{38, "oooooooooooooooooooooooo........", 32}});
  return song;
}

}  // namespace ag::audio
