// Vxsoundplay.cpp — playing buffers by name: Play, Stop, IsPlaying and the
// pan, volume and frequency of the copy that plays next.
//
// A static buffer plays on copy playCount mod 4, so four quick plays overlap
// and a fifth restarts the first copy; playCount wraps at 2^31 to 0, which
// keeps the copy order. A streamed buffer always plays on copy 0 and never
// counts.
#include <string>

#include "core/Vxoperation.h"
#include "sound/Vxsound.h"

namespace VexmoraSoundSystem {

using VexmoraSystem::EVxSound;
using VexmoraSystem::VxOperation;

namespace {

[[noreturn]] void Fail(const char* detail, std::string_view name) {
  throw EVxSound(std::string(detail) + std::string(name));
}

bool Sounding(plat::IDirectSoundBuffer* buffer) {
  std::uint32_t status = 0;
  return buffer && buffer->GetStatus(&status) == plat::DS_OK &&
         (status & plat::DSBSTATUS_PLAYING) != 0;
}

}  // namespace

TVexmoraSoundBuffer& TVexmoraSound::Loaded(std::string_view name) const {
  if (!initialized) throw EVxSound(VexmoraSystem::kNotInitialised);
  TVexmoraSoundBuffer& buffer = bufferTable.Lookup(name);
  if (buffer.mode == TVexmoraSoundBuffer::kNotLoaded)
    Fail("バッファが初期化されていません。。\nバッファ名：", name);
  return buffer;
}

plat::IDirectSoundBuffer* TVexmoraSound::Target(const TVexmoraSoundBuffer& buffer) {
  if (buffer.mode == TVexmoraSoundBuffer::kStatic)
    return buffer.buffers[static_cast<std::size_t>(buffer.playCount % TVexmoraSoundBuffer::kCopies)]
        .get();
  if (buffer.mode == TVexmoraSoundBuffer::kStreamed) return buffer.buffers[0].get();
  return nullptr;
}

void TVexmoraSound::Play(std::string_view name, bool loop) {
  VxOperation("TVexmoraSound::Play", [&] {
    TVexmoraSoundBuffer& buffer = Loaded(name);
    plat::IDirectSoundBuffer* copy = Target(buffer);
    if (!copy) return;
    if (plat::FAILED(copy->Stop())) Fail("バッファの再生停止に失敗しました。\nバッファ名：", name);
    buffer.JoinWorker();  // the stop has woken it, or it ended before
    if (plat::FAILED(copy->SetCurrentPosition(0)))
      Fail("バッファのシークに失敗しました。\nバッファ名：", name);
    if (buffer.mode == TVexmoraSoundBuffer::kStreamed) {
      PlayStreamed(buffer, name, loop);
      return;
    }
    if (plat::FAILED(copy->Play(0, 0, loop ? std::uint32_t{plat::DSBPLAY_LOOPING} : 0u)))
      Fail("バッファの再生に失敗しました。\nバッファ名：", name);
    buffer.playCount = (buffer.playCount + 1) & 0x7FFFFFFF;
  });
}

void TVexmoraSound::Stop(std::string_view name) {
  VxOperation("TVexmoraSound::Stop", [&] {
    const TVexmoraSoundBuffer& buffer = Loaded(name);
    for (const auto& copy : buffer.buffers)
      if (copy && plat::FAILED(copy->Stop())) Fail("バッファ停止に失敗しました。\nバッファ名：", name);
  });
}

bool TVexmoraSound::IsPlaying(std::string_view name) {
  return VxOperation("TVexmoraSound::IsPlaying", [&] {
    const TVexmoraSoundBuffer& buffer = Loaded(name);
    if (buffer.mode == TVexmoraSoundBuffer::kStatic) {
      for (const auto& copy : buffer.buffers)
        if (Sounding(copy.get())) return true;
      return false;
    }
    return buffer.mode == TVexmoraSoundBuffer::kStreamed && Sounding(buffer.buffers[0].get());
  });
}

void TVexmoraSound::SetPan(std::string_view name, std::int32_t pan) {
  VxOperation("TVexmoraSound::SetPan", [&] {
    plat::IDirectSoundBuffer* copy = Target(Loaded(name));
    if (copy && plat::FAILED(copy->SetPan(pan))) Fail("パンの設定に失敗しました。\nバッファ名：", name);
  });
}

void TVexmoraSound::SetVolume(std::string_view name, std::int32_t value) {
  VxOperation("TVexmoraSound::SetVolume", [&] {
    plat::IDirectSoundBuffer* copy = Target(Loaded(name));
    if (copy && plat::FAILED(copy->SetVolume(value)))
      Fail("音量の設定に失敗しました。\nバッファ名：", name);
  });
}

void TVexmoraSound::SetFrequency(std::string_view name, std::uint32_t frequency) {
  VxOperation("TVexmoraSound::SetFrequency", [&] {
    plat::IDirectSoundBuffer* copy = Target(Loaded(name));
    if (copy && plat::FAILED(copy->SetFrequency(frequency)))
      Fail("周波数の設定に失敗しました。\nバッファ名：", name);
  });
}

}  // namespace VexmoraSoundSystem
