// Vx3d.h — TVexmora3D, the engine's 3D component: the 2D component's window,
// properties, named surfaces and presentation, drawing through a Direct3D 7
// device into a 3D-capable back surface with a Z buffer.
//
// What it offers:
// - a hardware device when UseHAL and one exists, else the software device;
// - world, view, projection and viewport matrices (row vectors, D3D layout);
// - opaque indexed meshes drawn by the device's own transform and lighting;
// - translucent meshes transformed and lit here, queued in 256 depth
//   buckets by their average screen depth and drawn far to near by
//   AlphaVertexRender (no comparison sort; the batch is flushed only when
//   the states change);
// - sprite quads from named textures, queued per texture and blend mode and
//   drawn by SpriteRender with one draw call per texture and mode;
// - named textures (Vx3dtexture.h) and models (Vx3dfile.h).
//
// Scenes and clearing are the application's: open a scene on Device(), clear
// it, draw, close it, then Update. Errors are EVx3D ("TVexmora3D エラー").
// The component neither traces nor times its operations. Application thread
// only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "3d/Vx3dobjects.h"
#include "3d/Vx3dtexture.h"
#include "3d/Vx3dtlstack.h"
#include "3d/Vx3dtypes.h"
#include "core/Vxtable.h"
#include "draw/Vxdraw.h"
#include "plat/d3d.h"

namespace Vexmora3DSystem {

// TAlphaBlendEffect values: the device blend each one sets.
enum : TAlphaBlendEffect { aeNone = 0, aeTrans, aeAdd, aeSub, aeMod };
inline constexpr int kAlphaEffects = 5;
// TMultiTextureEffect values: the colour operation of texture stage 1.
enum : TMultiTextureEffect {
  mtNone = 0, mtBlend, mtAdd, mtSub, mtMod, mtMod2x, mtMod4x, mtAddSmooth
};

// A pre-lit vertex (32 bytes): position, a reserved word, ARGB colour, RGB
// specular, texture coordinates.
struct TVexmora3DLVertex {
  float x = 0, y = 0, z = 0;
  std::uint32_t reserved = 0;
  std::uint32_t color = 0, specular = 0;
  float tu = 0, tv = 0;
};
static_assert(sizeof(TVexmora3DLVertex) == 32);

struct TVexmora3DVector {
  float x = 0, y = 0, z = 0;
};

// One queued translucent triangle with the states it is drawn with.
struct TVexmora3DTriangle {
  std::uint32_t states = 0;  // flat shade bits 0-7, alpha blend 8-15, multi-texture 16-23
  TVexmora3DTexture* texture0 = nullptr;
  TVexmora3DTexture* texture1 = nullptr;
  TVexmora3DTLVertex vertices[3];
};

class TVexmora3D : public VexmoraDrawSystem::TVexmoraDraw, public TVexmora3DModelDevice {
 public:
  explicit TVexmora3D(plat::TComponent* owner);
  ~TVexmora3D() override;

  // Published properties added to the 2D component's.
  bool UseHAL() const { return useHAL; }
  void SetUseHAL(bool value) { useHAL = value; }
  std::uint32_t ClearColor() const { return clearColor; }  // stored only
  void SetClearColor(std::uint32_t value) { clearColor = value; }
  // 0x00BBGGRR; the device is given 0x00RRGGBB. Applied by Init3DSystem.
  std::uint32_t AmbientColor() const { return ambientColor; }
  void SetAmbientColor(std::uint32_t value) { ambientColor = value; }
  void SetVideoMemory(bool value) override;  // follows UseHAL instead

  // Replaced 2D operations.
  void CreateBackSurface() override;
  void Init(plat::Form* window = nullptr) override;
  void Reset() override;
  void ResetAll() override;
  void CleanUp() override;
  void Update() override;
  void UpdateEx(int value, int mode) override;  // same as Update

  // Initialises with the hardware device (useHAL) or the software one.
  virtual void Init(plat::Form* window, bool useHAL);
  virtual void Init3DSystem();

  // Matrices: each setter passes the matrix to the device (the viewport
  // matrix is stored only) and invalidates the cached product.
  void SetWorldMatrix(const TVexmora3DMatrix& matrix) override;
  void SetViewMatrix(const TVexmora3DMatrix& matrix);
  void SetProjectionMatrix(const TVexmora3DMatrix& matrix);
  void SetViewPortMatrix(const TVexmora3DMatrix& matrix);
  const TVexmora3DMatrix& GetWorldMatrix() const override { return worldMatrix; }
  const TVexmora3DMatrix& GetViewMatrix() const override { return viewMatrix; }
  const TVexmora3DMatrix& GetProjectionMatrix() const { return projectionMatrix; }
  const TVexmora3DMatrix& GetViewPortMatrix() const { return viewportMatrix; }
  // world × view × projection × viewport, recomputed only after a change.
  const TVexmora3DMatrix& GetTransformedMatrix();

  // States.
  void SetLight(const plat::D3DLIGHT7* light, int index, bool enable);
  void SetMaterial(const plat::D3DMATERIAL7& material) override;
  void SetZBuffer(bool enable);
  void SetFlatShade(bool flat) override;
  void SetAlphaBlend(TAlphaBlendEffect effect) override;
  void SetMultiTexture(TMultiTextureEffect effect) override;
  void SetTexture(TVexmora3DTexture* texture, int stage);  // null clears the stage
  void SetTexture(const std::string& name, int stage) override;
  void ClearTexture(int stage) override { SetTexture(nullptr, stage); }

  // Meshes. Opaque ones go to the device; with a blend effect set they are
  // transformed and lit here and queued for AlphaVertexRender.
  void DrawIndexed(const TVexmora3DVertex* vertices, std::uint32_t vertexCount,
                   const std::uint16_t* indices, std::uint32_t indexCount) override;
  void DrawIndexedAlphaVertex(const TVexmora3DVertex* vertices, std::uint32_t vertexCount,
                              const std::uint16_t* indices, std::uint32_t indexCount);
  void DrawIndexedAlphaVertex(const TVexmora3DLVertex* vertices, std::uint32_t vertexCount,
                              const std::uint16_t* indices, std::uint32_t indexCount);
  void AlphaVertexRender();
  // The software path's steps, also usable on their own: transform into
  // sx, sy, sz and w (kept in rhw) through GetTransformedMatrix; light with
  // light 0, the material and the ambient level (pre-lit vertices are
  // copied); project (rhw = 1/w, positions times rhw).
  void TransformStage(const TVexmora3DVertex* in, std::uint32_t count, TVexmora3DTLVertex* out);
  void TransformStage(const TVexmora3DLVertex* in, std::uint32_t count, TVexmora3DTLVertex* out);
  void LightingStage(const TVexmora3DVertex* in, std::uint32_t count, TVexmora3DTLVertex* out);
  void LightingStage(const TVexmora3DLVertex* in, std::uint32_t count, TVexmora3DTLVertex* out);
  static void FinalizeStage(TVexmora3DTLVertex* vertices, std::uint32_t count);
  void DrawPrimitive(const TVexmora3DTLVertex* vertices, std::uint32_t vertexCount);

  // Sprite quads. Coordinates: x from -1 (left) to 1 (right), y upward from
  // -Height/Width (bottom) to Height/Width (top). With a texture on stage 0
  // the quad shows `pattern` of it; without, it is untextured.
  virtual void DrawTexture(float x, float y, float width, float height, std::uint32_t color,
                           int pattern, TAlphaBlendEffect effect);
  // As DrawTexture, turned `angle` radians counter-clockwise about its centre.
  virtual void RotDrawTexture(float x, float y, float width, float height, float angle,
                              std::uint32_t color, int pattern, TAlphaBlendEffect effect);
  // A width × height quad at a world position, seen through the matrices.
  // The world matrix stays set to the quad's.
  virtual void DrawTransformed(const TVexmora3DVector& position, float width, float height,
                               std::uint32_t color, int pattern, TAlphaBlendEffect effect);
  void SpriteRender();

  // Named textures.
  void CreateTexture(const std::string& name, const std::string& fileName, int patternWidth,
                     int patternHeight) override;
  TVexmora3DTexture* GetTexture(const std::string& name) const;
  void DeleteTexture(const std::string& name);
  void DeleteAllTexture();
  // Named models.
  void CreateObject(const std::string& name, const std::string& fileName);
  TVexmora3DFile* GetObjectA(const std::string& name) const { return objects.GetObjectA(name); }
  void RenderObject(const std::string& name) { objects.RenderObject(*this, name); }
  void DeleteObject(const std::string& name) { objects.DeleteObject(name); }
  void DeleteAllObject() { objects.DeleteAllObject(); }

  // For the application (scenes, clearing) and for tests.
  plat::IDirect3DDevice7* Device() const { return device.get(); }
  plat::IDirectDrawSurface7* ZBuffer() const { return zBuffer.get(); }
  TAlphaBlendEffect AlphaBlendState() const { return alphaBlendState; }
  TMultiTextureEffect MultiTextureState() const { return multiTextureState; }
  bool FlatShadeState() const { return flatShadeState; }
  TVexmora3DTexture* StageTexture(int stage) const { return stageTextures[stage & 1]; }
  std::size_t QueuedTriangles() const;
  std::size_t TextureCount() const { return textures.Size(); }

 private:
  using TextureTable = VexmoraSystem::TVexmoraResourceTable<TVexmora3DTexture, VexmoraSystem::EVx3D>;

  void Require3D() const;
  [[noreturn]] void Fail(const char* detail);
  void CreateDevice(bool hardware);
  void CreateZBuffer(bool hardware);
  void ReleaseDevice();
  // The quad's corners a, b, c, d go to the stage-0 texture's stack for
  // `effect`, or to the untextured stack.
  void QueueQuad(const TVexmora3DTLVertex (&quad)[4], TAlphaBlendEffect effect);
  // Texture rectangle of `pattern` on the stage-0 texture (zero without one).
  struct TPatternRect {
    float uL = 0, vT = 0, u = 0, v = 0;
  };
  TPatternRect PatternOf(int pattern) const;
  // Forgets a texture about to die: stages and queued triangles drop it.
  void Forget(const TVexmora3DTexture* texture);
  template <class Vertex>
  void QueueAlphaTriangles(const Vertex* vertices, std::uint32_t vertexCount,
                           const std::uint16_t* indices, std::uint32_t indexCount);

  bool useHAL = true;
  std::uint32_t clearColor = 0;
  std::uint32_t ambientColor = 0x808080;

  std::shared_ptr<plat::IDirectDrawSurface7> zBuffer;
  std::shared_ptr<plat::IDirect3D7> direct3D;
  std::shared_ptr<plat::IDirect3DDevice7> device;
  TVexmora3DMatrix worldMatrix, viewMatrix, projectionMatrix, viewportMatrix;
  bool matricesChanged = true;
  TVexmora3DMatrix transformedMatrix;
  std::array<TVexmora3DTLStack, kAlphaEffects> spriteStacks;
  TextureTable textures;
  TVexmora3DObjectTable objects;
  std::array<std::vector<TVexmora3DTriangle>, 256> alphaBuckets;
  TVexmora3DTLStack alphaBatch;  // reused by every AlphaVertexRender
  std::vector<TVexmora3DTLVertex> tlScratch;  // the software path's vertices
  bool flatShadeState = false;
  TAlphaBlendEffect alphaBlendState = 0;
  TMultiTextureEffect multiTextureState = 0;
  std::array<TVexmora3DTexture*, 2> stageTextures{};
};

// Puts TVexmora3D on the palette page "Vexmora".
void Register();

}  // namespace Vexmora3DSystem
