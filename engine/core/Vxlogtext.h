// Vxlogtext.h — the debug log's text in code page 932 (Shift-JIS).
//
// Texts are UTF-8 in the engine; the log file is CP932 byte for byte, so all
// widths (77-byte banner lines, 31-byte labels) are counted on the converted
// bytes. Characters CP932 lacks and malformed UTF-8 become '?' (one per
// character or bad byte); when the system has no CP932 converter at all,
// ASCII passes through and everything else becomes '?'.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace VexmoraDebugSystem {

inline constexpr std::size_t kBannerWidth = 77;  // bytes before the line feed
inline constexpr std::size_t kLabelWidth = 31;   // bytes before "："

std::string ToCp932(std::string_view utf8);

// Banner lines, CP932, without the line feed.
std::string RuleLine();                               // "// " and 74 '='
std::string PaddedLine(std::string_view utf8);        // text, spaces up to 77 bytes
std::string RightAlignedLine(std::string_view utf8);  // "//", spaces, text ending at byte 77
// A processor-block label: the label padded to 31 bytes, then "：".
std::string LabelText(std::string_view utf8);

}  // namespace VexmoraDebugSystem
