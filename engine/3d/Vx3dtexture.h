// Vx3dtexture.h — TVexmora3DTexture, one named texture of the 3D component:
// a bitmap (module resource first, else a BMP file) converted into a 16-bit
// texture surface the device accepts, cut into a grid of equal patterns,
// with five sprite batches (one per alpha blend effect) that the sprite
// calls fill and SpriteRender draws.
//
// The surface size follows the device (powers of two, square, maximum; see
// Vx3dtexformat.h) and the bitmap is stretched over the whole surface, so
// texture coordinates 0..1 always span the bitmap. With an alpha-capable
// format black texels become transparent and all others opaque. Errors are
// EVx3DTexture ("TVexmora3DTexture エラー").
#pragma once

#include <array>
#include <memory>
#include <string>

#include "3d/Vx3dtexformat.h"
#include "3d/Vx3dtlstack.h"
#include "3d/Vx3dtypes.h"
#include "plat/d3d.h"
#include "plat/ddraw.h"

namespace Vexmora3DSystem {

class TVexmora3DTexture : public TVexmora3DTextureInfo {
 public:
  TVexmora3DTexture() = default;
  TVexmora3DTexture(const TVexmora3DTexture&) = delete;
  TVexmora3DTexture& operator=(const TVexmora3DTexture&) = delete;

  // A pattern size of 0 means the whole bitmap's width or height.
  void LoadFile(plat::IDirectDraw7& directDraw, plat::IDirect3DDevice7& device,
                const std::string& name, const std::string& fileName, int patternWidth,
                int patternHeight);
  const std::shared_ptr<plat::IDirectDrawSurface7>& GetSurface() const { return surface; }
  const TVexmora3DTextureInfo& Info() const { return *this; }

  void PushRect(const TVexmora3DTLVertex* quad, TAlphaBlendEffect effect);
  // Sets this texture on stage 0 and draws each effect's batch.
  void Render(TVexmora3D& device);
  TVexmora3DTLStack& Stack(TAlphaBlendEffect effect) { return stacks[effect]; }
  std::size_t Queued() const;

 private:
  std::shared_ptr<plat::IDirectDrawSurface7> surface;
  std::array<TVexmora3DTLStack, 5> stacks;
};

}  // namespace Vexmora3DSystem
