// stage_scripts_data.cpp — the opcodes of the three stages.
//
// The scripts are written in their compact form ("0*2" is two waits) and
// expanded at compile time; a wrong count fails the build, so a slip while
// editing a wave cannot shift every later opcode unnoticed.
#include <cstddef>
#include <string_view>

#include "game/world/stage_scripts.h"

namespace kx {
namespace {

template <std::size_t N>
consteval std::array<std::int16_t, N> Expand(std::string_view text) {
  std::array<std::int16_t, N> out{};
  std::size_t n = 0, i = 0;
  auto number = [&]() {
    int v = 0;
    if (i >= text.size() || text[i] < '0' || text[i] > '9') throw "expected a number";
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') v = v * 10 + (text[i++] - '0');
    return v;
  };
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const int op = number();
    int repeat = 1;
    if (i < text.size() && text[i] == '*') {
      ++i;
      repeat = number();
    }
    for (int r = 0; r < repeat; ++r) {
      if (n >= N) throw "script longer than declared";
      out[n++] = static_cast<std::int16_t>(op);
    }
  }
  if (n != N) throw "script shorter than declared";
  return out;
}

}  // namespace

constexpr std::array<std::int16_t, 230> kStage1Script = Expand<230>(
    "71 1 0*2 17 0*2 17 0*2 17 0*2 6 8 6 8 6 8 7 8 6 8 7 8 6 8 54 0*2 4 0 4 0 5 0 5 8 4 8 5 8 4 8 "
    "5 0*2 13 8 14 8 15 8 12 0 6 8 6 8 6 8 7 8 6 8 7 8 6 8 54 0*2 11 0 11 0 11 0 11 8*2 11 9 0 11 "
    "10 0 11 9 0 11 10 0 11 0 9 10 0 8 68 0*2 5 8 4 8 5 0 17 9 5 8 4 10 17 9 5 8 4 10 17 4 8 5 17 "
    "4 8 5 8 11 8 16 8 11 8 16 8 11 8 16 8 59 8 16 0 59 0*2 9 8 10 8 9 8 10 8 9 8 10 0 8 6 8 6 8 6 "
    "8 7 8 6 8 7 8 6 8 54 0*2 64 0 80 0 19 0 74 21 8 0*2 18 0 19 8 72 8 78 0*34");

constexpr std::array<std::int16_t, 350> kStage2Script = Expand<350>(
    "8 2 0*2 36 0 36 0 36 0*2 6 8 6 8 6 8 7 8 6 8 7 8 6 8 54 0*2 23 24 0 23 24 0 23 24 0 23 24 0 "
    "23 24 0 22 23 24 0 22 23 24 0 22 8 65 8 22 8 22 8 65 8 22 8 22 8 65 8 22 8 22 8 65 8 22 8 22 "
    "30 0 65 30 8*2 30 8 30 8 30 8 30 36 8 30 8 36 30 8 36 30 8 36 30 8 36 30 8 36 30 0*2 6 8 6 8 "
    "6 8 7 8 6 8 7 8 6 8 54 0*2 25 0 8 26 0 8 27 0 8 26 0 29 27 0 25 0 29 27 0 26 0 29 26 0*2 29 "
    "0*3 23 24 0 23 24 0 70 23 24 0 23 24 0 23 24 8 0 8 37 8 37 8 37 70 37 31 8 37 32 8 37 31 70 "
    "37 32 8 37 31 8 37 31 8 37 32 8 37 31 8 37 32 70 31 32 8 32 31 8 32 31 32 8 31 32 31 8 31 32 "
    "70 8 0 39 8 40 8 39 8 40 8 42 39 8 39 41 8 40 42 8 40 41 8 39 40 8 40 41 8 41 42 8 42 39 8 39 "
    "40 41 8 41 40 39 8 39 40 42 8 39 40 41 8 41*2 40 8 40 39*2 0*2 33 0 34 0 33 0 34 8 33 8 34 0 "
    "35 0*2 6 8 6 8 6 8 7 8 6 8 7 8 6 8 54 0*2 80 0 74 8 21 0*2 38 0 19 8 73 8 78 0*22");

constexpr std::array<std::int16_t, 380> kStage3Script = Expand<380>(
    "8 3 0 53 8 66 8 52 8 53 8 67 8 53 52 53 52 53 68 53 52 53 8 52 53 8 52 53 0 8 6 8 6 8 6 8 7 8 "
    "6 8 7 8 6 8 54 0*2 52 66 52 53 52 53 52 66 52 53 52 53 67 52 53 0 8 29 0 49 8 50 8 49 29 50 8 "
    "49 8 50 8 49 0 47 48 47 8 46 45 47 48 47 48 66 46*2 47 48 8 47 46 45 48 67 45 46 47 48 8 45 "
    "46 47 48 47 48 68 0 60 0 51 0 61 8 51 0 62 8 51 0 55 0 56 0 55 8 56 8 55 8 56 0*2 6 8 6 8 6 8 "
    "7 8 6 8 7 8 6 8 54 0 57 0 58 8 57 58 8 57 58 8 57 58 57 58 63 58 57 58 57 63 58 57 58 57 63 "
    "57 58 57 58 63 8 57 58 63 57 63 57 58 8 63 8 63*2 8 63*2 8 63*3 8 33 63*3 8 34 63*3 8 34 63*2 "
    "8 33 63*2 8 34 63*2 65 63 33 63*3 65 0 8 55 45 46 47 48 8 56 47 48 47 48 8 55 45 46 47 48 8 "
    "56 45 46 47 48 8 55 48 47 56 46 45 8 66 45 46 47 48 66 8 47 48 47 48 67 45 46 0 69 8 69*2 8 "
    "69 66 69 8 69 67 69 8 69 8*2 65 0 66 0 67 0 68 19 0 8*2 6 8 6 8 6 8 7 8 6 8 7 8 6 8 54 0*2 80 "
    "0 76 8 21 0*2 43 0 19 8 44 8 79 0*40");

std::span<const std::int16_t> StageScript(std::int32_t stage) {
  switch (stage) {
    case 0: return kStage1Script;
    case 1: return kStage2Script;
    case 2: return kStage3Script;
    default: return {};
  }
}

}  // namespace kx
