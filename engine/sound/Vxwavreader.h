// Vxwavreader.h — finding a RIFF WAVE sound's source and reading its header:
// the format record and where the sample bytes are.
//
// The source is the program's "WAVE" module resource named like the file when
// there is one, else the file itself. The header scan reads "RIFF", "WAVE",
// then chunks: "fmt " gives the format (its first 18 bytes at most), "data"
// the samples; any other chunk is skipped. So that unusual or hostile files
// neither derail the scan nor cost more than they hold:
// - a "fmt " chunk longer than 18 bytes is skipped to its end, and RIFF's pad
//   byte after an odd-sized chunk is skipped too;
// - a "data" chunk ahead of "fmt " is stepped over, so the order does not
//   matter;
// - the sample size is cut to the bytes the source really holds, so a
//   truncated file plays what it has and a lying size never makes a huge
//   buffer;
// - an extensible format record (tag 0xFFFE) whose sub-format is integer PCM
//   of the container's width becomes the plain PCM record it is equivalent
//   to.
// Errors are EVxSoundBuffer with the file name.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "plat/dsound.h"
#include "plat/kernel.h"

namespace VexmoraSoundSystem {

struct TWaveInfo {
  plat::WAVEFORMATEX format;
  std::uint32_t dataOffset = 0;  // stream position of the first sample byte
  std::uint32_t dataSize = 0;    // sample bytes, all of them inside the source
};

// The "WAVE" resource named `fileName`, else the file opened for reading;
// throws "WAVEの読み込みに失敗しました。" when neither opens.
std::unique_ptr<plat::Stream> OpenWaveSource(std::string_view fileName);

// Scans `stream` from its start. Throws "RIFFフォーマットではありません。",
// "WAVEフォーマットではありません。" or, without a format or samples,
// "ファイルフォーマットが不正です。".
TWaveInfo ReadWaveHeader(plat::Stream& stream, std::string_view fileName);

}  // namespace VexmoraSoundSystem
