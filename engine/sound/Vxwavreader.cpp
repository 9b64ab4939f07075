// Vxwavreader.cpp — the WAVE source and header scan (see Vxwavreader.h).
//
// Every read is checked for its length; every skip is a seek from the
// chunk's start, so no size in the file can make the scan loop, allocate or
// read anything but the header bytes it asks for.
#include "sound/Vxwavreader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

#include "core/Vxerror.h"

namespace VexmoraSoundSystem {

using VexmoraSystem::EVxSoundBuffer;

namespace {

constexpr std::uint16_t kExtensibleTag = 0xFFFE;
constexpr std::size_t kFormatBytes = 18;     // WAVEFORMATEX
constexpr std::size_t kExtensionBytes = 22;  // valid bits, channel mask, sub-format
constexpr std::array<std::uint8_t, 16> kPcmSubFormat{0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0x10, 0x00, 0x80, 0x00, 0x00, 0xAA,
                                                     0x00, 0x38, 0x9B, 0x71};

[[noreturn]] void Fail(const char* detail, std::string_view fileName) {
  throw EVxSoundBuffer(std::string(detail) + std::string(fileName));
}

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool ReadExact(plat::Stream& s, void* to, std::size_t n) { return s.Read(to, n) == n; }

bool Is(const std::uint8_t* id, const char (&four)[5]) { return std::memcmp(id, four, 4) == 0; }

// To the end of a chunk whose payload starts at `payload`; RIFF pads odd
// payloads to an even length.
bool SkipChunk(plat::Stream& s, std::int64_t payload, std::uint32_t size) {
  return s.Seek(payload + size + (size & 1u), plat::SeekOrigin::Begin) >= 0;
}

// The record from the first `n` bytes of a "fmt " payload; bytes it does not
// cover stay 0.
plat::WAVEFORMATEX ParseFormat(const std::uint8_t* b, std::size_t n) {
  std::array<std::uint8_t, kFormatBytes> full{};
  std::copy_n(b, std::min(n, full.size()), full.begin());
  plat::WAVEFORMATEX f;
  f.wFormatTag = U16(&full[0]);
  f.nChannels = U16(&full[2]);
  f.nSamplesPerSec = U32(&full[4]);
  f.nAvgBytesPerSec = U32(&full[8]);
  f.nBlockAlign = U16(&full[12]);
  f.wBitsPerSample = U16(&full[14]);
  f.cbSize = U16(&full[16]);
  return f;
}

// Integer PCM behind an extensible record, when the samples fill their
// containers, is plain PCM.
void PlainIfPcm(plat::Stream& s, std::uint32_t chunkSize, plat::WAVEFORMATEX& f) {
  if (f.wFormatTag != kExtensibleTag || chunkSize < kFormatBytes + kExtensionBytes ||
      f.cbSize < kExtensionBytes)
    return;
  std::array<std::uint8_t, kExtensionBytes> ext{};
  if (!ReadExact(s, ext.data(), ext.size())) return;
  const std::uint16_t validBits = U16(&ext[0]);
  const bool pcm = std::equal(kPcmSubFormat.begin(), kPcmSubFormat.end(), ext.begin() + 6);
  if (pcm && (validBits == f.wBitsPerSample || validBits == 0)) {
    f.wFormatTag = plat::WAVE_FORMAT_PCM;
    f.cbSize = 0;
  }
}

}  // namespace

std::unique_ptr<plat::Stream> OpenWaveSource(std::string_view fileName) {
  if (auto resource = plat::OpenResource("WAVE", fileName)) return resource;
  if (auto file = plat::OpenFile(fileName, plat::FileMode::ReadShareDenyWrite)) return file;
  Fail("WAVEの読み込みに失敗しました。\nファイル名：", fileName);
}

TWaveInfo ReadWaveHeader(plat::Stream& stream, std::string_view fileName) {
  std::int64_t end = stream.Size();
  if (end < 0) end = std::numeric_limits<std::int64_t>::max();
  stream.Seek(0, plat::SeekOrigin::Begin);

  std::uint8_t head[8];
  if (!ReadExact(stream, head, 8) || !Is(head, "RIFF"))
    Fail("RIFFフォーマットではありません。\nファイル名：", fileName);
  if (!ReadExact(stream, head, 4) || !Is(head, "WAVE"))
    Fail("WAVEフォーマットではありません。\nファイル名：", fileName);

  TWaveInfo info;
  bool formatSeen = false;
  for (;;) {
    if (!ReadExact(stream, head, 8)) break;
    const std::uint32_t size = U32(head + 4);
    const std::int64_t payload = stream.Seek(0, plat::SeekOrigin::Current);
    if (payload < 0 || payload > std::numeric_limits<std::uint32_t>::max()) break;
    if (Is(head, "fmt ")) {
      const std::size_t want = std::min<std::size_t>(kFormatBytes, size);
      std::uint8_t record[kFormatBytes];
      if (!ReadExact(stream, record, want)) break;
      info.format = ParseFormat(record, want);
      PlainIfPcm(stream, size, info.format);
      formatSeen = true;
      if (!SkipChunk(stream, payload, size)) break;
    } else if (Is(head, "data")) {
      info.dataOffset = static_cast<std::uint32_t>(payload);
      info.dataSize = static_cast<std::uint32_t>(
          std::clamp<std::int64_t>(end - payload, 0, static_cast<std::int64_t>(size)));
      if (!formatSeen && !SkipChunk(stream, payload, size)) break;
    } else if (!SkipChunk(stream, payload, size)) {
      break;
    }
    if (formatSeen && info.dataOffset != 0 && info.dataSize != 0) break;
  }
  if (!formatSeen || info.dataOffset == 0 || info.dataSize == 0)
    Fail("ファイルフォーマットが不正です。\nファイル名：", fileName);
  return info;
}

}  // namespace VexmoraSoundSystem
