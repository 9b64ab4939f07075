// phrase.cpp — the melody notation parser.
#include "audio/phrase.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace ag::audio {
namespace {

std::logic_error bad(std::string_view phrase, std::string_view why) {
  return std::logic_error("phrase \"" + std::string(phrase.substr(0, 40)) +
                          "...\": " + std::string(why));
}

struct Pending {
  std::vector<int> keys;
  std::uint32_t tick = 0, len = 0;
  int vel = 0;
  double gate = 0;
};

void flush(Part& part, Pending& p) {
  for (int k : p.keys) {
    const auto len = static_cast<std::uint32_t>(std::lround(p.len * p.gate));
    part.note(p.tick, std::max<std::uint32_t>(len, 1), k, p.vel);
  }
  p.keys.clear();
}

}  // namespace

int keyOf(std::string_view name) {
  static const int letter[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
    throw std::logic_error("bad pitch " + std::string(name));
  int key = letter[name[0] - 'A'];
  std::size_t i = 1;
  if (name[i] == '#' || name[i] == 'b') key += name[i++] == '#' ? 1 : -1;
  if (i >= name.size()) throw std::logic_error("pitch without octave " + std::string(name));
  int octave = 0;
  for (; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') throw std::logic_error("bad pitch " + std::string(name));
    octave = octave * 10 + (name[i] - '0');
  }
  return key + 12 * (octave + 1);
}

std::uint32_t play(Part& part, std::uint32_t tick, std::string_view phrase, const PhraseStyle& st) {
  const std::uint32_t start = tick, unit = part.sixteenth();
  std::uint32_t len16 = 4;
  Pending pending;
  std::size_t pos = 0;
  while (pos < phrase.size()) {
    while (pos < phrase.size() && phrase[pos] == ' ') ++pos;
    const std::size_t endTok = std::min(phrase.find(' ', pos), phrase.size());
    std::string_view tok = phrase.substr(pos, endTok - pos);
    pos = endTok;
    if (tok.empty()) continue;
    if (tok == "|") {
      if ((tick - start) % (16 * unit)) throw bad(phrase, "bar not full before |");
      continue;
    }
    int vel = st.vel;
    double gate = st.gate;
    while (!tok.empty() && std::string_view("!?._").find(tok.back()) != std::string_view::npos) {
      switch (tok.back()) {
        case '!':
          vel += 18;
          break;
        case '?':
          vel = vel * 6 / 10;
          break;
        case '.':
          gate = 0.5;
          break;
        default:
          gate = 1.0;
          break;
      }
      tok.remove_suffix(1);
    }
    const std::size_t colon = tok.find(':');
    if (colon != std::string_view::npos) {
      len16 = 0;
      for (char c : tok.substr(colon + 1)) {
        if (c < '0' || c > '9') throw bad(phrase, "bad length");
        len16 = len16 * 10 + static_cast<std::uint32_t>(c - '0');
      }
      if (len16 == 0) throw bad(phrase, "zero length");
      tok = tok.substr(0, colon);
    }
    const std::uint32_t len = len16 * unit;
    if (tok == "-") {
      if (pending.keys.empty()) throw bad(phrase, "hold without a note");
      pending.len += len;
    } else {
      flush(part, pending);
      if (tok != "r") {
        for (std::size_t p = 0; p <= tok.size();) {
          const std::size_t plus = std::min(tok.find('+', p), tok.size());
          pending.keys.push_back(keyOf(tok.substr(p, plus - p)) + st.transpose);
          p = plus + 1;
        }
        pending.tick = tick;
        pending.len = len;
        pending.vel = vel;
        pending.gate = gate;
      }
    }
    tick += len;
  }
  flush(part, pending);
  return tick;
}

}  // namespace ag::audio
