// Vxsoundbuffer.h — TVexmoraSoundBuffer, one WAV sound of the sound
// component, held in its name table.
//
// A static buffer (mode 1) copies all samples once into a DirectSound buffer
// and makes three duplicates that share them, so four copies can sound at
// once; the next play and the pan, volume and frequency settings go to copy
// playCount mod 4. A streamed buffer (mode 2) keeps its source open and owns
// one DirectSound buffer of four seconds: two halves of two seconds, refilled
// by a worker thread (Vxsoundstream.cpp) woken by position notifications at
// 0, at half-way and at the stop.
//
// The worker never outlives what it uses: playing the buffer again, deleting
// it or cleaning up its component stops the DirectSound buffer, wakes the
// worker with its own quit event and joins it, and the notification events
// are reset before another worker waits on them. Halves are two seconds of
// whole frames (rate × block alignment), not the header's average-bytes
// field, which a broken file may get wrong.
//
// Application thread only, except the worker's part described above.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "plat/dsound.h"
#include "plat/kernel.h"

namespace VexmoraSoundSystem {

class TVexmoraSound;

// The two names of a buffer.
struct TVexmoraSoundBufferInfo {
  std::string bufferName;  // the table name
  std::string fileName;    // the file or resource it was loaded from
};

class TVexmoraSoundBuffer : public TVexmoraSoundBufferInfo {
 public:
  enum TMode : std::uint8_t { kNotLoaded = 0, kStatic = 1, kStreamed = 2 };
  static constexpr int kCopies = 4;

  TVexmoraSoundBuffer();
  virtual ~TVexmoraSoundBuffer();
  TVexmoraSoundBuffer(const TVexmoraSoundBuffer&) = delete;
  TVexmoraSoundBuffer& operator=(const TVexmoraSoundBuffer&) = delete;

  // Loads the WAV `file` as buffer `name`; `mode` is kStatic or
  // kStreamed. Throws EVxSoundBuffer; what was made before the error stays
  // until the object dies.
  virtual void LoadFile(plat::IDirectSound& directSound, std::string_view name,
                        std::string_view file, std::uint8_t mode);

  std::int32_t PlayCount() const { return playCount; }
  bool Looping() const { return looping.load(); }
  std::uint32_t DataOffset() const { return dataOffset; }
  std::uint32_t DataSize() const { return dataSize; }
  std::uint32_t HalfSize() const { return halfSize; }
  std::int32_t BitsPerSample() const { return bitsPerSample; }
  std::uint8_t Mode() const { return mode; }
  const plat::WAVEFORMATEX& Format() const { return format; }
  // Copy `index` (0..3); null when it was not made.
  plat::IDirectSoundBuffer* Buffer(int index) const {
    return buffers.at(static_cast<std::size_t>(index)).get();
  }
  bool HasStreamSource() const { return stream != nullptr; }
  // A worker thread was started and has not ended yet.
  bool StreamRunning() const;

 private:
  friend class TVexmoraSound;

  // Where the worker is in the payload. `played` counts payload bytes
  // written so far; after the payload's end the phase moves on at each
  // notification: the half holding the end plays, then the buffer stops.
  enum class TStreamPhase { kPayload, kEndWritten, kTailPlaying };
  struct TStreamCursor {
    std::uint32_t played = 0;
    TStreamPhase phase = TStreamPhase::kPayload;
  };

  void Release();
  void LoadStatic(plat::IDirectSound& directSound, std::string_view file);
  void LoadStreamed(plat::IDirectSound& directSound, std::string_view file);
  // Stops the DirectSound buffer (a failure is ignored) and ends the worker.
  void Halt();
  // Wakes the worker, waits for it to end and resets the events it waited
  // on; nothing when there is none.
  void JoinWorker();

  std::int32_t playCount = 0;
  std::atomic<bool> looping{false};  // written by the worker when it ends
  std::uint32_t dataOffset = 0;
  std::uint32_t dataSize = 0;
  std::uint32_t halfSize = 0;
  std::int32_t bitsPerSample = 0;
  std::unique_ptr<plat::Stream> stream;
  std::uint8_t mode = kNotLoaded;
  std::array<std::unique_ptr<plat::Event>, 3> events;  // cursor at 0, at halfSize, stopped
  bool notify = false;  // the notification interface was obtained
  std::array<std::shared_ptr<plat::IDirectSoundBuffer>, kCopies> buffers;
  plat::WAVEFORMATEX format;

  // The streaming worker and what only it touches while it runs.
  plat::Event quit;  // auto-reset; lowest in the worker's wait, so it wins
  std::unique_ptr<plat::Thread> worker;
  TStreamCursor cursor;
};

}  // namespace VexmoraSoundSystem
