// Vxsound.cpp — TVexmoraSound's life: construction, the primary-format
// properties, Init and CleanUp of DirectSound, the buffer table and palette
// registration. Playing is in Vxsoundplay.cpp, streaming in Vxsoundstream.cpp.
#include "sound/Vxsound.h"

#include <string>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "core/Vxregister.h"

namespace VexmoraSoundSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxSound;
using VexmoraSystem::VxOperation;

namespace {

const VexmoraSystem::TVexmoraTableTexts kBufferTexts{
    "TVexmoraSound::バッファ作成", "BufferName:", "TVexmoraSound::バッファ削除",
    "TVexmoraSound::全バッファの削除", "バッファが存在しません。\nバッファ名："};

}  // namespace

TVexmoraSound::TVexmoraSound(plat::TComponent* owner)
    : plat::TComponent(owner), bufferTable(kBufferTexts, [this] { return initialized; }) {
  VxOperation("TVexmoraSound::TVexmoraSound", [&] { targetWindow = OwnerWindow(); });
}

TVexmoraSound::~TVexmoraSound() {
  try {
    VxOperation("TVexmoraSound::~TVexmoraSound", [&] { CleanUp(); });
  } catch (...) {  // already traced; a destructor goes on
  }
}

void TVexmoraSound::SetStereo(bool value) {
  VxOperation("TVexmoraSound::SetStereo", [&] { stereo = value; });
}

void TVexmoraSound::SetSamplingRatio(std::int32_t value) {
  VxOperation("TVexmoraSound::SetSamplingRatio", [&] { samplingRatio = value; });
}

void TVexmoraSound::SetBits(TSoundBits value) {
  VxOperation("TVexmoraSound::SetBits", [&] { soundBits = value; });
}

void TVexmoraSound::SetPrimaryVolume(std::int32_t value) {
  VxOperation("TVexmoraSound::SetPrimaryVolume", [&] {
    if (value == volume) return;
    volume = value;
    if (initialized && plat::FAILED(primaryBuffer->SetVolume(volume)))
      throw EVxSound("マスターボリュームの設定に失敗しました。");
  });
}

void TVexmoraSound::Init(plat::Form* window) {
  VxOperation("TVexmoraSound::Init", [&] {
    TVexmoraDebug::TraceLine("TVexmoraSound::初期化開始");
    CleanUp();
    if (window) targetWindow = window;
    auto fail = [this](const char* detail) {
      CleanUp();
      throw EVxSound(detail);
    };
    if (plat::FAILED(plat::CoCreateDirectSound(directSound)))
      fail("COMオブジェクトの作成に失敗しました。");
    TVexmoraDebug::TraceLine("TVexmoraSound::COMオブジェクトの生成に成功");
    if (plat::FAILED(directSound->Initialize())) fail("DirectSoundの初期化に失敗しました。");
    TVexmoraDebug::TraceLine("TVexmoraSound::DirectSoundの初期化に成功");
    if (plat::FAILED(directSound->SetCooperativeLevel(targetWindow, plat::DSSCL_PRIORITY)))
      fail("協調レベルの設定に失敗しました。");
    const plat::DSBUFFERDESC primary{plat::DSBCAPS_PRIMARYBUFFER | plat::DSBCAPS_CTRLVOLUME, 0,
                                     nullptr};
    if (plat::FAILED(directSound->CreateSoundBuffer(primary, primaryBuffer)))
      fail("プライマリバッファの作成に失敗しました。");
    TVexmoraDebug::TraceLine("TVexmoraSound::プライマリバッファの作成に成功");

    plat::WAVEFORMATEX f;
    f.wFormatTag = plat::WAVE_FORMAT_PCM;
    f.nChannels = stereo ? 2 : 1;
    f.nSamplesPerSec = static_cast<std::uint32_t>(samplingRatio);
    f.wBitsPerSample = soundBits == sb8bit ? 8 : 16;
    f.nBlockAlign = static_cast<std::uint16_t>(f.nChannels * f.wBitsPerSample / 8);
    f.nAvgBytesPerSec = f.nBlockAlign * f.nSamplesPerSec;
    f.cbSize = 0;
    if (plat::FAILED(primaryBuffer->SetFormat(&f))) fail("ウェブフォーマットの設定に失敗しました。");
    TVexmoraDebug::TraceLine("TVexmoraSound::ウェブフォーマットの設定に成功");

    // A failure here leaves the device open but the component uninitialised.
    if (volume != 1 && plat::FAILED(primaryBuffer->SetVolume(volume)))
      throw EVxSound("マスターボリュームの設定に失敗しました。");
    initialized = true;
  });
}

void TVexmoraSound::CleanUp() {
  VxOperation("TVexmoraSound::CleanUp", [&] {
    TVexmoraDebug::TraceLine("TVexmoraSound::クリーンアップ");
    initialized = false;
    // A buffer that the application still holds outlives the table, but its
    // worker must not outlive the component.
    for (const auto& entry : bufferTable.Entries()) entry.second->Halt();
    bufferTable.Clear();
    primaryBuffer.reset();
    directSound.reset();
  });
}

void TVexmoraSound::CreateBuffer(std::string_view name, std::string_view fileName, bool stream) {
  VxOperation("TVexmoraSound::CreateBuffer", [&] {
    bufferTable.Create(
        name, fileName, [] { return new TVexmoraSoundBuffer(); },
        [&](TVexmoraSoundBuffer& buffer) {
          buffer.LoadFile(*directSound, name, fileName,
                          stream ? TVexmoraSoundBuffer::kStreamed : TVexmoraSoundBuffer::kStatic);
        });
  });
}

void TVexmoraSound::DeleteBuffer(std::string_view name) {
  VxOperation("TVexmoraSound::DeleteBuffer", [&] {
    if (TVexmoraSoundBuffer* buffer = bufferTable.Find(name)) buffer->Halt();
    bufferTable.Delete(name);
  });
}

void TVexmoraSound::DeleteAllBuffer() {
  VxOperation("TVexmoraSound::DeleteAllBuffer", [&] {
    for (const auto& entry : bufferTable.Entries()) entry.second->Halt();
    bufferTable.DeleteAll();
  });
}

void Register() { VexmoraSystem::RegisterVexmoraComponent<TVexmoraSound>("TVexmoraSound"); }

}  // namespace VexmoraSoundSystem
