// ranking.h — the seven-place ranking and its file K_score.dat.
//
// The file holds rows 0..6 in order, 44 bytes each, no header: the score as
// a signed 32-bit little-endian integer, then the date text as 20 UTF-16LE
// units (at most 19 characters and a 0). 308 bytes in all. A short file fills
// the rows it covers; bytes beyond 308 are ignored. Saving writes a temporary
// file beside it and renames it over, so a failed save never destroys the
// ranking already on disk.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>

#include "game/Kx_main.h"

namespace kx {

using Ranking = std::array<HighScoreEntry, kHighScoreRows>;
inline constexpr std::size_t kRankingRowBytes = 44, kRankingFileBytes = 7 * kRankingRowBytes;

// Fills the rows the bytes cover (whole or partial rows); the others stay.
// Date texts are cut to 19 units so every row ends in a 0.
void ParseRanking(std::span<const std::byte> bytes, Ranking& rows);
std::array<std::byte, kRankingFileBytes> SerializeRanking(const Ranking& rows);
// Sets the row's date text, cut to 19 units and ended by a 0.
void SetDateText(HighScoreEntry& row, const std::u16string& text);
// Row i: (7 - i) x 2000 with `dateText`; the spare row 0.
void DefaultRanking(Ranking& rows, const std::u16string& dateText);

// False when the file cannot be opened for update (missing or read-only).
bool LoadRankingFile(const std::string& path, Ranking& rows);
// False when the ranking could not be saved; the old file is then intact.
bool SaveRankingFile(const std::string& path, const Ranking& rows);

// UTF-8 <-> UTF-16 for the date texts (invalid input becomes U+FFFD).
std::u16string Utf8ToUtf16(const std::string& s);
std::string Utf16ToUtf8(std::span<const char16_t> units);

}  // namespace kx
