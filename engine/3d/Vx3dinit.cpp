// Vx3dinit.cpp — TVexmora3D's initialisation (hardware device with one
// fallback to the software device), its default scene set-up, presentation,
// resets and clean-up.
#include <cmath>
#include <limits>
#include <vector>

#include "3d/Vx3d.h"
#include "3d/Vx3dmath.h"
#include "core/Vxerror.h"

namespace Vexmora3DSystem {

using VexmoraSystem::EVx3D;
using RS = plat::D3DRENDERSTATETYPE;
using TSS = plat::D3DTEXTURESTAGESTATETYPE;

void TVexmora3D::Fail(const char* detail) {
  CleanUp();
  throw EVx3D(detail);
}

void TVexmora3D::Init(plat::Form* window) {
  if (useHAL) {
    try {
      Init(window, true);
    } catch (const VexmoraSystem::EVx3D&) {
      Init(window, false);  // no hardware device: the software one, once
    }
  } else {
    Init(window, false);
  }
  CheckPixelMode();
  Init3DSystem();
  initialised = true;
}

void TVexmora3D::Init(plat::Form* window, bool hardware) {
  useHAL = videoMemory = hardware;
  StartInit(window);
  const TFail fail = [this](const char* detail) { Fail(detail); };
  OpenDisplay(plat::DDSCL_FPUSETUP, fail);
  if (!fullScreen && targetWindow && OwnerWindow() == targetWindow)
    targetWindow->SetClientSize(width, height);
  if (plat::FAILED(directDraw->QueryDirect3D7(direct3D)))
    Fail("3Dデバイスの作成に失敗しました。");
  CreateBackSurface();
  CreateDevice(hardware);
  CreateZBuffer(hardware);
  AttachClipper(fail);
}

void TVexmora3D::CreateBackSurface() {
  if (plat::FAILED(CreateRenderTarget(useHAL))) Fail("バックサーフェイスの作成に失敗しました。");
}

void TVexmora3D::CreateDevice(bool hardware) {
  const plat::D3DDEVTYPE type = hardware ? plat::D3DDEVTYPE::HAL : plat::D3DDEVTYPE::RGB;
  if (plat::FAILED(direct3D->CreateDevice(type, backSurface, device)))
    Fail("3Dデバイスの作成に失敗しました。");
}

void TVexmora3D::CreateZBuffer(bool hardware) {
  const plat::D3DDEVTYPE type = hardware ? plat::D3DDEVTYPE::HAL : plat::D3DDEVTYPE::RGB;
  std::vector<plat::DDPIXELFORMAT> formats;
  direct3D->EnumZBufferFormats(type, formats);
  // The display's depth first, else 16 bits.
  const std::uint32_t wanted[] = {directDraw->DisplayFormat().dwRGBBitCount, 16};
  const plat::DDPIXELFORMAT* chosen = nullptr;
  for (std::uint32_t bits : wanted) {
    for (const plat::DDPIXELFORMAT& f : formats)
      if (f.dwZBufferBitDepth == bits) {
        chosen = &f;
        break;
      }
    if (chosen) break;
  }
  if (!chosen) Fail("Ｚバッファのピクセルフォーマット取得に失敗しました。");

  plat::DDSURFACEDESC2 desc;
  backSurface->GetSurfaceDesc(desc);
  desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT | plat::DDSD_PIXELFORMAT;
  desc.dwCaps = plat::DDSCAPS_ZBUFFER |
                (hardware ? plat::DDSCAPS_VIDEOMEMORY : plat::DDSCAPS_SYSTEMMEMORY);
  desc.dwCaps2 = 0;
  desc.ddpfPixelFormat = *chosen;
  if (plat::FAILED(directDraw->CreateSurface(desc, zBuffer)))
    Fail("Ｚバッファの作成に失敗しました。");
  if (plat::FAILED(backSurface->AddAttachedSurface(zBuffer)))
    Fail("Ｚバッファのアタッチに失敗しました");
  if (plat::FAILED(device->SetRenderTarget(backSurface)))
    Fail("レンダリングターゲットの設定に失敗しました");
}

void TVexmora3D::Init3DSystem() {
  if (!device) throw EVx3D(VexmoraSystem::kNotInitialised);
  const plat::D3DVIEWPORT7 viewport{0, 0, static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(height), 0, 1};
  if (plat::FAILED(device->SetViewport(viewport))) throw EVx3D("ビューポートの作成に失敗しました");

  if (std::optional<TVexmora3DMatrix> view = LookAtMatrix({0, 0, -6}, {0, 0, 0}, {0, 1, 0}))
    SetViewMatrix(*view);
  const float fov = 2 * std::atan(0.5f);
  const float aspect = static_cast<float>(height) / static_cast<float>(width);
  if (std::optional<TVexmora3DMatrix> projection = ProjectionMatrix(fov, aspect, 1, 50))
    SetProjectionMatrix(*projection);
  TVexmora3DMatrix toScreen;
  toScreen.m[0][0] = static_cast<float>(width) / 2;
  toScreen.m[1][1] = -static_cast<float>(height) / 2;
  toScreen.m[2][2] = viewport.dvMaxZ - viewport.dvMinZ;
  toScreen.m[3][0] = static_cast<float>(width) / 2;
  toScreen.m[3][1] = static_cast<float>(height) / 2;
  toScreen.m[3][2] = 0;
  SetViewPortMatrix(toScreen);

  plat::D3DLIGHT7 light;
  light.type = plat::D3DLIGHT_DIRECTIONAL;
  light.diffuse = light.specular = {1, 1, 1, 0};
  light.ambient = {0, 0, 0, 0};
  for (int i = 0; i < 3; ++i) light.position[i] = light.direction[i] = i < 2 ? -1.0f : 1.0f;
  light.range = std::sqrt(std::numeric_limits<float>::max());
  light.att0 = 1;
  SetLight(&light, 0, true);

  // AmbientColor is 0x00BBGGRR; the device wants 0x00RRGGBB.
  const std::uint32_t ambient = (ambientColor & 0xFF) << 16 | (ambientColor & 0xFF00) |
                                (ambientColor >> 16 & 0xFF);
  device->SetRenderState(RS::AMBIENT, ambient);
  device->SetRenderState(RS::CULLMODE, plat::D3DCULL_CCW);
  device->SetRenderState(RS::FILLMODE, plat::D3DFILL_SOLID);
  for (RS on : {RS::DITHERENABLE, RS::SPECULARENABLE, RS::LIGHTING, RS::CLIPPING,
                RS::NORMALIZENORMALS, RS::ZWRITEENABLE, RS::TEXTUREPERSPECTIVE})
    device->SetRenderState(on, 1);

  struct StageState {
    int stage;
    TSS type;
    std::uint32_t value;
  };
  static constexpr StageState kStages[] = {
      {0, TSS::COLORARG1, plat::D3DTA_TEXTURE},   {0, TSS::COLORARG2, plat::D3DTA_DIFFUSE},
      {0, TSS::COLOROP, plat::D3DTOP_MODULATE},   {0, TSS::ALPHAARG1, plat::D3DTA_TEXTURE},
      {0, TSS::ALPHAARG2, plat::D3DTA_DIFFUSE},   {0, TSS::ALPHAOP, plat::D3DTOP_MODULATE},
      {0, TSS::MINFILTER, plat::D3DTFN_LINEAR},   {0, TSS::MAGFILTER, plat::D3DTFG_LINEAR},
      {0, TSS::TEXCOORDINDEX, 0},                 {1, TSS::COLORARG1, plat::D3DTA_TEXTURE},
      {1, TSS::COLORARG2, plat::D3DTA_CURRENT},   {1, TSS::COLOROP, plat::D3DTOP_DISABLE},
      {1, TSS::ALPHAARG1, plat::D3DTA_CURRENT},   {1, TSS::ALPHAOP, plat::D3DTOP_SELECTARG1},
      {1, TSS::MINFILTER, plat::D3DTFN_LINEAR},   {1, TSS::MAGFILTER, plat::D3DTFG_LINEAR},
      {1, TSS::TEXCOORDINDEX, 0}};
  for (const StageState& s : kStages) device->SetTextureStageState(s.stage, s.type, s.value);
}

void TVexmora3D::Update() {
  Require3D();
  Present(*backSurface);
}

void TVexmora3D::UpdateEx(int, int) { Update(); }

void TVexmora3D::Reset() {
  Require3D();
  ResetAll();
}

void TVexmora3D::ResetAll() {
  Require3D();
  std::vector<VexmoraDrawSystem::TVexmoraDrawSurfaceInfo> savedSurfaces;
  for (const auto& [name, surface] : surfaces.Entries()) savedSurfaces.push_back(surface->Info());
  std::vector<TVexmora3DTextureInfo> savedTextures;
  for (const auto& [name, texture] : textures.Entries()) savedTextures.push_back(texture->Info());
  std::vector<std::pair<std::string, std::string>> savedModels;
  for (const auto& [name, model] : objects.Entries()) savedModels.emplace_back(name, model->FileName());
  Init(nullptr);
  for (const auto& s : savedSurfaces)
    CreateSurface(s.surfaceName, s.fileName, s.patternWidth, s.patternHeight);
  for (const auto& t : savedTextures) CreateTexture(t.name, t.fileName, t.patternWidth, t.patternHeight);
  for (const auto& [name, file] : savedModels) CreateObject(name, file);
}

void TVexmora3D::ReleaseDevice() {
  for (auto& bucket : alphaBuckets) bucket.clear();
  for (TVexmora3DTLStack& s : spriteStacks) s.Clear();
  stageTextures = {};
  if (backSurface && zBuffer) backSurface->DeleteAttachedSurface(zBuffer);
  device.reset();
  zBuffer.reset();
  direct3D.reset();
}

void TVexmora3D::CleanUp() {
  objects.Clear();
  textures.Clear();
  ReleaseDevice();
  TVexmoraDraw::CleanUp();
}

}  // namespace Vexmora3DSystem
