// Vxsoundstream.cpp — streamed playback: starting a buffer's worker thread
// and the worker itself, which refills the half the play cursor has just
// left whenever a notification wakes it.
//
// Half 0 is filled before the buffer starts, on the calling thread, so the
// first sound heard is never stale; starting from 0 fires the offset-0
// notification, which has the worker fill half 1. After that the notification
// at half-way asks for half 0 and the one at 0 for half 1. The payload is
// read in pieces that never go past its end; a looping stream goes on from
// the payload's start inside the same half. When a one-shot stream (or a
// source that stops delivering bytes) ends, the rest of that half is silence;
// at the next notification the cursor enters that half and the other one is
// silenced, and at the one after, once the end has been heard, the buffer is
// stopped, which fires the stop notification and ends the worker.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "sound/Vxsound.h"

namespace VexmoraSoundSystem {

using VexmoraSystem::EVxSound;

void TVexmoraSound::PlayStreamed(TVexmoraSoundBuffer& buffer, std::string_view name, bool loop) {
  buffer.stream->Seek(buffer.dataOffset, plat::SeekOrigin::Begin);
  buffer.looping = loop;
  buffer.cursor = {};
  FillHalf(buffer, 0);
  buffer.worker =
      plat::Thread::Start([this, target = &buffer](plat::Thread&) { StreamPlayThread(target); });
  if (!buffer.worker)
    throw EVxSound("スレッドの作成に失敗しました。\nバッファ名：" + std::string(name));
  if (plat::FAILED(buffer.buffers[0]->Play(0, 0, plat::DSBPLAY_LOOPING)))
    throw EVxSound("バッファの再生に失敗しました。失敗しました。\nバッファ名：" + std::string(name));
}

void TVexmoraSound::StreamPlayThread(TVexmoraSoundBuffer* buffer) {
  const std::array<plat::Event*, 4> wake{&buffer->quit, buffer->events[0].get(),
                                         buffer->events[1].get(), buffer->events[2].get()};
  for (;;) {
    const std::uint32_t hit = plat::WaitForMultipleObjects(wake, plat::INFINITE);
    if (hit == plat::WAIT_OBJECT_0 + 1) {
      FillHalf(*buffer, 1);  // the cursor is back at 0: half 1 has played
    } else if (hit == plat::WAIT_OBJECT_0 + 2) {
      FillHalf(*buffer, 0);  // the cursor is half-way: half 0 has played
    } else {
      break;  // quit, stopped, or a failed wait
    }
  }
  buffer->looping = false;
}

void TVexmoraSound::FillHalf(TVexmoraSoundBuffer& b, std::uint32_t half) {
  using Phase = TVexmoraSoundBuffer::TStreamPhase;
  TVexmoraSoundBuffer::TStreamCursor& c = b.cursor;
  plat::IDirectSoundBuffer& sound = *b.buffers[0];
  if (c.phase == Phase::kTailPlaying) {
    sound.Stop();
    return;
  }
  void *p1 = nullptr, *p2 = nullptr;
  std::uint32_t n1 = 0, n2 = 0;
  if (plat::FAILED(sound.Lock(half * b.halfSize, b.halfSize, &p1, &n1, &p2, &n2, 0))) return;

  const bool tail = c.phase == Phase::kEndWritten;
  bool ended = tail;
  const std::array<std::pair<void*, std::uint32_t>, 2> regions{{{p1, n1}, {p2, n2}}};
  for (const auto& [region, length] : regions) {
    auto* at = static_cast<std::uint8_t*>(region);
    std::size_t left = length;
    while (!ended && left > 0) {
      if (c.played == b.dataSize) {
        if (!b.looping || b.stream->Seek(b.dataOffset, plat::SeekOrigin::Begin) < 0) {
          ended = true;
          break;
        }
        c.played = 0;
      }
      const std::size_t got =
          b.stream->Read(at, std::min<std::size_t>(left, b.dataSize - c.played));
      if (got == 0) {
        ended = true;  // a source cut short: end here rather than spin
        break;
      }
      at += got;
      left -= got;
      c.played += static_cast<std::uint32_t>(got);
    }
    if (left > 0) std::memset(at, b.bitsPerSample == 8 ? 0x80 : 0x00, left);
  }
  if (!b.looping && c.played == b.dataSize) ended = true;
  sound.Unlock(p1, n1, p2, n2);
  if (tail)
    c.phase = Phase::kTailPlaying;
  else if (ended)
    c.phase = Phase::kEndWritten;
}

}  // namespace VexmoraSoundSystem
