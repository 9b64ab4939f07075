// ranking_file.cpp — reading and writing K_score.dat.
#include <algorithm>
#include <cstdio>

#include "game/ranking.h"
#include "plat/kernel.h"

namespace kx {

void ParseRanking(std::span<const std::byte> bytes, Ranking& rows) {
  // The file's bytes over the current rows: a partial row keeps the part of
  // its old value the file does not cover.
  auto raw = SerializeRanking(rows);
  const std::size_t size = std::min(bytes.size(), kRankingFileBytes);
  std::copy_n(bytes.begin(), size, raw.begin());
  auto u8 = [&](std::size_t i) { return static_cast<std::uint32_t>(raw[i]); };
  for (std::size_t row = 0; row * kRankingRowBytes < size; ++row) {
    const std::size_t p = row * kRankingRowBytes;
    HighScoreEntry& e = rows[row];
    e.score = static_cast<i32>(u8(p) | u8(p + 1) << 8 | u8(p + 2) << 16 | u8(p + 3) << 24);
    for (std::size_t u = 0; u < 20; ++u)
      e.dateText[u] = static_cast<char16_t>(u8(p + 4 + 2 * u) | u8(p + 5 + 2 * u) << 8);
    e.dateText[19] = 0;
  }
}

std::array<std::byte, kRankingFileBytes> SerializeRanking(const Ranking& rows) {
  std::array<std::byte, kRankingFileBytes> out{};
  for (std::size_t row = 0; row < 7; ++row) {
    std::byte* p = out.data() + row * kRankingRowBytes;
    const auto score = static_cast<std::uint32_t>(rows[row].score);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::byte>(score >> (8 * i));
    for (std::size_t u = 0; u < 20; ++u) {
      p[4 + 2 * u] = static_cast<std::byte>(rows[row].dateText[u] & 0xFF);
      p[5 + 2 * u] = static_cast<std::byte>(rows[row].dateText[u] >> 8);
    }
  }
  return out;
}

void SetDateText(HighScoreEntry& row, const std::u16string& text) {
  row.dateText.fill(0);
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 19), row.dateText.begin());
}

void DefaultRanking(Ranking& rows, const std::u16string& dateText) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].score = i < 7 ? static_cast<i32>((7 - i) * 2000) : 0;
    SetDateText(rows[i], i < 7 ? dateText : std::u16string());
  }
}

bool LoadRankingFile(const std::string& path, Ranking& rows) {
  auto file = plat::OpenFile(path, plat::FileMode::ReadUpdate);
  if (!file) return false;
  std::array<std::byte, kRankingFileBytes> buffer{};
  std::size_t got = 0;
  while (got < buffer.size()) {
    const std::size_t n = file->Read(buffer.data() + got, buffer.size() - got);
    if (n == 0) break;
    got += n;
  }
  ParseRanking(std::span(buffer.data(), got), rows);
  return true;
}

bool SaveRankingFile(const std::string& path, const Ranking& rows) {
  const std::string temp = path + ".tmp";
  const auto bytes = SerializeRanking(rows);
  bool written = false;
  if (auto file = plat::OpenFile(temp, plat::FileMode::CreateWrite)) {
    written = file->Write(bytes.data(), bytes.size()) == bytes.size() && file->Flush();
  }
  if (written && plat::ReplaceFile(temp, path)) return true;
  std::remove(plat::NativePath(temp).c_str());
  return false;
}

std::u16string Utf8ToUtf16(const std::string& s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    char32_t cp = 0xFFFD;
    std::size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 6 && i + 1 < s.size()) {
      cp = (c & 0x1F) << 6 | (s[i + 1] & 0x3F);
      len = 2;
    } else if ((c >> 4) == 14 && i + 2 < s.size()) {
      cp = (c & 0x0F) << 12 | (s[i + 1] & 0x3F) << 6 | (s[i + 2] & 0x3F);
      len = 3;
    } else if ((c >> 3) == 30 && i + 3 < s.size()) {
      cp = (c & 0x07) << 18 | (s[i + 1] & 0x3F) << 12 | (s[i + 2] & 0x3F) << 6 | (s[i + 3] & 0x3F);
      len = 4;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string Utf16ToUtf8(std::span<const char16_t> units) {
  std::string out;
  for (std::size_t i = 0; i < units.size() && units[i] != 0; ++i) {
    char32_t cp = units[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;  // a lone surrogate from a damaged file
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | cp >> 6);
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | cp >> 12);
      out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | cp >> 18);
      out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

}  // namespace kx
