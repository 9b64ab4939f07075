// audio.cpp — the game's music and effects. Gameplay never calls the
// components: it writes request codes into the state record, and these steps
// turn them into calls at fixed points of the frame, so at most one effect and
// one song change start per frame and the last request of a frame wins.
#include <cstdio>

#include "game/Kx_main.h"
#include "game/assets.h"
#include "midi/Vxmidi.h"
#include "sound/Vxsound.h"

namespace kx {
namespace {

// Effect n (request code n) is named with two digits, "01" .. "17".
constexpr const char* kEffectFiles[17] = {
    "wav\\bse1.wav",   "wav\\bse10.wav",  "wav\\se5.wav",      "wav\\get.wav",
    "wav\\bse3.wav",   "wav\\bse6.wav",   "wav\\se2.wav",      "wav\\_bse8.wav",
    "wav\\_G_swd9.wav", "wav\\bse5.wav",  "wav\\a1_04083.wav", "wav\\bse15.wav",
    "wav\\rush.wav",   "wav\\os18.wav",   "wav\\os20.wav",     "wav\\A1_05101.wav",
    "wav\\_a1.wav"};

struct SongRequest {
  i32 code;
  const char* name;
  bool loop;
};
// Codes without a row (6, 8, 11 and above) stop the music and start nothing.
constexpr SongRequest kSongRequests[] = {
    {1, "01", true}, {2, "02", true}, {3, "03", true},  {4, "04", true},
    {5, "05", true}, {7, "06", true}, {9, "07", false}, {10, "08", false}};

std::string TwoDigits(int n) {
  char name[8];
  std::snprintf(name, sizeof name, "%02d", n);
  return name;
}

}  // namespace

void TForm1::StartAudio() {
  BMD->Init();
  SOU->Init(nullptr);  // no window given: the component uses its owner's
}

void TForm1::CreateEffects() {
  for (int i = 0; i < 17; ++i) {
    const std::string name = TwoDigits(i + 1);
    SOU->CreateBuffer(name, DataPath(options_.dataDir, kEffectFiles[i]), false);
    SOU->SetVolume(name, 0);
  }
}

void TForm1::CreateSongs() {
  for (int i = 0; i < 8; ++i) {
    char file[32];
    std::snprintf(file, sizeof file, "mid\\KX%02dSTD.mid", i);
    BMD->CreateData(TwoDigits(i + 1), DataPath(options_.dataDir, file));
  }
}

void TForm1::PlaySoundRequest() {
  if (g.soundRequest != 0) {
    const std::string name = TwoDigits(g.soundRequest);
    SOU->Play(name, false);
    log_.sounds.emplace_back(frameCount_, name);
  }
  g.soundRequest = 0;
}

void TForm1::PlaySongRequest() {
  if (g.musicRequest > 0) {
    // Stop returns only once the play thread has left the old song, so the
    // song started next always begins from its start.
    BMD->Stop();
    log_.songs.push_back({frameCount_, "stop", false});
    for (const auto& s : kSongRequests) {
      if (s.code != g.musicRequest) continue;
      BMD->Play(s.name, s.loop);
      log_.songs.push_back({frameCount_, s.name, s.loop});
    }
  }
  g.musicRequest = 0;
}

void TForm1::FadeOutMusic() { BMD->SetFadeOut(3500); }

}  // namespace kx
