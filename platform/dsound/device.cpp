// device.cpp — opening, sharing, reopening and closing the backend's audio
// sink for the mixer.
#include "device.h"

#include <mutex>

#include "plat/detail/backend.h"

namespace plat::dsound {
namespace {

struct Registry {
  std::mutex m;
  std::weak_ptr<AudioDevice> current;
  AudioDevice* owner = nullptr;        // the device whose mixer the sink calls
  detail::Backend* backend = nullptr;  // the backend that sink belongs to
};

Registry& TheRegistry() {
  static Registry r;
  return r;
}

detail::Backend::AudioRender RenderInto(Mixer& m) {
  return [&m](std::int16_t* out, int frames) { m.Render(out, frames); };
}

}  // namespace

std::shared_ptr<AudioDevice> AudioDevice::Acquire() {
  std::shared_ptr<AudioDevice> fresh;  // dies after the lock if unused
  Registry& r = TheRegistry();
  std::lock_guard lock(r.m);
  if (auto d = r.current.lock()) return d;
  detail::Backend* b = detail::ActiveBackend();
  if (!b) return nullptr;
  fresh.reset(new AudioDevice());
  const int rate = b->OpenAudio(static_cast<int>(kDefaultDeviceRate), RenderInto(fresh->mixer_));
  if (rate <= 0) return nullptr;
  fresh->mixer_.SetRate(static_cast<std::uint32_t>(rate));
  r.current = fresh;
  r.owner = fresh.get();
  r.backend = b;
  return fresh;
}

AudioDevice::~AudioDevice() {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.m);
  if (r.owner != this) return;
  if (detail::ActiveBackend() == r.backend) r.backend->CloseAudio();
  r.owner = nullptr;
  r.backend = nullptr;
}

bool AudioDevice::SetRate(std::uint32_t rate) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.m);
  if (r.owner != this || detail::ActiveBackend() != r.backend) return false;
  const std::uint32_t old = mixer_.Rate();
  if (rate == old) return true;
  r.backend->CloseAudio();
  // The sink may start calling before OpenAudio returns: render at the asked
  // rate until the backend says which one it got.
  mixer_.SetRate(rate);
  int got = r.backend->OpenAudio(static_cast<int>(rate), RenderInto(mixer_));
  const bool ok = got > 0;
  if (!ok) {
    mixer_.SetRate(old);
    got = r.backend->OpenAudio(static_cast<int>(old), RenderInto(mixer_));
    if (got <= 0) {
      r.owner = nullptr;
      return false;
    }
  }
  mixer_.SetRate(static_cast<std::uint32_t>(got));
  return ok;
}

}  // namespace plat::dsound
