// Vx3dtypes.h — the 3D library's vertex, matrix and effect types, and the
// slice of the 3D component a model needs to load and draw itself.
//
// A vertex is the flexible vertex format XYZ | NORMAL | TEX1 (32 bytes).
// Matrices are row-major and use the row-vector convention (point × matrix),
// the layout of D3DMATRIX. TVexmora3DModelDevice is implemented by the 3D
// component; models talk to it only through this interface, so they can be
// loaded and rendered against any device that provides it.
#pragma once

#include <cstdint>
#include <string>

#include "plat/d3d.h"

namespace Vexmora3DSystem {

struct TVexmora3DVertex {
  float x = 0, y = 0, z = 0;     // position
  float nx = 0, ny = 0, nz = 0;  // normal
  float tu = 0, tv = 0;          // texture coordinates
};
static_assert(sizeof(TVexmora3DVertex) == 32);
inline constexpr std::uint32_t kVertexFvf = 0x112;  // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1

struct TVexmora3DMatrix {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};  // identity
};
// a × b: applying the result equals applying a, then b.
TVexmora3DMatrix operator*(const TVexmora3DMatrix& a, const TVexmora3DMatrix& b);

using TAlphaBlendEffect = std::uint8_t;    // 0 = opaque; blend modes 1..4
using TMultiTextureEffect = std::uint8_t;  // colour operation of texture stage 1

class TVexmora3DModelDevice {
 public:
  virtual ~TVexmora3DModelDevice() = default;
  // Registers texture `name` loaded from `fileName`; throws on failure.
  virtual void CreateTexture(const std::string& name, const std::string& fileName,
                             int patternWidth, int patternHeight) = 0;
  // Sets stage `stage` to the named texture; throws for an unknown name.
  virtual void SetTexture(const std::string& name, int stage) = 0;
  virtual void ClearTexture(int stage) = 0;  // SetTexture(null, stage)
  virtual const TVexmora3DMatrix& GetWorldMatrix() const = 0;
  virtual const TVexmora3DMatrix& GetViewMatrix() const = 0;
  virtual void SetWorldMatrix(const TVexmora3DMatrix& matrix) = 0;
  virtual void SetMaterial(const plat::D3DMATERIAL7& material) = 0;
  virtual void SetFlatShade(bool flat) = 0;
  virtual void SetAlphaBlend(TAlphaBlendEffect effect) = 0;
  virtual void SetMultiTexture(TMultiTextureEffect effect) = 0;
  // A triangle list: every three indices form one triangle.
  virtual void DrawIndexed(const TVexmora3DVertex* vertices, std::uint32_t vertexCount,
                           const std::uint16_t* indices, std::uint32_t indexCount) = 0;
};

}  // namespace Vexmora3DSystem
