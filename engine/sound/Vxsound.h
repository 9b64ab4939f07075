// Vxsound.h — TVexmoraSound, the engine's DirectSound component: WAV sounds
// loaded into named buffers and played by name, static ones from memory on
// four copies in turn, streamed ones from their open file through a worker
// thread per playing buffer.
//
// Configuration: the published properties (primary format and volume), set
// on the form and applied by the next Init (Volume also at once). Every
// public operation is timed under "TVexmoraSound::<operation>" while
// profiling is on, and an exception leaving it is traced and passed on
// unchanged (core/Vxoperation.h). Errors are EVxSound; the loading errors
// of a buffer are EVxSoundBuffer.
//
// Threads: the operations belong to the application's thread. A streamed
// buffer's worker is stopped and joined before the buffer is played again,
// deleted, reloaded or its component cleaned up, so it never outlives what
// it reads. The worker neither traces nor times itself. COM needs no
// initialisation here.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/Vxerror.h"
#include "core/Vxtable.h"
#include "plat/app.h"
#include "plat/component.h"
#include "plat/dsound.h"
#include "sound/Vxsoundbuffer.h"

namespace VexmoraSoundSystem {

enum TSoundBits : std::uint8_t { sb8bit = 0, sb16bit = 1 };

class TVexmoraSound : public plat::TComponent {
 public:
  explicit TVexmoraSound(plat::TComponent* owner);
  ~TVexmoraSound() override;

  // Published properties.
  bool Initialized() const { return initialized; }
  bool Stereo() const { return stereo; }
  std::int32_t Volume() const { return volume; }  // 1: leave the device's volume alone
  std::int32_t SamplingRatio() const { return samplingRatio; }
  TSoundBits SoundBits() const { return soundBits; }
  virtual void SetStereo(bool value);
  virtual void SetPrimaryVolume(std::int32_t value);
  virtual void SetSamplingRatio(std::int32_t value);
  virtual void SetBits(TSoundBits value);

  // Opens DirectSound for `window` (null: the owner form's window).
  virtual void Init(plat::Form* window = nullptr);
  virtual void CleanUp();

  virtual void CreateBuffer(std::string_view name, std::string_view fileName, bool stream);
  virtual void DeleteBuffer(std::string_view name);
  virtual void DeleteAllBuffer();

  virtual void Play(std::string_view name, bool loop);
  virtual void Stop(std::string_view name);
  virtual bool IsPlaying(std::string_view name);
  virtual void SetPan(std::string_view name, std::int32_t pan);
  virtual void SetVolume(std::string_view name, std::int32_t value);
  virtual void SetFrequency(std::string_view name, std::uint32_t frequency);

  // The streaming worker's body: refills `buffer` half by half until it stops.
  virtual void StreamPlayThread(TVexmoraSoundBuffer* buffer);

  // The buffer named `name`, or null (for tests and tools).
  TVexmoraSoundBuffer* FindBuffer(std::string_view name) const { return bufferTable.Find(name); }
  std::size_t BufferCount() const { return bufferTable.Size(); }
  plat::Form* TargetWindow() const { return targetWindow; }

 private:
  using Table =
      VexmoraSystem::TVexmoraResourceTable<TVexmoraSoundBuffer, VexmoraSystem::EVxSound>;

  // The checks of the playing operations: initialised, named, loaded.
  TVexmoraSoundBuffer& Loaded(std::string_view name) const;
  // The copy that SetPan, SetVolume and SetFrequency change; null: none.
  static plat::IDirectSoundBuffer* Target(const TVexmoraSoundBuffer& buffer);
  void PlayStreamed(TVexmoraSoundBuffer& buffer, std::string_view name, bool loop);
  // Writes the next part of the payload (or silence, or stops) into `half`.
  static void FillHalf(TVexmoraSoundBuffer& buffer, std::uint32_t half);

  bool initialized = false;
  bool stereo = true;
  std::int32_t volume = 1;
  std::int32_t samplingRatio = 22050;
  TSoundBits soundBits = sb16bit;

  std::shared_ptr<plat::IDirectSound> directSound;
  std::shared_ptr<plat::IDirectSoundBuffer> primaryBuffer;
  plat::Form* targetWindow = nullptr;
  Table bufferTable;
};

// Puts TVexmoraSound on the palette page "Vexmora".
void Register();

}  // namespace VexmoraSoundSystem
