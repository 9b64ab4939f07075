// score.h — a song as the composer writes it: parts (one MIDI channel and
// General MIDI program each) holding notes and expression changes, a tempo
// map, text events and how the song loops. encode() turns it into a Standard
// MIDI File that suits the game's player:
//   - 4/4 throughout; tempos whole multiples of 1000 us, restated on every
//     bar line so a late reset of the player cannot leave the wrong tempo;
//   - each channel's program, volume (CC7, only here, so fades work), pan,
//     reverb, chorus and expression at tick 0 and again about 100 ms later;
//     notes only from 150 ms on, after the player's GM System On;
//   - marker loops: RepeatStart/RepeatEnd texts on bar lines, expression
//     restated at the loop start, every note released at least a 32nd note
//     before the loop end (later channel events would be skipped by the jump);
//   - whole-song loops end with a neutral "Loop" marker on the final bar line;
//   - songs that play once end with their last note-off;
//   - a key is never struck again on a channel while it sounds: hits of two
//     patterns on one tick merge, an earlier note is cut by a later one.
// Breaking a rule is a composing mistake: encode() throws std::logic_error.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace ag::audio {

struct Note {
  std::uint32_t tick, len;
  int key, vel;
};

struct Control {
  std::uint32_t tick;
  int controller, value;
};

class Part {
 public:
  Part(std::string name, int channel, int program, int ppq);
  const std::string& name() const { return name_; }
  int channel() const { return channel_; }
  int program() const { return program_; }
  int ppq() const { return ppq_; }
  std::uint32_t sixteenth() const { return static_cast<std::uint32_t>(ppq_ / 4); }

  // Mixer settings sent at the start; expression is restated at a loop start.
  Part& mix(int volume, int pan, int reverb = 40, int chorus = 0, int expression = 110);

  void note(std::uint32_t tick, std::uint32_t len, int key, int vel);
  void expressionAt(std::uint32_t tick, int value);
  // CC11 ramp from `from` at t0 to `to` at t1, a step every 16th note.
  void swell(std::uint32_t t0, std::uint32_t t1, int from, int to);

  const std::vector<Note>& notes() const { return notes_; }
  const std::vector<Control>& controls() const { return controls_; }
  int volume = 100, pan = 64, reverb = 40, chorus = 0, expression = 110;

 private:
  std::string name_;
  int channel_, program_, ppq_;
  std::vector<Note> notes_;
  std::vector<Control> controls_;
};

enum class LoopKind { None, Whole, Markers };

// A text meta event placed by the composer (marker 6, cue 7, lyric 5, text 1).
struct TextEvent {
  std::uint32_t tick;
  int type;
  std::string text;
};

class Song {
 public:
  Song(std::string title, int ppq, int format = 1);
  int ppq() const { return ppq_; }
  std::uint32_t bar(int n) const { return static_cast<std::uint32_t>(n * 4 * ppq_); }
  std::uint32_t beat(int n) const { return static_cast<std::uint32_t>(n * ppq_); }
  const std::string& title() const { return title_; }

  Part& part(std::string name, int channel, int program);
  // From `tick` on; the default before the first change is 500000 (120 bpm).
  void tempo(std::uint32_t tick, std::uint32_t usPerQuarter);
  void text(std::uint32_t tick, int type, std::string text);
  void sysex(std::uint32_t tick, std::vector<std::uint8_t> message);

  // Plays bars [0, endBar) and jumps back to startBar while looping; the
  // repeat texts are meta events of `type` 6 (marker) or 7 (cue point).
  void loopMarkers(int startBar, int endBar, int type, std::string startText, std::string endText);
  // Plays `bars` bars and restarts from tick 0.
  void loopWhole(int bars);

  std::string copyright, comment;
  bool runningStatus = false;

  // Seconds from the start to `tick` under the tempo map.
  double secondsAt(std::uint32_t tick) const;
  std::vector<std::uint8_t> encode() const;

 private:
  std::uint32_t tempoAt(std::uint32_t tick) const;
  std::uint32_t endTick() const;
  std::vector<Note> releasedNotes(const Part& p) const;
  void check(const Part& p, const std::vector<Note>& notes) const;

  std::string title_;
  int ppq_, format_;
  std::deque<Part> parts_;  // stable references for part()
  std::vector<std::pair<std::uint32_t, std::uint32_t>> tempi_;
  std::vector<TextEvent> texts_;
  std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> sysex_;
  LoopKind loop_ = LoopKind::None;
  std::uint32_t loopStart_ = 0, loopEnd_ = 0;
  int loopType_ = 6;
  std::string startText_, endText_;
};

}  // namespace ag::audio
