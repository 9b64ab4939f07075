// Vxdrawextext.cpp — text for TVexmoraDrawEx. The render target takes no
// DC drawing between scene begin and end, and a hardware target may have no
// DC at all, so text is written into a system-memory buffer, copied to a
// keyed buffer (video memory with the hardware device) and blitted onto the
// back surface with black as the key. Both buffers are Width x 128.
#include <algorithm>
#include <string>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "draw/Vxdrawex.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;

namespace {

constexpr int kTextHeight = 128;
const char* const kNoTextBuffer = "テキスト用サーフェイスの取得に失敗しました。";

}  // namespace

void TVexmoraDrawEx::CreateTextBuffer() {
  VxOperation("TVexmoraDrawEx::CreateTextBuffer", [&] {
    textKeySurface.reset();
    textSurface.reset();
    plat::DDSURFACEDESC2 desc;
    desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT;
    desc.dwCaps = plat::DDSCAPS_OFFSCREENPLAIN | plat::DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = width;
    desc.dwHeight = kTextHeight;
    if (!directDraw || plat::FAILED(directDraw->CreateSurface(desc, textSurface)))
      throw EVxDraw(kNoTextBuffer);
    desc.dwCaps =
        plat::DDSCAPS_OFFSCREENPLAIN | (useHAL ? 0u : std::uint32_t{plat::DDSCAPS_SYSTEMMEMORY});
    if (plat::FAILED(directDraw->CreateSurface(desc, textKeySurface))) {
      textSurface.reset();
      throw EVxDraw(kNoTextBuffer);
    }
    textKeySurface->SetColorKey(0, 0);
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::テンポラリサーフェイスの作成に成功");
  });
}

void TVexmoraDrawEx::TextOutA(int x, int y, std::string_view text) {
  VxOperation("TVexmoraDrawEx::TextOutA", [&] {
    RequireInitialised();
    if (!textSurface || !textKeySurface) throw EVxDraw("テキスト用サーフェイスが存在しません。");
    EndScene();
    std::unique_ptr<plat::SurfaceDC> dc;
    const plat::HRESULT hr = textSurface->GetDC(dc);
    if (hr == plat::DDERR_SURFACELOST) {
      textSurface->Restore();
      return;
    }
    if (plat::FAILED(hr)) throw EVxDraw("デバイスコンテキストの取得に失敗。");
    // Black is the key: a red byte of at least 0x10 keeps every text pixel
    // off it in any format.
    if ((font.color & 0xFF) < 0x10) font.color |= 0x10;
    plat::Canvas& canvas = dc->canvas();
    canvas.font = font;
    const plat::Point size = canvas.TextExtent(text);
    if (x + size.x <= 0 || x >= width || y + size.y <= 0 || y >= height) return;
    const int left = std::max(0, x), top = std::max(0, y);
    const int w = std::min(width, x + size.x) - left;
    const int h = std::min({height - top, y + size.y - top, kTextHeight});
    // The visible part goes to the buffer's top-left, on black.
    canvas.Brush.color = plat::clBlack;
    canvas.Brush.style = plat::BrushStyle::Solid;
    canvas.FillRect({0, 0, w, h});
    canvas.Brush.style = plat::BrushStyle::Clear;
    canvas.TextOut(x - left, y - top, text);
    dc.reset();  // ReleaseDC
    const plat::Rect part{0, 0, w, h};
    if (textKeySurface->BltFast(0, 0, *textSurface, part, false) == plat::DDERR_SURFACELOST) {
      RestoreIfLost(textSurface.get());
      RestoreIfLost(textKeySurface.get());
      return;
    }
    if (backSurface->BltFast(left, top, *textKeySurface, part, true) == plat::DDERR_SURFACELOST) {
      RestoreIfLost(backSurface.get());
      RestoreIfLost(textKeySurface.get());
    }
  });
}

}  // namespace VexmoraDrawSystem
