// Vxmidi.cpp — TVexmoraMidi's life: construction with its play thread and
// hidden window, Init and CleanUp of the MIDI output, the song table, the
// channel report, the window procedure and palette registration. Playback is
// in Vxmidiplay.cpp, the messages in Vxmidimsg.cpp.
#include "midi/Vxmidi.h"

#include <algorithm>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "core/Vxregister.h"
#include "midi/Vxmidiscope.h"

namespace VexmoraMidiSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxMidi;
using VexmoraSystem::VxOperation;

namespace {

const VexmoraSystem::TVexmoraTableTexts kSongTexts{
    "TVexmoraMidi::データ作成", "DataName:", "TVexmoraMidi::データ削除",
    "TVexmoraMidi::全データの削除", "データが存在しません。\nデータ名："};
constexpr std::uint32_t kInterval = 10;  // ms per play-thread cycle

}  // namespace

TVexmoraMidi::TVexmoraMidi(plat::TComponent* owner) : plat::TComponent(owner), songs(kSongTexts) {
  const auto scope = MidiScope("TVexmoraMidi::TVexmoraMidi");
  messageWindow =
      std::make_unique<plat::MessagePort>([this](const plat::Message& m) { WndProc(m); });
  // A thread that cannot start is tried again by Init, which fails if it
  // still cannot: nothing could play without it.
  playThread = std::make_unique<TVexmoraMidiPlayThread>(this, kInterval);
  if (!playThread->Running()) playThread.reset();
}

TVexmoraMidi::~TVexmoraMidi() {
  const auto scope = MidiScope("TVexmoraMidi::~TVexmoraMidi");
  try {
    CleanUp();
  } catch (...) {  // already traced; a destructor goes on
  }
  playThread.reset();  // terminates the thread and waits for it
  messageWindow.reset();
  currentHold = nullptr;
}

void TVexmoraMidi::RequireInit() const {
  if (!initialised) throw EVxMidi(VexmoraSystem::kNotInitialised);
}

void TVexmoraMidi::Init() {
  VxOperation("TVexmoraMidi::Init", [&] {
    TVexmoraDebug::TraceLine("TVexmoraMidi::初期化開始");
    if (initialised) return;  // the device is open already
    if (!playThread) {
      auto thread = std::make_unique<TVexmoraMidiPlayThread>(this, kInterval);
      if (!thread->Running()) throw EVxMidi("スレッドの作成に失敗しました。");
      playThread = std::move(thread);
    }
    plat::MMRESULT result = 0;
    {
      Lock device(deviceLock);
      result = plat::midiOutOpen(midiOut);
    }
    if (result != plat::MMSYSERR_NOERROR) {
      CleanUp();
      throw EVxMidi("MidiOutの作成に失敗しました。");
    }
    initialised = true;
  });
}

void TVexmoraMidi::CleanUp() {
  VxOperation("TVexmoraMidi::CleanUp", [&] {
    TVexmoraDebug::TraceLine("TVexmoraMidi::クリーンアップ");
    bool open = false;
    {
      Lock device(deviceLock);
      open = midiOut != nullptr;
    }
    if (open) {
      if (initialised) Stop();
      Lock device(deviceLock);
      plat::midiOutClose(midiOut);
    }
    initialised = false;
  });
}

void TVexmoraMidi::CreateData(std::string_view name, std::string_view fileName) {
  VxOperation("TVexmoraMidi::CreateData", [&] {
    songs.Create(
        name, fileName, [] { return new TVexmoraMidiData; },
        [fileName](TVexmoraMidiData& data) { data.LoadFile(fileName); });
  });
}

// A song that is playing stays alive through currentHold until it has ended.
void TVexmoraMidi::DeleteData(std::string_view name) {
  VxOperation("TVexmoraMidi::DeleteData", [&] { songs.Delete(name); });
}

void TVexmoraMidi::DeleteAllData() {
  VxOperation("TVexmoraMidi::DeleteAllData", [&] { songs.DeleteAll(); });
}

TVexmoraMidiData* TVexmoraMidi::GetSMFData(std::string_view name) {
  return VxOperation("TVexmoraMidi::GetSMFData", [&] { return &songs.Lookup(name); });
}

void TVexmoraMidi::GetChannelData(std::span<TVexmoraMidiChannel, 16> channels16) {
  VxOperation("TVexmoraMidi::GetChannelData", [&] {
    if (!Report) throw EVxMidi("Reportプロパティは、falseになっています。");
    Lock report(reportLock);
    std::ranges::copy(reportedChannels, channels16.begin());
  });
}

std::uint32_t TVexmoraMidi::GetDeltaTime() {
  return VxOperation("TVexmoraMidi::GetDeltaTime", [&] {
    Lock state(stateLock);
    return currentTick;
  });
}

std::uint32_t TVexmoraMidi::GetMusicTempo() {
  return VxOperation("TVexmoraMidi::GetMusicTempo", [&] {
    Lock state(stateLock);
    return tempo;
  });
}

void TVexmoraMidi::WndProc(const plat::Message& message) {
  VxOperation("TVexmoraMidi::WndProc", [&] {
    if (message.msg == kMidiStartMessage) {
      if (OnMidiStart) OnMidiStart(this);
    } else if (message.msg == kMidiEndMessage) {
      if (OnMidiEnd) OnMidiEnd(this);
      // The Reset belongs to the song that ended. When another has started
      // since (a Stop and a Play in one frame), the new song keeps its
      // position, tempo and channels.
      bool ended = false;
      {
        Lock state(stateLock);
        ended = !playing && message.wParam == playSerial;
        if (ended) currentData = nullptr;
      }
      if (ended) {
        currentHold = nullptr;
        Reset();
      }
    }
    // Anything else would go to DefWindowProc, which has nothing to do here.
  });
}

void Register() {
  VexmoraSystem::RegisterVexmoraComponent<TVexmoraMidi>("TVexmoraMidi");
}

}  // namespace VexmoraMidiSystem
