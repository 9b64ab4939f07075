// Vxlogtext.cpp — UTF-8 to CP932 through iconv, and banner padding.
//
// A converter is opened per call: tracing is rare next to its file write, and
// no converter state then outlives a call, which keeps the log writable from
// the program-end clean-up whatever order static objects die in.
#include "core/Vxlogtext.h"

#include <iconv.h>

#include <cerrno>

namespace VexmoraDebugSystem {
namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Bytes of the malformed or unconvertible character at `p`: a well-formed
// UTF-8 sequence as a whole, else one byte.
std::size_t BadCharacterLength(const char* p, std::size_t left) {
  const auto lead = static_cast<unsigned char>(p[0]);
  std::size_t n = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    n = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    n = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    n = 4;
  if (n > left) return 1;
  for (std::size_t i = 1; i < n; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(p[i]))) return 1;
  }
  return n;
}

std::string AsciiOnly(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
    } else {
      out.push_back('?');
      i += BadCharacterLength(utf8.data() + i, utf8.size() - i);
    }
  }
  return out;
}

std::string Spaces(std::size_t n) {
  return std::string(n, ' ');
}

}  // namespace

std::string ToCp932(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return AsciiOnly(utf8);
  std::string out;
  out.reserve(utf8.size());
  char* in = const_cast<char*>(utf8.data());  // iconv does not write through it
  std::size_t inLeft = utf8.size();
  char buffer[512];
  while (inLeft > 0) {
    char* o = buffer;
    std::size_t oLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buffer, static_cast<std::size_t>(o - buffer));
    if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    out.push_back('?');  // EILSEQ or a sequence cut off at the end
    const std::size_t skip = BadCharacterLength(in, inLeft);
    in += skip;
    inLeft -= skip;
  }
  iconv_close(cd);
  return out;
}

std::string RuleLine() {
  return "// " + std::string(kBannerWidth - 3, '=');
}

std::string PaddedLine(std::string_view utf8) {
  std::string line = ToCp932(utf8);
  if (line.size() < kBannerWidth) line += Spaces(kBannerWidth - line.size());
  return line;
}

std::string RightAlignedLine(std::string_view utf8) {
  const std::string text = ToCp932(utf8);
  const std::size_t used = 2 + text.size();
  return "//" + Spaces(used < kBannerWidth ? kBannerWidth - used : 0) + text;
}

std::string LabelText(std::string_view utf8) {
  std::string label = ToCp932(utf8);
  if (label.size() < kLabelWidth) label += Spaces(kLabelWidth - label.size());
  return label + ToCp932("：");
}

}  // namespace VexmoraDebugSystem
