// arrange.cpp — chord symbols, voice leading and pattern playback.
#include "audio/arrange.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace ag::audio {
namespace {

struct Quality {
  std::string_view suffix;
  std::vector<int> intervals;
};

// Longest suffixes first so "m7b5" is not read as "m".
const std::vector<Quality>& qualities() {
  static const std::vector<Quality> q = {
      {"m7b5", {0, 3, 6, 10}}, {"maj7", {0, 4, 7, 11}}, {"sus2", {0, 2, 7}},
      {"sus4", {0, 5, 7}},     {"add9", {0, 4, 7, 2}},  {"dim", {0, 3, 6}},
      {"aug", {0, 4, 8}},      {"m7", {0, 3, 7, 10}},   {"m9", {0, 3, 7, 10, 2}},
      {"m6", {0, 3, 7, 9}},    {"7", {0, 4, 7, 10}},    {"6", {0, 4, 7, 9}},
      {"m", {0, 3, 7}},        {"p", {0, 7}},           {"", {0, 4, 7}},
  };
  return q;
}

int pitchClass(std::string_view s, std::size_t& used) {
  static const int letter[7] = {9, 11, 0, 2, 4, 5, 7};
  if (s.empty() || s[0] < 'A' || s[0] > 'G') throw std::logic_error("bad chord root");
  int pc = letter[s[0] - 'A'];
  used = 1;
  if (s.size() > 1 && (s[1] == '#' || s[1] == 'b')) {
    pc += s[1] == '#' ? 1 : 11;
    used = 2;
  }
  return pc % 12;
}

// Lowest key >= low with pitch class pc.
int above(int low, int pc) {
  return low + ((pc - low) % 12 + 12) % 12;
}

std::vector<int> stack(const Chord& c, std::size_t inversion, int low) {
  std::vector<int> v;
  for (std::size_t i = 0; i < c.tones.size(); ++i) {
    const int pc = c.tones[(inversion + i) % c.tones.size()];
    v.push_back(above(v.empty() ? low : v.back() + 1, pc));
  }
  return v;
}

// The inversion closest to the previous voicing (least total movement).
std::vector<int> voiceLead(const Chord& c, const std::vector<int>& prev, int low) {
  std::vector<int> best;
  int bestCost = 0;
  for (std::size_t inv = 0; inv < c.tones.size(); ++inv) {
    std::vector<int> v = stack(c, inv, low);
    int cost = 0;
    if (prev.empty()) {
      cost = v.front() - low;
    } else {
      for (std::size_t i = 0; i < std::min(v.size(), prev.size()); ++i)
        cost += std::abs(v[i] - prev[i]);
    }
    if (best.empty() || cost < bestCost) {
      best = v;
      bestCost = cost;
    }
  }
  return best;
}

struct Step {
  char sym;
  std::uint32_t at, len;  // in 16ths from the pattern's start
  bool accent;
};

std::vector<Step> steps(std::string_view pattern) {
  std::vector<Step> out;
  std::uint32_t at = 0;
  for (char c : pattern) {
    if (c == '!') {
      if (out.empty()) throw std::logic_error("pattern accent without a step");
      out.back().accent = true;
    } else if (c == '-') {
      if (out.empty()) throw std::logic_error("pattern hold without a step");
      out.back().len += 1;
      ++at;
    } else if (c == '.') {
      ++at;
    } else if (c != ' ' && c != '|') {
      out.push_back({c, at++, 1, false});
    }
  }
  if (at == 0) throw std::logic_error("empty pattern");
  out.push_back({'\0', at, 0, false});  // cycle length
  return out;
}

// Plays a pattern over the progression; pick(step, chord span, voicing)
// returns the keys a step sounds.
template <class Pick>
void cycle(Part& part, const std::vector<ChordSpan>& prog, int low, std::string_view pattern,
           int vel, Pick pick) {
  const std::vector<Step> st = steps(pattern);
  const std::uint32_t unit = part.sixteenth(), period = st.back().at * unit;
  // Patterns keep to the bar grid even when a progression starts mid-bar.
  const std::uint32_t barLen = 4u * static_cast<std::uint32_t>(part.ppq());
  const std::uint32_t start = prog.front().tick / barLen * barLen;
  std::vector<int> voicing;
  for (const ChordSpan& span : prog) {
    voicing = voiceLead(span.chord, voicing, low);
    const std::uint32_t end = span.tick + span.len;
    for (std::uint32_t base = start + (span.tick - start) / period * period; base < end;
         base += period)
      for (std::size_t i = 0; i + 1 < st.size(); ++i) {
        const std::uint32_t t = base + st[i].at * unit;
        if (t < span.tick || t >= end) continue;
        const std::uint32_t len = std::min(st[i].len * unit * 9 / 10, end - t);
        for (int key : pick(st[i].sym, span.chord, voicing))
          part.note(t, len, key, st[i].accent ? vel + 18 : vel);
      }
  }
}

}  // namespace

Chord chordOf(std::string_view symbol) {
  Chord c;
  std::size_t used = 0;
  c.root = pitchClass(symbol, used);
  c.bass = c.root;
  std::string_view rest = symbol.substr(used);
  const std::size_t slash = rest.find('/');
  if (slash != std::string_view::npos) {
    std::size_t bassUsed = 0;
    c.bass = pitchClass(rest.substr(slash + 1), bassUsed);
    rest = rest.substr(0, slash);
  }
  for (const Quality& q : qualities())
    if (rest == q.suffix) {
      for (int iv : q.intervals) c.tones.push_back((c.root + iv) % 12);
      return c;
    }
  throw std::logic_error("unknown chord " + std::string(symbol));
}

std::vector<ChordSpan> progression(const Song& song, std::uint32_t tick, std::string_view text) {
  std::vector<ChordSpan> out;
  const std::uint32_t unit = static_cast<std::uint32_t>(song.ppq() / 4);
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '|')) ++pos;
    if (pos >= text.size()) break;
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    std::string_view tok = text.substr(pos, end - pos);
    pos = end;
    std::uint32_t len16 = 16;
    const std::size_t colon = tok.find(':');
    if (colon != std::string_view::npos) {
      len16 = static_cast<std::uint32_t>(std::stoul(std::string(tok.substr(colon + 1))));
      tok = tok.substr(0, colon);
    }
    out.push_back({chordOf(tok), tick, len16 * unit});
    tick += len16 * unit;
  }
  if (out.empty()) throw std::logic_error("empty progression");
  return out;
}

std::uint32_t endOf(const std::vector<ChordSpan>& prog) {
  return prog.back().tick + prog.back().len;
}

void pad(Part& part, const std::vector<ChordSpan>& prog, int low, int vel) {
  std::vector<int> voicing;
  for (const ChordSpan& span : prog) {
    voicing = voiceLead(span.chord, voicing, low);
    for (int key : voicing) part.note(span.tick, span.len, key, vel);
  }
}

void arpeggio(Part& part, const std::vector<ChordSpan>& prog, int low, std::string_view pattern,
              int vel) {
  cycle(part, prog, low, pattern, vel, [](char sym, const Chord&, const std::vector<int>& v) {
    if (sym == 'x') return v;
    if (sym < '0' || sym > '9') throw std::logic_error("bad arpeggio step");
    const std::size_t k = static_cast<std::size_t>(sym - '0');
    return std::vector<int>{v[k % v.size()] + 12 * static_cast<int>(k / v.size())};
  });
}

void bassline(Part& part, const std::vector<ChordSpan>& prog, int low, std::string_view pattern,
              int vel) {
  cycle(part, prog, low, pattern, vel, [low](char sym, const Chord& c, const std::vector<int>&) {
    const int root = above(low, c.bass);
    const int third = c.tones.size() > 2 ? c.tones[1] : (c.root + 4) % 12;
    const int seventh = c.tones.size() > 3 ? c.tones[3] : (c.root + 10) % 12;
    switch (sym) {
      case 'R':
        return std::vector<int>{root};
      case 'O':
        return std::vector<int>{root + 12};
      case 'F':
        return std::vector<int>{above(root, (c.root + 7) % 12)};
      case 'f':
        return std::vector<int>{above(root - 12, (c.root + 7) % 12)};
      case 'T':
        return std::vector<int>{above(root, third)};
      case 'S':
        return std::vector<int>{above(root, seventh)};
      default:
        throw std::logic_error("bad bass step");
    }
  });
}

void harmony(Part& part, const std::vector<ChordSpan>& prog, std::uint32_t tick,
             std::string_view phrase, const PhraseStyle& style) {
  Part melody(part.name(), part.channel(), part.program(), part.ppq());
  play(melody, tick, phrase, style);
  for (const Note& n : melody.notes()) {
    const ChordSpan* span = &prog.front();
    for (const ChordSpan& s : prog)
      if (s.tick <= n.tick) span = &s;
    const std::vector<int>& tones = span->chord.tones;
    int key = n.key - 3;
    while (key > n.key - 9 && std::find(tones.begin(), tones.end(), key % 12) == tones.end()) --key;
    part.note(n.tick, n.len, key, n.vel);
  }
}

void drums(Part& part, std::uint32_t tick, int bars, const std::vector<DrumRow>& rows) {
  const std::uint32_t barLen = 4u * static_cast<std::uint32_t>(part.ppq());
  for (const DrumRow& row : rows) {
    if (row.div <= 0 || barLen % static_cast<std::uint32_t>(row.div))
      throw std::logic_error("drum grid does not divide the bar");
    const std::uint32_t step = barLen / static_cast<std::uint32_t>(row.div);
    std::string grid;
    for (char c : row.grid)
      if (c != ' ' && c != '|') grid += c;
    if (grid.empty()) throw std::logic_error("empty drum grid");
    const std::size_t total = static_cast<std::size_t>(bars) * static_cast<std::size_t>(row.div);
    for (std::size_t i = 0; i < total; ++i) {
      const char c = grid[i % grid.size()];
      const int vel = c == 'X' ? 120 : c == 'x' ? 96 : c == 'o' ? 60 : 0;
      if (c != '.' && vel == 0) throw std::logic_error("bad drum step");
      if (vel) part.note(tick + static_cast<std::uint32_t>(i) * step, step, row.key, vel);
    }
  }
}

}  // namespace ag::audio
