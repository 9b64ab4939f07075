// state_json.cpp — writes the report with a tiny hand-rolled JSON writer (the
// values are integers and short ASCII or UTF-8 texts).
#include "state_json.h"

#include <algorithm>
#include <sstream>

#include "game/Kx_main.h"

namespace kxh {
namespace {

void Utf16ToJsonString(std::ostringstream& out, const std::array<char16_t, 20>& text) {
  out << '"';
  for (char16_t u : text) {
    if (u == 0) break;
    if (u == '"' || u == '\\') {
      out << '\\' << static_cast<char>(u);
    } else if (u >= 0x20 && u < 0x7F) {
      out << static_cast<char>(u);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(u));
      out << buf;
    }
  }
  out << '"';
}

template <typename Table, typename Pred>
int CountActive(const Table& table, Pred active) {
  return static_cast<int>(std::count_if(table.begin(), table.end(), active));
}

void Field(std::ostringstream& out, const char* name, const kx::i32& v) {
  out << ",\n  \"" << name << "\": " << v;
}
template <std::size_t N>
void Field(std::ostringstream& out, const char* name, const kx::i32 (&v)[N]) {
  out << ",\n  \"" << name << "\": [";
  for (std::size_t i = 0; i < N; ++i) out << (i ? ", " : "") << v[i];
  out << ']';
}

}  // namespace

std::string StateJson(const kx::TForm1& game) {
  const kx::GameRecord& g = game.world.g;
  std::ostringstream out;
  out << "{\n  \"frame\": " << game.FrameCount();
  out << ",\n  \"gameMode\": " << game.gameMode;
  out << ",\n  \"gameModeName\": \"" << kx::GameModeName(game.gameMode) << '"';
  out << ",\n  \"modeTimer\": " << game.modeTimer;
  out << ",\n  \"invincible\": " << game.invincible;
#define KX_JSON_FIELD(name, count) Field(out, #name, g.name);
  KX_GAME_RECORD_FIELDS(KX_JSON_FIELD)
#undef KX_JSON_FIELD

  const auto& s = game.world.shipTrail[0];
  out << ",\n  \"shipTrail\": {\"x\": " << s.x << ", \"y\": " << s.y << ", \"bank\": " << s.bank
      << ", \"burstActive\": " << s.burstActive << ", \"burstSize\": " << s.burstSize
      << ", \"ringActive\": " << s.ringActive << ", \"ringSize\": " << s.ringSize << '}';

  const auto& w = game.world;
  out << ",\n  \"active\": {\"playerShots\": "
      << CountActive(w.playerShots, [](auto& e) { return e.active != 0; })
      << ", \"enemies\": " << CountActive(w.enemies, [](auto& e) { return e.state != 0; })
      << ", \"enemyShots\": " << CountActive(w.enemyShots, [](auto& e) { return e.active != 0; })
      << ", \"popups\": " << CountActive(w.popups, [](auto& e) { return e.timer != 0; })
      << ", \"particles\": " << CountActive(w.particles, [](auto& e) { return e.active != 0; })
      << '}';

  out << ",\n  \"highScores\": [";
  for (int row = 0; row < 7; ++row) {
    out << (row ? ",\n    " : "\n    ") << "{\"score\": " << game.highScores[row].score
        << ", \"dateText\": ";
    Utf16ToJsonString(out, game.highScores[row].dateText);
    out << '}';
  }
  out << "\n  ]";

  const kx::RunLog& log = game.Log();
  out << ",\n  \"sounds\": [";
  for (std::size_t i = 0; i < log.sounds.size(); ++i)
    out << (i ? ", " : "") << '[' << log.sounds[i].first << ", \"" << log.sounds[i].second << "\"]";
  out << "]";
  out << ",\n  \"songs\": [";
  for (std::size_t i = 0; i < log.songs.size(); ++i) {
    const auto& song = log.songs[i];
    out << (i ? ", " : "") << '[' << song.frame << ", \"" << song.name << '"';
    if (song.name != "stop") out << ", " << (song.loop ? "true" : "false");
    out << ']';
  }
  out << "]";

  out << ",\n  \"modes\": [";
  const auto& modes = log.modes;
  for (std::size_t i = 0; i < modes.size(); ++i)
    out << (i ? ", " : "") << '[' << modes[i].first << ", \"" << kx::GameModeName(modes[i].second)
        << "\"]";
  out << "]\n}\n";
  return out.str();
}

}  // namespace kxh
