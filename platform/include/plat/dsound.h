// dsound.h — the DirectSound stand-in: a device object, a primary buffer and
// secondary (static or streamed) buffers mixed in software.
//
// All buffers of all device objects go into one software mixer that renders
// interleaved 16-bit stereo at the device rate (44100 Hz until a primary
// SetFormat asks for another) into the backend's audio sink: the SDL audio
// thread, or headless device ticks in virtual time.
//
// Secondary buffers hold PCM: 8-bit unsigned or 16-bit signed, 1 or 2
// channels, 100..100000 Hz; other formats are refused at creation.
// Behaviour kept from the original service, which the sound code relies on:
// - Lock hands out two regions, the second non-empty only when the locked
//   range wraps past the end; the mixer never sees a half-written refill
//   (what is written becomes audible at Unlock, in one piece).
// - A non-looping buffer stops by itself at its end; its position goes back
//   to 0.
// - Position notifications set their event when the play cursor reaches or
//   passes their offset; Play on a stopped buffer also fires the offsets at
//   the starting position (offset 0 when it starts from 0). DSBPN_OFFSETSTOP
//   fires only on a change from playing to stopped (Stop, or the end of a
//   non-looping buffer), never for Stop on a stopped buffer.
// - Controls need their DSBCAPS_CTRL* flag; values out of range fail.
// Events given to SetNotificationPositions must outlive the buffer (or the
// next SetNotificationPositions). Every call that has a fault point
// (plat/testing.h) checks it first; an injected fault returns DSERR_GENERIC.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "plat/app.h"
#include "plat/base.h"
#include "plat/kernel.h"

namespace plat {

namespace dsound {
struct Session;
}

inline constexpr std::uint16_t WAVE_FORMAT_PCM = 1;
struct WAVEFORMATEX {
  std::uint16_t wFormatTag = 0, nChannels = 0;
  std::uint32_t nSamplesPerSec = 0, nAvgBytesPerSec = 0;
  std::uint16_t nBlockAlign = 0, wBitsPerSample = 0, cbSize = 0;
};

enum : std::uint32_t {
  DSBCAPS_PRIMARYBUFFER = 0x1, DSBCAPS_STATIC = 0x2, DSBCAPS_CTRLFREQUENCY = 0x20,
  DSBCAPS_CTRLPAN = 0x40, DSBCAPS_CTRLVOLUME = 0x80, DSBCAPS_CTRLPOSITIONNOTIFY = 0x100,
  DSBCAPS_GLOBALFOCUS = 0x8000, DSBCAPS_GETCURRENTPOSITION2 = 0x10000,
  DSBPLAY_LOOPING = 0x1, DSBSTATUS_PLAYING = 0x1, DSBSTATUS_LOOPING = 0x4,
  DSBLOCK_ENTIREBUFFER = 0x2, DSBPN_OFFSETSTOP = 0xFFFFFFFF,
  DSSCL_NORMAL = 1, DSSCL_PRIORITY = 2, DSSCL_EXCLUSIVE = 3, DSSCL_WRITEPRIMARY = 4,
  DSBSIZE_MIN = 4, DSBSIZE_MAX = 0x0FFFFFFF,
  DSBFREQUENCY_ORIGINAL = 0, DSBFREQUENCY_MIN = 100, DSBFREQUENCY_MAX = 100000
};
inline constexpr std::int32_t DSBVOLUME_MIN = -10000, DSBVOLUME_MAX = 0, DSBPAN_LEFT = -10000,
                              DSBPAN_CENTER = 0, DSBPAN_RIGHT = 10000;

struct DSBUFFERDESC {
  std::uint32_t dwFlags = 0, dwBufferBytes = 0;
  const WAVEFORMATEX* lpwfxFormat = nullptr;
};
struct DSBPOSITIONNOTIFY {
  std::uint32_t dwOffset = 0;  // byte offset, or DSBPN_OFFSETSTOP
  Event* hEventNotify = nullptr;
};

class IDirectSoundBuffer {
 public:
  ~IDirectSoundBuffer();
  IDirectSoundBuffer(const IDirectSoundBuffer&) = delete;
  IDirectSoundBuffer& operator=(const IDirectSoundBuffer&) = delete;

  // flags: 0 or DSBLOCK_ENTIREBUFFER. Secondary buffers only.
  HRESULT Lock(std::uint32_t offset, std::uint32_t bytes, void** p1, std::uint32_t* n1, void** p2,
               std::uint32_t* n2, std::uint32_t flags);
  // n1/n2: the bytes actually written to each region.
  HRESULT Unlock(void* p1, std::uint32_t n1, void* p2, std::uint32_t n2);
  // On a playing buffer only the looping flag changes.
  HRESULT Play(std::uint32_t reserved, std::uint32_t priority, std::uint32_t flags);
  HRESULT Stop();  // the position is kept
  HRESULT SetCurrentPosition(std::uint32_t offset);
  HRESULT GetStatus(std::uint32_t* status);
  // Hundredths of a decibel: volume -10000..0; pan -10000 (left) .. 10000
  // (right), attenuating the other side by |pan|. On the primary buffer the
  // volume is the master gain.
  HRESULT SetVolume(std::int32_t volume);
  HRESULT SetPan(std::int32_t pan);
  HRESULT SetFrequency(std::uint32_t hz);  // 0 = the buffer's own rate, else 100..100000
  // Primary buffer only, needs DSSCL_PRIORITY: the device runs at this rate;
  // a mono or 8-bit format also reduces what the device hears to that.
  HRESULT SetFormat(const WAVEFORMATEX* format);
  HRESULT QueryNotify();  // QueryInterface(IID_IDirectSoundNotify): needs CTRLPOSITIONNOTIFY
  // Replaces the notifications; the buffer must be stopped. An empty span
  // removes them.
  HRESULT SetNotificationPositions(std::span<const DSBPOSITIONNOTIFY> positions);

  struct Impl;

 private:
  friend class IDirectSound;
  explicit IDirectSoundBuffer(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

class IDirectSound {
 public:
  IDirectSound();
  ~IDirectSound();
  IDirectSound(const IDirectSound&) = delete;
  IDirectSound& operator=(const IDirectSound&) = delete;

  // Opens the default device; DSERR_NODRIVER when the backend has no audio
  // device (or no backend is installed).
  HRESULT Initialize(const void* guid = nullptr);
  // `window` must not be null.
  HRESULT SetCooperativeLevel(Form* window, std::uint32_t level);
  // Primary: flags with DSBCAPS_PRIMARYBUFFER, no size, no format. Secondary:
  // a PCM format and DSBSIZE_MIN..DSBSIZE_MAX bytes, filled with silence.
  HRESULT CreateSoundBuffer(const DSBUFFERDESC& desc, std::shared_ptr<IDirectSoundBuffer>& out);
  // The duplicate shares the sample memory and starts with the original's
  // volume, pan and frequency, stopped at 0, without notifications.
  HRESULT DuplicateSoundBuffer(const std::shared_ptr<IDirectSoundBuffer>& original,
                               std::shared_ptr<IDirectSoundBuffer>& out);

 private:
  std::shared_ptr<dsound::Session> session_;  // null until Initialize succeeds
};

// CoCreateInstance(CLSID_DirectSound, ..., IID_IDirectSound).
HRESULT CoCreateDirectSound(std::shared_ptr<IDirectSound>& out);

}  // namespace plat
