// ranking_reader_fuzz — K_score.dat contents of any length and any bytes:
// reading must never crash, and every row must end up with a terminated date
// text that converts to valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/ranking.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx::Ranking rows{};
  kx::ParseRanking(std::span(reinterpret_cast<const std::byte*>(data), size), rows);
  for (const auto& row : rows) {
    if (row.dateText[19] != 0) std::abort();
    const std::string text = kx::Utf16ToUtf8(row.dateText);
    if (kx::Utf8ToUtf16(text).size() > 19) std::abort();
  }
  const auto bytes = kx::SerializeRanking(rows);
  kx::Ranking again{};
  kx::ParseRanking(bytes, again);
  if (kx::SerializeRanking(again) != bytes) std::abort();
  return 0;
}
