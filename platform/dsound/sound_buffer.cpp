// sound_buffer.cpp — IDirectSoundBuffer: playing, stopping, positions,
// status, the controls and notifications, and the primary buffer's format
// and master volume.
//
// Out-of-range values, a missing DSBCAPS_CTRL* flag and calls that make no
// sense for the kind of buffer return DSERR_INVALIDPARAM; an injected fault
// returns DSERR_GENERIC before anything is checked.
#include <algorithm>
#include <mutex>

#include "buffer_impl.h"
#include "plat/testing.h"

namespace plat {

using testing::Fault;
using testing::ShouldFail;

IDirectSoundBuffer::Impl::Impl(std::shared_ptr<dsound::Session> s, std::uint32_t f,
                               bool isPrimary)
    : session(std::move(s)), flags(f), primary(isPrimary) {}

IDirectSoundBuffer::Impl::~Impl() {
  if (primary) return;
  std::lock_guard lock(mixer().Mutex());
  mixer().Remove(&voice);
}

IDirectSoundBuffer::IDirectSoundBuffer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

IDirectSoundBuffer::~IDirectSoundBuffer() = default;

HRESULT IDirectSoundBuffer::Play(std::uint32_t, std::uint32_t, std::uint32_t flags) {
  if (ShouldFail(Fault::SoundPlay)) return DSERR_GENERIC;
  if (impl_->primary) return DS_OK;  // the device mixes all the time anyway
  std::lock_guard lock(impl_->mixer().Mutex());
  impl_->mixer().Start(impl_->voice, (flags & DSBPLAY_LOOPING) != 0);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
  if (ShouldFail(Fault::SoundStop)) return DSERR_GENERIC;
  if (impl_->primary) return DS_OK;
  std::lock_guard lock(impl_->mixer().Mutex());
  impl_->mixer().Stop(impl_->voice);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(std::uint32_t offset) {
  if (ShouldFail(Fault::SoundSetPosition)) return DSERR_GENERIC;
  if (impl_->primary) return DSERR_INVALIDPARAM;
  std::lock_guard lock(impl_->mixer().Mutex());
  dsound::Voice& v = impl_->voice;
  const std::uint32_t frame = offset / static_cast<std::uint32_t>(v.format.blockAlign);
  if (frame >= v.frames) return DSERR_INVALIDPARAM;
  v.position = static_cast<std::uint64_t>(frame) << 32;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(std::uint32_t* status) {
  if (!status) return DSERR_INVALIDPARAM;
  *status = 0;
  if (impl_->primary) return DS_OK;
  std::lock_guard lock(impl_->mixer().Mutex());
  if (impl_->voice.playing)
    *status = DSBSTATUS_PLAYING | (impl_->voice.looping ? DSBSTATUS_LOOPING : 0u);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(std::int32_t volume) {
  if (ShouldFail(impl_->primary ? Fault::PrimaryVolume : Fault::SoundSetVolume))
    return DSERR_GENERIC;
  if (!impl_->Has(DSBCAPS_CTRLVOLUME) || volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
    return DSERR_INVALIDPARAM;
  if (impl_->primary) {
    impl_->mixer().SetMasterVolume(volume);
    return DS_OK;
  }
  std::lock_guard lock(impl_->mixer().Mutex());
  impl_->voice.volume = volume;
  impl_->voice.UpdateGains();
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(std::int32_t pan) {
  if (ShouldFail(Fault::SoundSetPan)) return DSERR_GENERIC;
  if (impl_->primary || !impl_->Has(DSBCAPS_CTRLPAN) || pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
    return DSERR_INVALIDPARAM;
  std::lock_guard lock(impl_->mixer().Mutex());
  impl_->voice.pan = pan;
  impl_->voice.UpdateGains();
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(std::uint32_t hz) {
  if (ShouldFail(Fault::SoundSetFrequency)) return DSERR_GENERIC;
  if (impl_->primary || !impl_->Has(DSBCAPS_CTRLFREQUENCY)) return DSERR_INVALIDPARAM;
  if (hz != DSBFREQUENCY_ORIGINAL && (hz < DSBFREQUENCY_MIN || hz > DSBFREQUENCY_MAX))
    return DSERR_INVALIDPARAM;
  std::lock_guard lock(impl_->mixer().Mutex());
  impl_->voice.frequency = hz == DSBFREQUENCY_ORIGINAL ? impl_->voice.format.rate : hz;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFormat(const WAVEFORMATEX* format) {
  if (ShouldFail(Fault::SetFormat)) return DSERR_GENERIC;
  if (!impl_->primary || impl_->session->level.load() < DSSCL_PRIORITY) return DSERR_INVALIDPARAM;
  if (!format || !dsound::ValidPcm(*format)) return DSERR_BADFORMAT;
  dsound::AudioDevice& device = *impl_->session->device;
  if (!device.SetRate(format->nSamplesPerSec)) return DSERR_GENERIC;
  device.mixer().SetShape(format->nChannels == 1, format->wBitsPerSample == 8);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::QueryNotify() {
  if (ShouldFail(Fault::QueryNotify)) return DSERR_GENERIC;
  return impl_->Has(DSBCAPS_CTRLPOSITIONNOTIFY) ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT IDirectSoundBuffer::SetNotificationPositions(
    std::span<const DSBPOSITIONNOTIFY> positions) {
  if (ShouldFail(Fault::SetNotifications)) return DSERR_GENERIC;
  if (!impl_->Has(DSBCAPS_CTRLPOSITIONNOTIFY)) return DSERR_INVALIDPARAM;
  std::lock_guard lock(impl_->mixer().Mutex());
  dsound::Voice& v = impl_->voice;
  if (v.playing) return DSERR_INVALIDPARAM;
  const auto bytes = static_cast<std::uint32_t>(v.memory->bytes.size());
  for (const auto& p : positions)
    if (!p.hEventNotify || (p.dwOffset != DSBPN_OFFSETSTOP && p.dwOffset >= bytes))
      return DSERR_INVALIDPARAM;
  v.atOffsets.clear();
  v.atStop.clear();
  for (const auto& p : positions) {
    if (p.dwOffset == DSBPN_OFFSETSTOP)
      v.atStop.push_back(p.hEventNotify);
    else
      v.atOffsets.push_back(p);
  }
  std::stable_sort(v.atOffsets.begin(), v.atOffsets.end(),
                   [](const auto& a, const auto& b) { return a.dwOffset < b.dwOffset; });
  return DS_OK;
}

}  // namespace plat
