// audio.cpp — the SDL audio sink: one playback device in 16-bit stereo whose
// callback asks the platform's mixer for frames.
//
// The audio subsystem starts with the first OpenAudio. A machine without a
// usable audio device gets SDL's "dummy" driver instead (it consumes frames
// in real time and plays nothing), so the sound code always finds a device
// and its stream notifications keep coming. SDL converts to whatever the
// hardware runs at, so the mixer renders at exactly the rate asked for. The
// music synthesiser is rendered into the same frames, after the effects; the
// callback's start time places its messages (midi.cpp).
#include <cstdlib>

#include "plat/detail/scheduler.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

constexpr Uint16 kCallbackFrames = 512;  // about 11.6 ms at 44100 Hz: effects start quickly

void Callback(void* user, Uint8* stream, int len) {
  static_cast<SdlBackend*>(user)->RenderAudio(reinterpret_cast<std::int16_t*>(stream), len / 4);
}

SDL_AudioDeviceID OpenDevice(int rate, SdlBackend* backend) {
  if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kCallbackFrames;
  want.callback = Callback;
  want.userdata = backend;
  SDL_AudioSpec have{};
  return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

}  // namespace

void SdlBackend::RenderAudio(std::int16_t* out, int frames) {
  const auto now = static_cast<std::int64_t>(detail::ActiveScheduler().NowNs());
  render_(out, frames);
  MixMidi(out, frames, audioRate_, now);
}

int SdlBackend::OpenAudio(int rate, AudioRender render) {
  CloseAudio();
  if (rate <= 0) return 0;
  render_ = std::move(render);
  audioRate_ = rate;
  audio_ = OpenDevice(rate, this);
  if (audio_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    audio_ = OpenDevice(rate, this);
  }
  if (audio_ == 0) {
    render_ = nullptr;
    return 0;
  }
  audioRunning_.store(true, std::memory_order_release);
  SDL_PauseAudioDevice(audio_, 0);
  return rate;
}

void SdlBackend::CloseAudio() {
  if (audio_ == 0) return;
  SDL_CloseAudioDevice(audio_);  // waits for a running callback
  audio_ = 0;
  audioRunning_.store(false, std::memory_order_release);
  if (midi_) midiQueue_.Flush(*midi_);  // what the last callbacks did not reach
  render_ = nullptr;
}

}  // namespace plat::sdl
