// midi.cpp — the SDL backend's MIDI device: the shared music synthesiser
// (synth/synth.h), rendered into the audio device by the audio callback.
//
// The synthesiser is made by the first OpenMidi. Without a soundfont the
// device still opens but stays silent, and says why once on stderr, so the
// game runs on without music. Messages arrive from the platform one at a time
// (any thread) and are queued with their send time; the audio callback applies
// each at its own sample, one device period after it was sent (a constant
// delay, never rounded to the period). While no audio device runs they go to
// the synthesiser at once, so nothing piles up.
#include <cstdio>

#include "plat/detail/scheduler.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

std::int64_t NowNs() {
  return static_cast<std::int64_t>(detail::ActiveScheduler().NowNs());
}

}  // namespace

bool SdlBackend::OpenMidi() {
  if (midi_) return true;
  static bool warned = false;
  std::string why;
  midi_ = synth::Synth::Create(why);
  if (!midi_) {
    // The device opens anyway, silent: the game runs on without music
    // rather than refusing to start.
    if (!warned) std::fprintf(stderr, "korvanix: no MIDI music: %s\n", why.c_str());
    warned = true;
    return true;
  }
  midiLive_.store(midi_.get(), std::memory_order_release);
  return true;
}

void SdlBackend::MidiMessage(std::span<const std::uint8_t> bytes) {
  if (!midi_ || bytes.empty()) return;
  const std::int64_t now = NowNs();
  if (midiTrace_.sent) midiTrace_.sent(now);
  if (audioRunning_.load(std::memory_order_acquire))
    midiQueue_.Send(bytes, now);
  else
    midi_->Apply(bytes);
}

void SdlBackend::CloseMidi() {
  // The synthesiser stays for the next open; nothing may keep sounding.
  static constexpr std::uint8_t kSystemReset = 0xFF;
  if (midi_) MidiMessage(std::span(&kSystemReset, 1));
}

void SdlBackend::MixMidi(std::int16_t* out, int frames, int rate, std::int64_t nowNs) {
  synth::Synth* m = midiLive_.load(std::memory_order_acquire);
  if (!m || frames <= 0 || rate <= 0) return;
  const synth::DeviceClock::Window w = midiClock_.Block(nowNs, frames, rate);
  midiQueue_.Render(*m, out, frames, rate, w.startNs, w.lengthNs);
}

void SdlBackend::TraceMidi(MidiTrace trace) {
  midiTrace_ = std::move(trace);
  if (midiTrace_.notePlaced)
    midiQueue_.SetObserver([f = midiTrace_.notePlaced](const synth::TimedMidi::NotePlaced& n) {
      f(n.sentNs, n.lateNs);
    });
  else
    midiQueue_.SetObserver(nullptr);
}

void TraceMidi(MidiTrace trace) {
  if (auto* b = dynamic_cast<SdlBackend*>(detail::ActiveBackend())) b->TraceMidi(std::move(trace));
}

}  // namespace plat::sdl
