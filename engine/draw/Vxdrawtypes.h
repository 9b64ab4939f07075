// Vxdrawtypes.h — the 2D drawing library's value types: blend effects, the
// record every pixel routine and EffectDraw callback receives, the key and
// depth choices, and a named surface's description.
#pragma once

#include <cstdint>
#include <string>

namespace VexmoraDrawSystem {

enum TBlendEffect : std::uint8_t {
  beNormal = 0,  // plain copy by DirectDraw
  beTrans,       // d(255 - a)/256 + s a/256
  beAdd,         // min(max, d + s a/256)
  beMod,         // max(0, d - (max - s) a/256)
  beSub,         // max(0, d - s a/256)
  beColorAdd,    // source + constant colour 0x00RRGGBB, over the destination
  beColorMod     // source x constant colour / 256, over the destination
};
inline constexpr int kEffectCount = 7;

enum TTransparentColor : std::uint8_t { tcBlack = 0, tcWhite, tcRed, tcGreen, tcBlue };
enum TColorDepth : std::uint8_t { cd16bpp = 0, cd24bpp, cd32bpp };

// What a pixel routine works on. Pitches are signed bytes between rows.
// param1: the blend amount or colour (the angle for rotation); param2: the
// zoom for rotation, free for EffectDraw.
struct TVexmoraDrawDirect {
  std::uint8_t* dest = nullptr;
  std::uint8_t* source = nullptr;
  std::int32_t destPitch = 0;
  std::int32_t sourcePitch = 0;
  std::int32_t width = 0, height = 0;
  std::int32_t x = 0, y = 0;
  std::int32_t param1 = 0;
  std::int32_t param2 = 0;
};
using TPixelRoutine = void (*)(const TVexmoraDrawDirect&);
// EffectDraw's callback: the record by const reference.
using TEffectCallback = void (*)(const TVexmoraDrawDirect&);

struct TVexmoraDrawSurfaceInfo {
  int patternWidth = 0, patternHeight = 0;
  int bitmapWidth = 0, bitmapHeight = 0;
  int columns = 0;  // bitmapWidth / patternWidth
  int count = 0;    // (bitmapHeight / patternHeight) * columns
  std::string fileName;
  std::string surfaceName;

  // The grid of a w x h bitmap; a pattern size of 0 means the whole side.
  void SetGrid(int w, int h, int pw, int ph) {
    bitmapWidth = w;
    bitmapHeight = h;
    patternWidth = pw ? pw : w;
    patternHeight = ph ? ph : h;
    columns = patternWidth > 0 ? w / patternWidth : 0;
    count = patternHeight > 0 ? (h / patternHeight) * columns : 0;
  }
};

}  // namespace VexmoraDrawSystem
