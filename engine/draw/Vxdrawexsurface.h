// Vxdrawexsurface.h — TVexmoraDrawExSurface, one named image of the
// accelerated 2D component: the bitmap cut into 128 x 128 textures (tiles)
// of the device's first plain 16-bit format (5:6:5 or 5:5:5), row by row.
//
// Limits: at most 8 x 8 tiles, so bitmaps up to 1024 x 1024 pixels; larger
// ones are refused on loading. Tiles are managed textures for the hardware
// devices and system-memory textures for the software one; every tile has
// the component's colour key. Texels right of or below the bitmap are black.
// Errors are EVxDrawSurface.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "draw/Vxdrawsurface.h"
#include "plat/d3d.h"
#include "plat/ddraw.h"

namespace VexmoraDrawSystem {

class TVexmoraDrawExSurface : public TVexmoraDrawSurface {
 public:
  static constexpr int kTileSize = 128;
  static constexpr int kMaxTiles = 8;  // per row and per column
  static constexpr int kMaxBitmap = kTileSize * kMaxTiles;

  // `device` (not owned) chooses the texture format and memory.
  TVexmoraDrawExSurface(plat::IDirectDraw7* owner, plat::IDirect3DDevice7* device);

  // `videoMemory` is not used: the device decides where tiles live.
  void LoadFile(std::string_view surfaceName, std::string_view fileName, bool videoMemory,
                std::uint32_t keyColour, int patternWidth, int patternHeight) override;
  // Restores lost tiles (quietly giving up when DirectDraw cannot yet) and
  // draws the bitmap into every tile again.
  void Restore() override;

  // Blank tiles, across x down, in the device's texture format; the
  // component's pixel-mode check reads the format from one of them.
  void CreateTiles(int across, int down);
  // After the component rebuilt its device (Reset), the tiles stay.
  void SetDevice(plat::IDirect3DDevice7* value) { device = value; }

  int TilesX() const { return tilesX; }
  int TilesY() const { return tilesY; }
  bool Loaded() const { return tiles[0] != nullptr; }
  bool AnyLost() const;
  const std::shared_ptr<plat::IDirectDrawSurface7>& Tile(int row, int column) const {
    return tiles[static_cast<std::size_t>(row * kMaxTiles + column)];
  }

 private:
  enum class FillResult { Done, NoStaging, NoDC };
  std::optional<plat::DDPIXELFORMAT> TextureFormat() const;
  FillResult FillTiles(const plat::Bitmap& bmp);
  void ReleaseTiles();

  plat::IDirectDraw7* owner;
  plat::DDPIXELFORMAT format;  // of the tiles, once created
  int tilesX = 0, tilesY = 0;
  plat::IDirect3DDevice7* device;
  std::array<std::shared_ptr<plat::IDirectDrawSurface7>, kMaxTiles * kMaxTiles> tiles;
};

}  // namespace VexmoraDrawSystem
