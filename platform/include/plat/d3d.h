// d3d.h — the Direct3D 7 stand-in: IDirect3D7 (from IDirectDraw7::
// QueryDirect3D7) and IDirect3DDevice7 over our software rasteriser and its
// fixed-function transform and lighting.
//
// Devices: the RGB device always exists; the HAL (and T&L HAL) device only
// when the backend offers it (headless Config::halAvailable), otherwise
// CreateDevice answers D3DERR_INVALID_DEVICE and callers fall back to RGB.
// Every device draws with the same rasteriser; they differ in their GUID and
// in memory rules: HAL render targets and Z buffers live in video memory,
// RGB ones in system memory, and a render target needs DDSCAPS_3DDEVICE.
//
// Targets: 16-bit (5:6:5, 5:5:5) and 32-bit surfaces; a Z buffer is a
// DDSCAPS_ZBUFFER surface of one of EnumZBufferFormats' formats, attached to
// the target with AddAttachedSurface before it is drawn to. Textures are
// DDSCAPS_TEXTURE surfaces in one of EnumTextureFormats' formats; a
// texture's source colour key (its low value) is what COLORKEYENABLE skips.
//
// Draw calls run inside BeginScene/EndScene (DDERR_NOTINSCENE outside); each
// locks the target, its Z buffer and the bound textures for the call, so a
// lost one makes the call answer DDERR_SURFACELOST and a locked one
// DDERR_SURFACEBUSY, without drawing. Clear works inside or outside a scene.
//
// Limits: triangle lists and strips only; FVFs 0x1C4 and 0x144 (transformed)
// and 0x112 (transformed and lit here); directional lights only (8 enabled
// at most); Z test always LESSEQUAL, fill mode always solid (other values
// are refused); antialiasing and dithering requests are kept but have no
// effect; every stage reads the vertex's one coordinate pair whatever its
// TEXCOORDINDEX; MINFILTER is kept but MAGFILTER filters both ways.
// Enumerator values are Direct3D 7's.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "plat/base.h"
#include "plat/ddraw.h"

namespace plat {

enum class D3DDEVTYPE : std::uint32_t { HAL, TnLHAL, RGB };

enum class D3DRENDERSTATETYPE : std::uint32_t {
  ANTIALIAS = 2,
  TEXTUREPERSPECTIVE = 4,
  ZENABLE = 7,
  FILLMODE = 8,
  SHADEMODE = 9,
  ZWRITEENABLE = 14,
  SRCBLEND = 19,
  DESTBLEND = 20,
  CULLMODE = 22,
  ZFUNC = 23,
  DITHERENABLE = 26,
  ALPHABLENDENABLE = 27,
  SPECULARENABLE = 29,
  COLORKEYENABLE = 41,
  CLIPPING = 136,
  LIGHTING = 137,
  AMBIENT = 139,
  LOCALVIEWER = 142,
  NORMALIZENORMALS = 143
};
enum class D3DTEXTURESTAGESTATETYPE : std::uint32_t {
  COLOROP = 1,
  COLORARG1,
  COLORARG2,
  ALPHAOP,
  ALPHAARG1,
  ALPHAARG2,
  TEXCOORDINDEX = 11,
  ADDRESS = 12,
  MAGFILTER = 16,
  MINFILTER = 17
};
enum class D3DTRANSFORMSTATETYPE : std::uint32_t { WORLD = 1, VIEW = 2, PROJECTION = 3 };
enum class D3DPRIMITIVETYPE : std::uint32_t { TRIANGLELIST = 4, TRIANGLESTRIP = 5 };

enum D3DBLEND : std::uint32_t {
  D3DBLEND_ZERO = 1,
  D3DBLEND_ONE,
  D3DBLEND_SRCCOLOR,
  D3DBLEND_INVSRCCOLOR,
  D3DBLEND_SRCALPHA,
  D3DBLEND_INVSRCALPHA,
  D3DBLEND_BOTHSRCALPHA = 12  // 0 and other values act as ZERO
};
enum D3DTEXTUREOP : std::uint32_t {
  D3DTOP_DISABLE = 1,
  D3DTOP_SELECTARG1,
  D3DTOP_SELECTARG2,
  D3DTOP_MODULATE,
  D3DTOP_MODULATE2X,
  D3DTOP_MODULATE4X,
  D3DTOP_ADD,
  D3DTOP_SUBTRACT = 10,
  D3DTOP_ADDSMOOTH,
  D3DTOP_BLENDDIFFUSEALPHA
};
enum : std::uint32_t {
  D3DTA_DIFFUSE = 0,
  D3DTA_CURRENT = 1,
  D3DTA_TEXTURE = 2,
  D3DFVF_XYZ = 0x2,
  D3DFVF_XYZRHW = 0x4,
  D3DFVF_NORMAL = 0x10,
  D3DFVF_DIFFUSE = 0x40,
  D3DFVF_SPECULAR = 0x80,
  D3DFVF_TEX1 = 0x100,
  D3DCLEAR_TARGET = 0x1,
  D3DCLEAR_ZBUFFER = 0x2,
  D3DZB_FALSE = 0,
  D3DZB_TRUE = 1,
  D3DFILL_SOLID = 3,
  D3DSHADE_FLAT = 1,
  D3DSHADE_GOURAUD = 2,
  D3DCULL_NONE = 1,
  D3DCULL_CW = 2,
  D3DCULL_CCW = 3,
  D3DCMP_LESSEQUAL = 4,
  D3DTADDRESS_WRAP = 1,
  D3DTADDRESS_MIRROR = 2,
  D3DTADDRESS_CLAMP = 3,
  D3DTFG_POINT = 1,
  D3DTFG_LINEAR = 2,
  D3DTFN_POINT = 1,
  D3DTFN_LINEAR = 2,
  D3DLIGHT_POINT = 1,
  D3DLIGHT_SPOT = 2,
  D3DLIGHT_DIRECTIONAL = 3,
  D3DMAXNUMVERTICES = 0xFFFF
};
// Capability bits (D3DDEVICEDESC7).
enum : std::uint32_t {
  D3DPBLENDCAPS_ZERO = 0x1,
  D3DPBLENDCAPS_ONE = 0x2,
  D3DPBLENDCAPS_SRCCOLOR = 0x4,
  D3DPBLENDCAPS_INVSRCCOLOR = 0x8,
  D3DPBLENDCAPS_SRCALPHA = 0x10,
  D3DPBLENDCAPS_INVSRCALPHA = 0x20,
  D3DPBLENDCAPS_BOTHSRCALPHA = 0x800,
  D3DTEXOPCAPS_DISABLE = 0x1,
  D3DTEXOPCAPS_SELECTARG1 = 0x2,
  D3DTEXOPCAPS_SELECTARG2 = 0x4,
  D3DTEXOPCAPS_MODULATE = 0x8,
  D3DTEXOPCAPS_MODULATE2X = 0x10,
  D3DTEXOPCAPS_MODULATE4X = 0x20,
  D3DTEXOPCAPS_ADD = 0x40,
  D3DTEXOPCAPS_SUBTRACT = 0x200,
  D3DTEXOPCAPS_ADDSMOOTH = 0x400,
  D3DTEXOPCAPS_BLENDDIFFUSEALPHA = 0x800,
  D3DPTEXTURECAPS_PERSPECTIVE = 0x1,
  D3DPTEXTURECAPS_POW2 = 0x2,
  D3DPTEXTURECAPS_ALPHA = 0x4,
  D3DPTEXTURECAPS_TRANSPARENCY = 0x8,
  D3DPTEXTURECAPS_SQUAREONLY = 0x20,
  D3DPTADDRESSCAPS_WRAP = 0x1,
  D3DPTADDRESSCAPS_CLAMP = 0x4,
  D3DPTFILTERCAPS_NEAREST = 0x1,
  D3DPTFILTERCAPS_LINEAR = 0x2,
  D3DPTFILTERCAPS_MINFPOINT = 0x100,
  D3DPTFILTERCAPS_MINFLINEAR = 0x200,
  D3DPTFILTERCAPS_MAGFPOINT = 0x1000000,
  D3DPTFILTERCAPS_MAGFLINEAR = 0x2000000
};

// Row-vector matrix: v' = v x m, translation in m[3][0..2].
struct D3DMATRIX {
  float m[4][4];
};
struct D3DVIEWPORT7 {
  std::uint32_t dwX = 0, dwY = 0, dwWidth = 0, dwHeight = 0;
  float dvMinZ = 0, dvMaxZ = 1;
};
struct D3DCOLORVALUE {
  float r = 0, g = 0, b = 0, a = 0;
};
struct D3DMATERIAL7 {
  D3DCOLORVALUE diffuse, ambient, specular, emissive;
  float power = 0;
};
static_assert(sizeof(D3DMATERIAL7) == 68);
// `direction` points from the light into the scene, in world space.
struct D3DLIGHT7 {
  std::uint32_t type = D3DLIGHT_DIRECTIONAL;
  D3DCOLORVALUE diffuse, specular, ambient;
  float position[3] = {}, direction[3] = {0, 0, 1};
  float range = 0, falloff = 0, att0 = 0, att1 = 0, att2 = 0, theta = 0, phi = 0;
};
// The caps a component reads. Blend caps are dpcTriCaps'.
struct D3DDEVICEDESC7 {
  std::uint32_t srcBlendCaps = 0, destBlendCaps = 0, textureOpCaps = 0, textureCaps = 0;
  std::uint32_t textureAddressCaps = 0, textureFilterCaps = 0;
  std::uint32_t maxTextureWidth = 0, maxTextureHeight = 0;
  D3DDEVTYPE deviceGUID = D3DDEVTYPE::RGB;
};

namespace detail {
struct DeviceState;
}

class IDirect3DDevice7 {
 public:
  IDirect3DDevice7(D3DDEVTYPE type, std::shared_ptr<IDirectDrawSurface7> target);
  ~IDirect3DDevice7();
  IDirect3DDevice7(const IDirect3DDevice7&) = delete;
  IDirect3DDevice7& operator=(const IDirect3DDevice7&) = delete;

  HRESULT GetCaps(D3DDEVICEDESC7& desc) const;
  // 16-bit A1R5G5B5, R5G6B5, X1R5G5B5, A4R4G4B4, then 32-bit A8R8G8B8.
  HRESULT EnumTextureFormats(std::vector<DDPIXELFORMAT>& formats) const;

  // Also resets the viewport to the whole new target.
  HRESULT SetRenderTarget(const std::shared_ptr<IDirectDrawSurface7>& target);
  std::shared_ptr<IDirectDrawSurface7> GetRenderTarget() const;
  // The viewport must lie inside the target, with 0 <= minZ <= maxZ <= 1.
  HRESULT SetViewport(const D3DVIEWPORT7& viewport);
  HRESULT GetViewport(D3DVIEWPORT7& viewport) const;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DMATRIX& matrix);
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DMATRIX& matrix) const;
  HRESULT SetRenderState(D3DRENDERSTATETYPE type, std::uint32_t value);
  HRESULT GetRenderState(D3DRENDERSTATETYPE type, std::uint32_t& value) const;
  HRESULT SetTextureStageState(int stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value);
  HRESULT GetTextureStageState(int stage, D3DTEXTURESTAGESTATETYPE type,
                               std::uint32_t& value) const;
  // Stages 0 and 1; null clears the stage (it then reads opaque white).
  HRESULT SetTexture(int stage, const std::shared_ptr<IDirectDrawSurface7>& texture);
  // Lights: any index below 4096; LightEnable of an index never set creates
  // a white directional light shining along +z.
  HRESULT SetLight(std::uint32_t index, const D3DLIGHT7& light);
  HRESULT GetLight(std::uint32_t index, D3DLIGHT7& light) const;
  HRESULT LightEnable(std::uint32_t index, bool enable);
  HRESULT GetLightEnable(std::uint32_t index, bool& enabled) const;
  HRESULT SetMaterial(const D3DMATERIAL7& material);
  HRESULT GetMaterial(D3DMATERIAL7& material) const;

  HRESULT BeginScene();  // D3DERR_SCENE_IN_SCENE when one is open
  HRESULT EndScene();    // D3DERR_SCENE_NOT_IN_SCENE when none is
  // Clears the viewport: colour 0xAARRGGBB and/or Z (0..1).
  HRESULT Clear(std::uint32_t flags, ArgbColor color, float z);
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t fvf, const void* vertices,
                        std::uint32_t count);
  // Triangle lists; every index must be below `vertexCount`.
  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, std::uint32_t fvf, const void* vertices,
                               std::uint32_t vertexCount, const std::uint16_t* indices,
                               std::uint32_t indexCount, std::uint32_t flags = 0);

 private:
  std::unique_ptr<detail::DeviceState> s_;
};

class IDirect3D7 {
 public:
  HRESULT CreateDevice(D3DDEVTYPE type, const std::shared_ptr<IDirectDrawSurface7>& target,
                       std::shared_ptr<IDirect3DDevice7>& out);
  // Z16, Z24 with 8 stencil bits, Z32, in that order. dwZBufferBitDepth is
  // the whole pixel (16, 32, 32); dwZBitMask tells the last two apart.
  HRESULT EnumZBufferFormats(D3DDEVTYPE type, std::vector<DDPIXELFORMAT>& formats) const;
};

// Whether the backend offers the hardware devices.
bool HardwareDeviceAvailable();

}  // namespace plat
