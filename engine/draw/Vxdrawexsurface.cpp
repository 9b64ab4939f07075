// Vxdrawexsurface.cpp — loading a bitmap into texture tiles and reloading
// them after a loss. Each tile is drawn through a 128 x 128 system-memory
// staging texture (texture memory of the hardware devices has no DC) and
// copied onto the tile.
#include "draw/Vxdrawexsurface.h"

#include <string>
#include <vector>

#include "core/Vxerror.h"
#include "core/Vxoperation.h"
#include "draw/Vxbitmap.h"
#include "plat/canvas.h"

namespace VexmoraDrawSystem {

using VexmoraSystem::EVxDrawSurface;
using VexmoraSystem::VxOperation;

namespace {

// A plain 16-bit format: no alpha, FourCC or 4-bit palette, not 4:4:4:4.
bool PlainSixteenBit(const plat::DDPIXELFORMAT& f) {
  constexpr std::uint32_t kRefused =
      plat::DDPF_ALPHAPIXELS | plat::DDPF_ALPHA | plat::DDPF_FOURCC | plat::DDPF_PALETTEINDEXED4;
  const bool fourFourFour =
      f.dwRBitMask == 0x0F00 && f.dwGBitMask == 0x00F0 && f.dwBBitMask == 0x000F;
  return f.dwRGBBitCount == 16 && !(f.dwFlags & kRefused) && !fourFourFour;
}

int TilesFor(int pixels) {
  return (pixels + TVexmoraDrawExSurface::kTileSize - 1) / TVexmoraDrawExSurface::kTileSize;
}

}  // namespace

TVexmoraDrawExSurface::TVexmoraDrawExSurface(plat::IDirectDraw7* display,
                                             plat::IDirect3DDevice7* d3dDevice)
    : TVexmoraDrawSurface(display), owner(display), device(d3dDevice) {}

bool TVexmoraDrawExSurface::AnyLost() const {
  for (const auto& t : tiles)
    if (t && t->IsLost() == plat::DDERR_SURFACELOST) return true;
  return false;
}

void TVexmoraDrawExSurface::ReleaseTiles() {
  for (auto& t : tiles) t.reset();
  tilesX = tilesY = 0;
}

std::optional<plat::DDPIXELFORMAT> TVexmoraDrawExSurface::TextureFormat() const {
  std::vector<plat::DDPIXELFORMAT> formats;
  if (!device || plat::FAILED(device->EnumTextureFormats(formats))) return std::nullopt;
  for (const plat::DDPIXELFORMAT& f : formats)
    if (PlainSixteenBit(f)) return f;
  return std::nullopt;
}

void TVexmoraDrawExSurface::CreateTiles(int across, int down) {
  ReleaseTiles();
  const std::optional<plat::DDPIXELFORMAT> f = TextureFormat();
  if (!f) throw EVxDrawSurface("サーフェイスの列挙に失敗しました。");
  format = *f;
  plat::D3DDEVICEDESC7 caps;
  device->GetCaps(caps);
  const bool hardware =
      caps.deviceGUID == plat::D3DDEVTYPE::HAL || caps.deviceGUID == plat::D3DDEVTYPE::TnLHAL;
  plat::DDSURFACEDESC2 desc;
  desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT | plat::DDSD_PIXELFORMAT |
                 plat::DDSD_TEXTURESTAGE;
  desc.dwCaps = plat::DDSCAPS_TEXTURE | (hardware ? 0u : std::uint32_t{plat::DDSCAPS_SYSTEMMEMORY});
  desc.dwCaps2 = hardware ? plat::DDSCAPS2_TEXTUREMANAGE : 0u;
  desc.dwWidth = desc.dwHeight = kTileSize;
  desc.ddpfPixelFormat = format;
  for (int r = 0; r < down; ++r)
    for (int q = 0; q < across; ++q) {
      auto& tile = tiles[static_cast<std::size_t>(r * kMaxTiles + q)];
      if (!owner || plat::FAILED(owner->CreateSurface(desc, tile))) {
        ReleaseTiles();
        throw EVxDrawSurface("スプライトサーフェイスの作成に失敗しました。");
      }
    }
  tilesX = across;
  tilesY = down;
}

TVexmoraDrawExSurface::FillResult TVexmoraDrawExSurface::FillTiles(const plat::Bitmap& bmp) {
  plat::DDSURFACEDESC2 desc;
  desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT | plat::DDSD_PIXELFORMAT;
  desc.dwCaps = plat::DDSCAPS_TEXTURE | plat::DDSCAPS_SYSTEMMEMORY;
  desc.dwWidth = desc.dwHeight = kTileSize;
  desc.ddpfPixelFormat = format;
  std::shared_ptr<plat::IDirectDrawSurface7> staging;
  if (!owner || plat::FAILED(owner->CreateSurface(desc, staging))) return FillResult::NoStaging;
  for (int r = 0; r < tilesY; ++r)
    for (int q = 0; q < tilesX; ++q) {
      std::unique_ptr<plat::SurfaceDC> dc;
      if (plat::FAILED(staging->GetDC(dc))) return FillResult::NoDC;
      plat::Canvas& canvas = dc->canvas();
      canvas.Brush.color = plat::clBlack;
      canvas.Brush.style = plat::BrushStyle::Solid;
      canvas.FillRect({0, 0, kTileSize, kTileSize});
      canvas.Draw(-kTileSize * q, -kTileSize * r, bmp);
      dc.reset();  // ReleaseDC
      Tile(r, q)->Blt(nullptr, staging.get(), nullptr, false);
    }
  return FillResult::Done;
}

void TVexmoraDrawExSurface::LoadFile(std::string_view name, std::string_view file, bool,
                                     std::uint32_t keyColour, int pw, int ph) {
  VxOperation("TVexmoraDrawExSurface::LoadFile", [&] {
    ReleaseTiles();
    fileName.clear();
    surfaceName.clear();
    const std::string path(file);
    const plat::Bitmap bmp = LoadSurfaceBitmap(path);
    if (bmp.Width() > kMaxBitmap || bmp.Height() > kMaxBitmap)
      throw EVxDrawSurface("BMPが大きすぎます（1024×1024ピクセルまで）。\nファイル名：" + path);
    SetGrid(bmp.Width(), bmp.Height(), pw, ph);
    CreateTiles(TilesFor(bitmapWidth), TilesFor(bitmapHeight));
    const FillResult filled = FillTiles(bmp);
    if (filled != FillResult::Done) {
      ReleaseTiles();
      throw EVxDrawSurface((filled == FillResult::NoStaging
                                ? "サーフェイスの作成に失敗しました。\nファイル名："
                                : "デバイスコンテキストの取得に失敗しました。\nファイル名：") +
                           path);
    }
    for (const auto& t : tiles)
      if (t) t->SetColorKey(keyColour, keyColour);
    surfaceName = name;
    fileName = path;
  });
}

void TVexmoraDrawExSurface::Restore() {
  VxOperation("TVexmoraDrawExSurface::Restore", [&] {
    if (!Loaded())
      throw EVxDrawSurface("サーフェイスが存在しません\nサーフェイス名：" + surfaceName);
    for (const auto& t : tiles)
      if (t && t->IsLost() == plat::DDERR_SURFACELOST && plat::FAILED(t->Restore()))
        return;  // the next draw tries again
    const plat::Bitmap bmp = LoadSurfaceBitmap(fileName);
    if (FillTiles(bmp) != FillResult::Done) {
      ReleaseTiles();
      throw EVxDrawSurface("サーフェイスの復帰に失敗しました。");
    }
  });
}

}  // namespace VexmoraDrawSystem
