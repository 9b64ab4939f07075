// mixer.cpp — the voice list, play/stop with their notifications, and the
// render pass with master gain, device shape and clipping.
//
// Notifications: after a voice moved from cursor A to B in one render, every
// offset at an unwrapped frame position p with A < p <= B fires, in order of
// p. When more than a whole buffer passed, each offset fires once for the
// last full lap (setting an event twice is the same as once). A one-shot that
// ends fires the offsets before its end, then its stop events; offset 0 does
// not fire at the end (the cursor goes back to 0 without playing on).
#include "mixer.h"

#include <algorithm>
#include <limits>

namespace plat::dsound {

void Mixer::Add(Voice* v) { voices_.push_back(v); }

void Mixer::Remove(Voice* v) { std::erase(voices_, v); }

void Mixer::Start(Voice& v, bool looping) {
  v.looping = looping;
  if (v.playing) return;
  v.playing = true;
  if ((v.position & 0xFFFFFFFFu) != 0) return;
  const std::uint64_t at = v.position >> 32;
  for (const auto& n : v.atOffsets)
    if (n.dwOffset / v.format.blockAlign == at) n.hEventNotify->Set();
}

void Mixer::Stop(Voice& v) {
  if (!v.playing) return;
  v.playing = false;
  for (Event* e : v.atStop) e->Set();
}

void Mixer::FireCrossed(const Voice& v, const Travel& t) const {
  if (!v.atOffsets.empty() && t.to > t.from) {
    const std::uint64_t n = v.frames;
    const std::uint64_t last = t.ended ? n - 1 : t.to;  // inclusive
    const std::uint64_t lapLast = last / n;
    const std::uint64_t lapFirst = lapLast >= 2 ? lapLast - 1 : 0;
    for (std::uint64_t lap = lapFirst; lap <= lapLast; ++lap)
      for (const auto& note : v.atOffsets) {
        const std::uint64_t p = lap * n + note.dwOffset / v.format.blockAlign;
        if (p > t.from && p <= last) note.hEventNotify->Set();
      }
  }
  if (t.ended)
    for (Event* e : v.atStop) e->Set();
}

void Mixer::SetRate(std::uint32_t rate) {
  std::lock_guard lock(mutex_);
  rate_ = rate;
}

std::uint32_t Mixer::Rate() {
  std::lock_guard lock(mutex_);
  return rate_;
}

void Mixer::SetMasterVolume(std::int32_t hundredthsDb) {
  std::lock_guard lock(mutex_);
  master_ = GainQ16(hundredthsDb);
}

void Mixer::SetShape(bool mono, bool eightBit) {
  std::lock_guard lock(mutex_);
  mono_ = mono;
  eightBit_ = eightBit;
}

void Mixer::Render(std::int16_t* out, int frames) {
  if (frames <= 0) return;
  std::lock_guard lock(mutex_);
  acc_.assign(static_cast<std::size_t>(frames) * 2, 0);
  for (Voice* v : voices_) {
    if (!v->playing || rate_ == 0) continue;
    const std::uint64_t step = (static_cast<std::uint64_t>(v->frequency) << 32) / rate_;
    const Travel t = MixVoice(*v, acc_.data(), frames, step);
    if (t.ended) v->playing = false;
    FireCrossed(*v, t);
  }
  constexpr std::int64_t kMin = std::numeric_limits<std::int16_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int16_t>::max();
  for (std::size_t i = 0; i < acc_.size(); i += 2) {
    std::int64_t l = acc_[i], r = acc_[i + 1];
    if (master_ != kUnityGain) {
      l = (l * master_ + 0x8000) >> 16;
      r = (r * master_ + 0x8000) >> 16;
    }
    if (mono_) l = r = (l + r) >> 1;
    l = std::clamp(l, kMin, kMax);
    r = std::clamp(r, kMin, kMax);
    if (eightBit_) {
      l &= ~std::int64_t{0xFF};
      r &= ~std::int64_t{0xFF};
    }
    out[i] = static_cast<std::int16_t>(l);
    out[i + 1] = static_cast<std::int16_t>(r);
  }
}

}  // namespace plat::dsound
