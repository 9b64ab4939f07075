// timed_midi.h — MIDI messages queued with the time they were sent and
// applied to a synthesiser at the matching sample of the audio it renders.
//
// Any thread may Send; one audio thread Renders. The queue is a mutex held
// only to append (senders) or to take everything queued (the renderer: a
// swap, no copying unless messages are still waiting for a later block), so
// neither side waits for the other's work. Render maps each message's time to
// a frame of the block, renders the synthesiser up to it, applies the
// message, and goes on: messages land on their own sample, not on the block
// boundary. For a sink with a coarser grid a message goes to the grid edge
// nearest its frame, which may be up to half a grid step early (the message
// is known a device period ahead, so early is possible). A message whose
// frame already passed is applied at once (it is late); one beyond the block
// waits for the next. Messages are applied in the order they were sent.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

namespace plat::synth {

// What Render drives: a synthesiser (Synth) or a test's recorder.
class MidiSink {
 public:
  virtual ~MidiSink() = default;
  virtual void Apply(std::span<const std::uint8_t> bytes) = 0;
  // Adds the next `frames` interleaved stereo frames at `rate` into `out`.
  virtual void Mix(std::int16_t* out, int frames, int rate) = 0;
  // A synthesiser that works in fixed blocks takes messages on block edges
  // only: every GridFrames output frames, the next FramesToGrid frames from
  // the current position (0: a message applied now takes effect at once).
  virtual int GridFrames(int /*rate*/) const { return 1; }
  virtual int FramesToGrid(int /*rate*/) const { return 0; }
};

class TimedMidi {
 public:
  // Reported for every note-on applied (on the render thread): its send
  // time, and how late it sounds against the frame its time maps to
  // (negative: early, by the grid's rounding).
  struct NotePlaced {
    std::int64_t sentNs;
    std::int64_t lateNs;
  };
  using Observer = std::function<void(const NotePlaced&)>;

  // Any thread. `sentNs` must not go backwards between calls.
  void Send(std::span<const std::uint8_t> bytes, std::int64_t sentNs);
  // Render thread: mixes `frames` frames at `rate` into `out`, standing for
  // the send times from `blockStartNs` on, `blockNs` long (0: frames / rate).
  void Render(MidiSink& sink, std::int16_t* out, int frames, int rate, std::int64_t blockStartNs,
              std::int64_t blockNs = 0);
  // Applies every message not applied yet, at once (the render thread, or
  // any thread while nothing renders).
  void Flush(MidiSink& sink);
  // Forgets every message not applied yet (either thread).
  void Clear();
  // Null stops the reports. Takes effect from the next Render.
  void SetObserver(Observer observer);

 private:
  struct Queued {
    std::int64_t ns;
    std::uint32_t at, size;  // in the byte store
  };
  void Take();  // render thread: moves what was sent into the working lists

  std::mutex m_;
  std::vector<Queued> sent_;  // m_
  std::vector<std::uint8_t> sentBytes_;
  bool clear_ = false;
  Observer observer_;
  // Render thread only.
  std::vector<Queued> work_;
  std::vector<std::uint8_t> workBytes_;
  std::size_t next_ = 0;
  Observer renderObserver_;
};

}  // namespace plat::synth
