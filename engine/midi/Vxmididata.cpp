// Vxmididata.cpp — loading a Standard MIDI File: the source, the header and
// the chunks. The events inside a track are read by Vxsmfreader.cpp.
//
// Chunks are read in pieces of at most 64 KiB, so a length field that
// promises more than the file holds fails on the data actually there instead
// of allocating what it claims.
#include "midi/Vxmididata.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "core/Vxerror.h"
#include "midi/Vxmidiscope.h"
#include "plat/kernel.h"

namespace VexmoraMidiSystem {
namespace {

constexpr const char* kLoadFailed = "MIDIの読み込みに失敗しました。";
constexpr const char* kBadHeader = "ファイルヘッダが不正です。";
constexpr const char* kBadFormat = "SMFFormat0またはSMFFormat1ではありません。";
constexpr const char* kBadTrackHeader = "トラックヘッダが不正です。";
constexpr const char* kBadData = "ファイルデータが不正です。";
constexpr std::uint32_t kPiece = 64 * 1024;

std::uint32_t Big16(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] << 8 | p[1]);
}
std::uint32_t Big32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// A chunk type of four printable ASCII characters ("MTrk", "Junk", ...).
bool ChunkType(const std::uint8_t* p) {
  return std::all_of(p, p + 4, [](std::uint8_t c) { return c >= 0x20 && c < 0x7F; });
}

// Reads `length` bytes into `out` (or past them when `out` is null); false
// when the source ends first.
bool ReadChunk(plat::Stream& source, std::uint32_t length, std::vector<std::uint8_t>* out) {
  std::vector<std::uint8_t> scratch;
  std::vector<std::uint8_t>& buffer = out ? *out : scratch;
  buffer.clear();
  for (std::uint32_t done = 0; done < length;) {
    const std::uint32_t n = std::min(kPiece, length - done);
    const std::size_t at = out ? done : 0;
    buffer.resize(at + n);
    if (source.Read(buffer.data() + at, n) != n) return false;
    done += n;
  }
  return true;
}

}  // namespace

TVexmoraMidiDataInfo::TVexmoraMidiDataInfo() {
  const auto scope = MidiScope("TVexmoraMidiDataInfo::TVexmoraMidiDataInfo");
}

TVexmoraMidiDataInfo::~TVexmoraMidiDataInfo() {
  const auto scope = MidiScope("TVexmoraMidiDataInfo::~TVexmoraMidiDataInfo");
}

void TVexmoraMidiDataInfo::Clear() {
  const auto scope = MidiScope("TVexmoraMidiDataInfo::Clear");
  texts.clear();
  noticeTexts.clear();
  trackNames.clear();
  shortMessages.clear();
  longMessages.clear();
  metaEvents.clear();
}

TVexmoraMidiData::TVexmoraMidiData() {
  const auto scope = MidiScope("TVexmoraMidiData::TVexmoraMidiData");
}

TVexmoraMidiData::~TVexmoraMidiData() {
  const auto scope = MidiScope("TVexmoraMidiData::~TVexmoraMidiData");
}

void TVexmoraMidiData::Fail(const char* detail) const {
  throw VexmoraSystem::EVxMidi(std::string(detail) + "\nファイル名：" + fileName_);
}

void TVexmoraMidiData::LoadFile(std::string_view fileName) {
  const auto scope = MidiScope("TVexmoraMidiData::LoadFile");
  fileName_ = fileName;
  std::unique_ptr<plat::Stream> source = plat::OpenResource("MIDI", fileName);
  if (!source) source = plat::OpenFile(fileName, plat::FileMode::ReadShareDenyWrite);
  if (!source) Fail(kLoadFailed);
  Read(*source);
}

void TVexmoraMidiData::Read(plat::Stream& source) {
  Clear();
  // A data object may be loaded twice: the length and the time signature
  // belong to this file alone.
  lengthTicks = 0;
  timeSigNumerator = timeSigDenominator = timeSigClocks = 0;

  std::uint8_t header[14];
  if (source.Read(header, sizeof header) != sizeof header || std::memcmp(header, "MThd", 4) != 0)
    Fail(kBadHeader);
  // The header's length field is not used: the tracks follow at offset 14.
  format = Big16(header + 8);
  const std::uint32_t tracks = Big16(header + 10);
  division = Big16(header + 12);
  // Format 0 is one track by definition; more would be a format 1 file
  // that claims otherwise.
  if (format > 1 || (format == 0 && tracks != 1)) Fail(kBadFormat);
  if (division == 0) Fail(kBadHeader);  // no tick would ever pass

  std::vector<std::uint8_t> buffer;
  for (std::uint32_t read = 0; read < tracks;) {
    std::uint8_t chunk[8];
    if (source.Read(chunk, sizeof chunk) != sizeof chunk) Fail(kBadTrackHeader);
    const bool track = std::memcmp(chunk, "MTrk", 4) == 0;
    if (!track && !ChunkType(chunk)) Fail(kBadTrackHeader);
    const std::uint32_t length = Big32(chunk + 4);
    if (!ReadChunk(source, length, track ? &buffer : nullptr)) Fail(kBadData);
    if (!track) continue;  // a chunk of another kind is not a track
    ReadTrack(buffer.data(), length);
    ++read;
  }
}

}  // namespace VexmoraMidiSystem
