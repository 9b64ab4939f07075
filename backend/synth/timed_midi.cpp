// timed_midi.cpp — the send queue and the sample-accurate render loop.
#include "synth/timed_midi.h"

#include <algorithm>
#include <utility>

namespace plat::synth {
namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;
// Time differences are clamped before scaling so ns x rate cannot overflow.
constexpr std::int64_t kFarNs = 1000 * kNsPerSecond;

// Floor of (ns * frames / spanNs) for a frame index that may be negative.
std::int64_t FramesIn(std::int64_t ns, std::int64_t frames, std::int64_t spanNs) {
  ns = std::clamp(ns, -kFarNs, kFarNs);
  const std::int64_t scaled = ns * frames;
  return scaled >= 0 ? scaled / spanNs : -((-scaled + spanNs - 1) / spanNs);
}

bool NoteOn(std::span<const std::uint8_t> m) {
  return m.size() == 3 && (m[0] & 0xF0) == 0x90 && m[2] != 0;
}

}  // namespace

void TimedMidi::Send(std::span<const std::uint8_t> bytes, std::int64_t sentNs) {
  if (bytes.empty()) return;
  std::lock_guard lock(m_);
  sent_.push_back({sentNs, static_cast<std::uint32_t>(sentBytes_.size()),
                   static_cast<std::uint32_t>(bytes.size())});
  sentBytes_.insert(sentBytes_.end(), bytes.begin(), bytes.end());
}

void TimedMidi::Clear() {
  std::lock_guard lock(m_);
  sent_.clear();
  sentBytes_.clear();
  clear_ = true;  // the working lists belong to the render thread
}

void TimedMidi::SetObserver(Observer observer) {
  std::lock_guard lock(m_);
  observer_ = std::move(observer);
}

void TimedMidi::Take() {
  if (next_ == work_.size()) {
    work_.clear();
    workBytes_.clear();
  } else if (next_ > 0) {  // drop what was applied; the few waiting move up
    const std::uint32_t firstByte = work_[next_].at;
    work_.erase(work_.begin(), work_.begin() + static_cast<std::ptrdiff_t>(next_));
    for (Queued& q : work_) q.at -= firstByte;
    workBytes_.erase(workBytes_.begin(), workBytes_.begin() + firstByte);
  }
  next_ = 0;
  std::lock_guard lock(m_);
  renderObserver_ = observer_;
  if (clear_) {
    work_.clear();
    workBytes_.clear();
    next_ = 0;
    clear_ = false;
  }
  if (sent_.empty()) return;
  if (work_.empty()) {  // the usual case: swap, keeping both sides' capacity
    work_.swap(sent_);
    workBytes_.swap(sentBytes_);
    return;
  }
  const auto base = static_cast<std::uint32_t>(workBytes_.size());
  for (Queued q : sent_) work_.push_back({q.ns, q.at + base, q.size});
  workBytes_.insert(workBytes_.end(), sentBytes_.begin(), sentBytes_.end());
  sent_.clear();
  sentBytes_.clear();
}

void TimedMidi::Flush(MidiSink& sink) {
  Take();
  for (; next_ < work_.size(); ++next_)
    sink.Apply(std::span(workBytes_.data() + work_[next_].at, work_[next_].size));
}

void TimedMidi::Render(MidiSink& sink, std::int16_t* out, int frames, int rate,
                       std::int64_t blockStartNs, std::int64_t blockNs) {
  if (frames <= 0 || rate <= 0) return;
  Take();
  // Frames per span of send time: the rate itself, or this block's stretch.
  const std::int64_t perFrames = blockNs > 0 ? frames : rate;
  const std::int64_t perNs = blockNs > 0 ? blockNs : kNsPerSecond;
  int done = 0;
  for (; next_ < work_.size(); ++next_) {
    const Queued& q = work_[next_];
    const std::int64_t frame = FramesIn(q.ns - blockStartNs, perFrames, perNs);
    if (frame >= frames) break;  // a later block's
    // The first edge a message can take effect at from here, then the one
    // nearest the message's frame.
    const std::int64_t first = done + sink.FramesToGrid(rate);
    std::int64_t effect = first;
    if (frame > first) {
      const std::int64_t grid = sink.GridFrames(rate);
      effect = first + (frame - first + grid / 2) / grid * grid;
      if (effect >= frames) break;  // on an edge of the next block
      if (effect > done)
        sink.Mix(out + 2 * static_cast<std::ptrdiff_t>(done), static_cast<int>(effect - done),
                 rate);
      done = static_cast<int>(effect);
    }
    const std::span<const std::uint8_t> bytes(workBytes_.data() + q.at, q.size);
    sink.Apply(bytes);
    if (renderObserver_ && NoteOn(bytes))
      renderObserver_({q.ns, (effect - frame) * kNsPerSecond / rate});
  }
  if (done < frames) sink.Mix(out + 2 * static_cast<std::ptrdiff_t>(done), frames - done, rate);
}

}  // namespace plat::synth
