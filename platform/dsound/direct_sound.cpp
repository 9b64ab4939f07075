// direct_sound.cpp — the device object: creation, Initialize, the
// cooperative level, and creating and duplicating buffers.
//
// Initialize joins the shared audio device (plat/dsound.h); without an audio
// device on the backend it fails with DSERR_NODRIVER. The other calls need a
// successful Initialize first (DSERR_GENERIC otherwise). Any number of
// primary buffer objects may exist; they all speak for the one device.
#include <mutex>

#include "buffer_impl.h"
#include "plat/testing.h"

namespace plat {

using testing::Fault;
using testing::ShouldFail;

namespace dsound {

bool ValidPcm(const WAVEFORMATEX& f) {
  const bool shape = (f.nChannels == 1 || f.nChannels == 2) &&
                     (f.wBitsPerSample == 8 || f.wBitsPerSample == 16);
  return f.wFormatTag == WAVE_FORMAT_PCM && shape &&
         f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 &&
         f.nSamplesPerSec >= DSBFREQUENCY_MIN && f.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

PcmFormat ToPcm(const WAVEFORMATEX& f) {
  return {f.nChannels, f.wBitsPerSample, f.nSamplesPerSec, f.nBlockAlign};
}

}  // namespace dsound

IDirectSound::IDirectSound() = default;

IDirectSound::~IDirectSound() = default;

HRESULT CoCreateDirectSound(std::shared_ptr<IDirectSound>& out) {
  out.reset();
  if (ShouldFail(Fault::DirectSoundCreate)) return DSERR_GENERIC;
  out = std::make_shared<IDirectSound>();
  return DS_OK;
}

HRESULT IDirectSound::Initialize(const void*) {
  if (ShouldFail(Fault::DirectSoundInitialize)) return DSERR_GENERIC;
  if (session_) return DSERR_GENERIC;  // already initialised
  auto device = dsound::AudioDevice::Acquire();
  if (!device) return DSERR_NODRIVER;
  session_ = std::make_shared<dsound::Session>();
  session_->device = std::move(device);
  return DS_OK;
}

HRESULT IDirectSound::SetCooperativeLevel(Form* window, std::uint32_t level) {
  if (ShouldFail(Fault::SoundCooperativeLevel)) return DSERR_GENERIC;
  if (!session_) return DSERR_GENERIC;
  if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
  session_->level.store(level);
  return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC& desc,
                                        std::shared_ptr<IDirectSoundBuffer>& out) {
  out.reset();
  const bool primary = (desc.dwFlags & DSBCAPS_PRIMARYBUFFER) != 0;
  if (ShouldFail(primary ? Fault::CreatePrimaryBuffer : Fault::CreateSoundBuffer))
    return DSERR_GENERIC;
  if (!session_) return DSERR_GENERIC;
  if (primary) {
    if (desc.dwBufferBytes != 0 || desc.lpwfxFormat) return DSERR_INVALIDPARAM;
    out.reset(new IDirectSoundBuffer(
        std::make_unique<IDirectSoundBuffer::Impl>(session_, desc.dwFlags, true)));
    return DS_OK;
  }
  if (desc.dwBufferBytes < DSBSIZE_MIN || desc.dwBufferBytes > DSBSIZE_MAX)
    return DSERR_INVALIDPARAM;
  if (!desc.lpwfxFormat || !dsound::ValidPcm(*desc.lpwfxFormat)) return DSERR_BADFORMAT;
  auto impl = std::make_unique<IDirectSoundBuffer::Impl>(session_, desc.dwFlags, false);
  dsound::Voice& v = impl->voice;
  v.format = dsound::ToPcm(*desc.lpwfxFormat);
  v.frames = desc.dwBufferBytes / static_cast<std::uint32_t>(v.format.blockAlign);
  v.frequency = v.format.rate;
  v.memory = std::make_shared<dsound::SampleMemory>();
  v.memory->bytes.assign(desc.dwBufferBytes, v.format.bits == 8 ? 0x80 : 0x00);
  {
    std::lock_guard lock(impl->mixer().Mutex());
    impl->mixer().Add(&v);
  }
  out.reset(new IDirectSoundBuffer(std::move(impl)));
  return DS_OK;
}

HRESULT IDirectSound::DuplicateSoundBuffer(const std::shared_ptr<IDirectSoundBuffer>& original,
                                           std::shared_ptr<IDirectSoundBuffer>& out) {
  out.reset();
  if (ShouldFail(Fault::DuplicateBuffer)) return DSERR_GENERIC;
  if (!session_) return DSERR_GENERIC;
  if (!original || original->impl_->primary) return DSERR_INVALIDPARAM;
  const IDirectSoundBuffer::Impl& from = *original->impl_;
  auto impl = std::make_unique<IDirectSoundBuffer::Impl>(from.session, from.flags, false);
  dsound::Voice& v = impl->voice;
  {
    std::lock_guard lock(impl->mixer().Mutex());
    const dsound::Voice& src = from.voice;
    v.memory = src.memory;
    v.format = src.format;
    v.frames = src.frames;
    v.frequency = src.frequency;
    v.volume = src.volume;
    v.pan = src.pan;
    v.UpdateGains();
    impl->mixer().Add(&v);
  }
  out.reset(new IDirectSoundBuffer(std::move(impl)));
  return DS_OK;
}

}  // namespace plat
