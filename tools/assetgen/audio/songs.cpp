// songs.cpp — the song table.
#include "audio/songs.h"

namespace ag::audio {

const std::vector<SongFile>& songs() {
  static const std::vector<SongFile> table = {
      {"KX00STD.mid", true, titleSong},     {"KX01STD.mid", true, stage1Song},
      {"KX02STD.mid", true, stage2Song},    {"KX03STD.mid", true, stage3Song},
      {"KX04STD.mid", true, bossSong},      {"KX05STD.mid", true, finalBossSong},
      {"KX06STD.mid", false, gameOverSong}, {"KX07STD.mid", false, endingSong},
  };
  return table;
}

}  // namespace ag::audio
