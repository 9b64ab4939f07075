// score.cpp — parts, tempo map and the rule-checking conversion to SMF.
#include "audio/score.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "audio/smf.h"

namespace ag::audio {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;

// GM controllers sent at the start of every part.
enum Cc { kVolume = 7, kPan = 10, kExpression = 11, kReverb = 91, kChorus = 93 };

}  // namespace

Part::Part(std::string name, int channel, int program, int ppq)
    : name_(std::move(name)), channel_(channel), program_(program), ppq_(ppq) {}

Part& Part::mix(int vol, int pn, int rev, int cho, int expr) {
  volume = vol;
  pan = pn;
  reverb = rev;
  chorus = cho;
  expression = expr;
  return *this;
}

void Part::note(std::uint32_t tick, std::uint32_t len, int key, int vel) {
  if (key < 0 || key > 127 || len == 0)
    throw std::logic_error(name_ + ": note out of range at tick " + std::to_string(tick));
  notes_.push_back({tick, len, key, std::clamp(vel, 1, 127)});
}

void Part::expressionAt(std::uint32_t tick, int value) {
  controls_.push_back({tick, kExpression, std::clamp(value, 0, 127)});
}

void Part::swell(std::uint32_t t0, std::uint32_t t1, int from, int to) {
  if (t1 <= t0) throw std::logic_error(name_ + ": empty swell");
  const std::uint32_t span = t1 - t0;
  for (std::uint32_t t = t0; t <= t1; t += sixteenth()) {
    const std::int64_t step = static_cast<std::int64_t>(to - from) * (t - t0);
    expressionAt(t, from + static_cast<int>(step / static_cast<std::int64_t>(span)));
  }
}

Song::Song(std::string title, int ppq, int format)
    : title_(std::move(title)), ppq_(ppq), format_(format) {}

Part& Song::part(std::string name, int channel, int program) {
  parts_.emplace_back(std::move(name), channel, program, ppq_);
  return parts_.back();
}

void Song::tempo(std::uint32_t tick, std::uint32_t usPerQuarter) {
  // The player converts with whole milliseconds per quarter note.
  if (usPerQuarter < 1000 || usPerQuarter % 1000)
    throw std::logic_error(title_ + ": tempo must be a multiple of 1000 us");
  std::erase_if(tempi_, [&](const auto& t) { return t.first == tick; });
  tempi_.emplace_back(tick, usPerQuarter);
  std::sort(tempi_.begin(), tempi_.end());
}

void Song::text(std::uint32_t tick, int type, std::string text) {
  texts_.push_back({tick, type, std::move(text)});
}

void Song::sysex(std::uint32_t tick, std::vector<std::uint8_t> message) {
  sysex_.emplace_back(tick, std::move(message));
}

void Song::loopMarkers(int startBar, int endBar, int type, std::string startText,
                       std::string endText) {
  if (startBar < 1 || endBar <= startBar || (type != 6 && type != 7))
    throw std::logic_error(title_ + ": bad loop");
  loop_ = LoopKind::Markers;
  loopStart_ = bar(startBar);
  loopEnd_ = bar(endBar);
  loopType_ = type;
  startText_ = std::move(startText);
  endText_ = std::move(endText);
}

void Song::loopWhole(int bars) {
  loop_ = LoopKind::Whole;
  loopStart_ = 0;
  loopEnd_ = bar(bars);
}

std::uint32_t Song::tempoAt(std::uint32_t tick) const {
  std::uint32_t t = kDefaultTempo;
  for (const auto& [at, us] : tempi_)
    if (at <= tick) t = us;
  return t;
}

double Song::secondsAt(std::uint32_t tick) const {
  double s = 0;
  std::uint32_t from = 0, us = kDefaultTempo;
  for (const auto& [at, next] : tempi_) {
    if (at >= tick) break;
    s += static_cast<double>(at - from) * us / (1e6 * ppq_);
    from = at;
    us = next;
  }
  return s + static_cast<double>(tick - from) * us / (1e6 * ppq_);
}

std::uint32_t Song::endTick() const {
  if (loop_ != LoopKind::None) return loopEnd_;
  std::uint32_t end = 0;
  for (const Part& p : parts_)
    for (const Note& n : p.notes()) end = std::max(end, n.tick + n.len);
  return end;
}

// Notes as written, with two repairs: a key struck again while it still
// sounds on the channel (a fill over a groove, say) becomes one note, or the
// earlier note is cut where the later starts; and in a looping song notes
// ringing into the last 32nd before the loop end are released there.
std::vector<Note> Song::releasedNotes(const Part& p) const {
  std::vector<Note> notes = p.notes();
  std::stable_sort(notes.begin(), notes.end(),
                   [](const Note& a, const Note& b) { return a.tick < b.tick; });
  std::vector<Note> out;
  std::map<int, std::size_t> last;  // key -> index in out of its latest note
  for (const Note& n : notes) {
    auto it = last.find(n.key);
    if (it != last.end()) {
      Note& prev = out[it->second];
      if (prev.tick == n.tick) {
        prev.len = std::max(prev.len, n.len);
        prev.vel = std::max(prev.vel, n.vel);
        continue;
      }
      prev.len = std::min(prev.len, n.tick - prev.tick);
    }
    last[n.key] = out.size();
    out.push_back(n);
  }
  if (loop_ == LoopKind::None) return out;
  const std::uint32_t limit = loopEnd_ - static_cast<std::uint32_t>(ppq_ / 8);
  for (Note& n : out) {
    if (n.tick >= limit)
      throw std::logic_error(title_ + "/" + p.name() + ": note too close to the loop end");
    n.len = std::min(n.len, limit - n.tick);
  }
  return out;
}

void Song::check(const Part& p, const std::vector<Note>& notes) const {
  const std::string where = title_ + "/" + p.name() + ": ";
  for (const Note& n : notes)
    if (secondsAt(n.tick) < 0.15) throw std::logic_error(where + "note in the first 150 ms");
  const std::uint32_t end = endTick();
  for (const Control& c : p.controls())
    if (c.tick > end || (loop_ != LoopKind::None && c.tick + ppq_ / 8 > end))
      throw std::logic_error(where + "controller change at or near the end");
}

std::vector<std::uint8_t> Song::encode() const {
  if (tempi_.empty() || tempi_.front().first != 0)
    throw std::logic_error(title_ + ": the tempo must be set at tick 0");
  const std::uint32_t end = endTick();
  SmfTrack conductor;
  conductor.meta(0, 3, title_);
  if (!copyright.empty()) conductor.meta(0, 2, copyright);
  if (!comment.empty()) conductor.meta(0, 1, comment);
  conductor.timeSignature(0, 4, 2);
  for (const auto& [tick, message] : sysex_) conductor.sysex(tick, message);
  for (std::uint32_t b = 0; b < end; b += bar(1)) conductor.tempo(b, tempoAt(b));
  for (const auto& [tick, us] : tempi_)
    if (tick % bar(1) && tick < end) conductor.tempo(tick, us);
  for (const TextEvent& t : texts_)
    conductor.meta(t.tick, static_cast<std::uint8_t>(t.type), t.text);
  if (loop_ == LoopKind::Markers) {
    conductor.meta(loopStart_, static_cast<std::uint8_t>(loopType_), startText_);
    conductor.meta(loopEnd_, static_cast<std::uint8_t>(loopType_), endText_);
  } else if (loop_ == LoopKind::Whole) {
    conductor.meta(loopEnd_, 6, "Loop");  // a stored event on the final bar line
  }

  // Settings again about 100 ms in, for devices slow to take the GM reset.
  const std::uint32_t settle =
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(ppq_) * 100000 / tempoAt(0));
  std::vector<SmfTrack> tracks = {conductor};
  for (const Part& p : parts_) {
    const std::vector<Note> notes = releasedNotes(p);
    check(p, notes);
    SmfTrack t;
    t.meta(0, format_ == 0 ? 4 : 3, p.name());
    for (std::uint32_t at : {0u, settle}) {
      t.program(at, p.channel(), p.program());
      t.control(at, p.channel(), kVolume, p.volume);
      t.control(at, p.channel(), kPan, p.pan);
      t.control(at, p.channel(), kReverb, p.reverb);
      t.control(at, p.channel(), kChorus, p.chorus);
      t.control(at, p.channel(), kExpression, p.expression);
    }
    if (loop_ == LoopKind::Markers) t.control(loopStart_, p.channel(), kExpression, p.expression);
    for (const Control& c : p.controls()) t.control(c.tick, p.channel(), c.controller, c.value);
    for (const Note& n : notes) {
      t.noteOn(n.tick, p.channel(), n.key, n.vel);
      t.noteOff(n.tick + n.len, p.channel(), n.key);
    }
    if (format_ == 0)
      tracks.front().append(t);
    else
      tracks.push_back(t);
  }
  return encodeSmf(format_, ppq_, tracks, end, runningStatus);
}

}  // namespace ag::audio
