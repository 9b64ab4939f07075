// Vxsoundbuffer.cpp — loading a TVexmoraSoundBuffer: the WAV source and
// header, then the DirectSound objects of a static or a streamed buffer; and
// releasing them, the streaming worker first.
#include "sound/Vxsoundbuffer.h"

#include <string>

#include "core/Vxdebug.h"
#include "core/Vxerror.h"
#include "core/Vxprofiler.h"
#include "sound/Vxwavreader.h"

namespace VexmoraSoundSystem {

using VexmoraSystem::EVxSoundBuffer;

namespace {

constexpr std::uint32_t kStaticCaps = plat::DSBCAPS_STATIC | plat::DSBCAPS_CTRLFREQUENCY |
                                      plat::DSBCAPS_CTRLPAN | plat::DSBCAPS_CTRLVOLUME |
                                      plat::DSBCAPS_GLOBALFOCUS |
                                      plat::DSBCAPS_GETCURRENTPOSITION2;
constexpr std::uint32_t kStreamCaps = plat::DSBCAPS_CTRLFREQUENCY | plat::DSBCAPS_CTRLPAN |
                                      plat::DSBCAPS_CTRLVOLUME |
                                      plat::DSBCAPS_CTRLPOSITIONNOTIFY |
                                      plat::DSBCAPS_GLOBALFOCUS |
                                      plat::DSBCAPS_GETCURRENTPOSITION2;
static_assert(kStaticCaps == 0x180E2 && kStreamCaps == 0x181E0);

// Times the rest of the enclosing block while profiling is on.
VexmoraSystem::TVexmoraFunctionProfile Scope(const char* name) {
  using VexmoraDebugSystem::TVexmoraDebug;
  return VexmoraSystem::TVexmoraFunctionProfile(
      TVexmoraDebug::GetProfile() ? TVexmoraDebug::GetProfiler() : nullptr, name);
}

[[noreturn]] void Fail(const char* detail, std::string_view name) {
  throw EVxSoundBuffer(std::string(detail) + std::string(name));
}

}  // namespace

TVexmoraSoundBuffer::TVexmoraSoundBuffer() {
  const auto scope = Scope("TVexmoraSoundBuffer::TVexmoraSoundBuffer");
}

TVexmoraSoundBuffer::~TVexmoraSoundBuffer() {
  const auto scope = Scope("TVexmoraSoundBuffer::~TVexmoraSoundBuffer");
  Release();
}

bool TVexmoraSoundBuffer::StreamRunning() const { return worker && !worker->Finished(); }

void TVexmoraSoundBuffer::Halt() {
  if (mode == kStreamed && buffers[0]) buffers[0]->Stop();
  JoinWorker();
}

void TVexmoraSoundBuffer::JoinWorker() {
  if (!worker) return;
  quit.Set();
  worker->WaitFor();
  worker.reset();
  quit.Reset();
  for (auto& e : events)
    if (e) e->Reset();
}

// The worker first; the DirectSound buffers before the events they signal.
void TVexmoraSoundBuffer::Release() {
  Halt();
  notify = false;
  for (auto& b : buffers) b.reset();
  for (auto& e : events) e.reset();
  stream.reset();
}

void TVexmoraSoundBuffer::LoadFile(plat::IDirectSound& directSound, std::string_view name,
                                   std::string_view file, std::uint8_t newMode) {
  const auto scope = Scope("TVexmoraSoundBuffer::LoadFile");
  Release();
  bufferName.clear();
  fileName.clear();
  playCount = 0;
  dataOffset = 0;
  dataSize = 0;
  mode = kNotLoaded;
  looping = false;
  cursor = {};

  stream = OpenWaveSource(file);
  const TWaveInfo info = ReadWaveHeader(*stream, file);
  format = info.format;
  dataOffset = info.dataOffset;
  dataSize = info.dataSize;
  if (newMode == kStatic) LoadStatic(directSound, file);
  if (newMode == kStreamed) LoadStreamed(directSound, file);

  bufferName = name;
  fileName = file;
  mode = newMode;
}

void TVexmoraSoundBuffer::LoadStatic(plat::IDirectSound& directSound, std::string_view file) {
  if (plat::FAILED(directSound.CreateSoundBuffer({kStaticCaps, dataSize, &format}, buffers[0])))
    Fail("バッファの作成に失敗しました。\nファイル名：", file);
  void *p1 = nullptr, *p2 = nullptr;
  std::uint32_t n1 = 0, n2 = 0;
  if (plat::FAILED(buffers[0]->Lock(0, dataSize, &p1, &n1, &p2, &n2, 0)))
    Fail("バッファのロックに失敗しました。\nファイル名：", file);
  stream->Seek(dataOffset, plat::SeekOrigin::Begin);
  stream->Read(p1, n1);
  if (n2 != 0) stream->Read(p2, n2);
  buffers[0]->Unlock(p1, n1, p2, n2);
  for (std::size_t i = 1; i < buffers.size(); ++i)
    if (plat::FAILED(directSound.DuplicateSoundBuffer(buffers[0], buffers[i])))
      Fail("バッファの複製に失敗しました。\nファイル名：", file);
  stream.reset();
}

void TVexmoraSoundBuffer::LoadStreamed(plat::IDirectSound& directSound,
                                       std::string_view file) {
  const std::uint64_t half = 2ull * format.nSamplesPerSec * format.nBlockAlign;
  if (half == 0 || 2 * half > plat::DSBSIZE_MAX)
    Fail("バッファの作成に失敗しました。\nファイル名：", file);
  halfSize = static_cast<std::uint32_t>(half);
  bitsPerSample = format.wBitsPerSample;
  if (plat::FAILED(directSound.CreateSoundBuffer({kStreamCaps, 2 * halfSize, &format}, buffers[0])))
    Fail("バッファの作成に失敗しました。\nファイル名：", file);
  if (plat::FAILED(buffers[0]->QueryNotify()))
    Fail("通知オブジェクトの作成に失敗しました。\nファイル名：", file);
  notify = true;
  for (auto& e : events) e = std::make_unique<plat::Event>(false, false);
  const std::array<plat::DSBPOSITIONNOTIFY, 3> positions{{{0, events[0].get()},
                                                          {halfSize, events[1].get()},
                                                          {plat::DSBPN_OFFSETSTOP, events[2].get()}}};
  if (plat::FAILED(buffers[0]->SetNotificationPositions(positions)))
    Fail("通知オブジェクトの作成に失敗しました。\nバッファ名：", file);
}

}  // namespace VexmoraSoundSystem
