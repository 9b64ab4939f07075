// songs.h — the game's eight songs, in the order of their names "01".."08"
// (file KX0<n-1>STD.mid), each composed in its own file under songs/.
#pragma once

#include <vector>

#include "audio/score.h"

namespace ag::audio {

struct SongFile {
  const char* file;  // name in mid/
  bool loops;        // how the game plays it
  Song (*make)();
};

const std::vector<SongFile>& songs();

Song titleSong();      // 01 title and attract
Song stage1Song();     // 02
Song stage2Song();     // 03
Song stage3Song();     // 04
Song bossSong();       // 05 boss of stages 1 and 2
Song finalBossSong();  // 06
Song gameOverSong();   // 07
Song endingSong();     // 08 mission complete

}  // namespace ag::audio
