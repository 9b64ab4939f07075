// The Direct3D device without pixels: creation and the hardware fallback,
// memory and format rules for targets, format enumeration order, state
// defaults and refused values, scene bracketing and bad arguments.
#include "d3d_fixture.h"

namespace {

using namespace plat;
using kxtest::D3dTest;
using kxtest::MakeSurface;

TEST_F(D3dTest, HardwareDeviceFailsWithoutHalAndRgbServesAsFallback) {
  auto back = Back(16, 16, 32);
  std::shared_ptr<IDirect3DDevice7> dev;
  EXPECT_EQ(d3d_->CreateDevice(D3DDEVTYPE::HAL, back, dev), D3DERR_INVALID_DEVICE);
  EXPECT_EQ(dev, nullptr);
  std::vector<DDPIXELFORMAT> z;
  EXPECT_EQ(d3d_->EnumZBufferFormats(D3DDEVTYPE::HAL, z), D3DERR_INVALID_DEVICE);
  ASSERT_EQ(d3d_->CreateDevice(D3DDEVTYPE::RGB, back, dev), D3D_OK);
  D3DDEVICEDESC7 caps;
  ASSERT_EQ(dev->GetCaps(caps), D3D_OK);
  EXPECT_EQ(caps.deviceGUID, D3DDEVTYPE::RGB);
  EXPECT_EQ(dev->GetRenderTarget(), back);

  plat::testing::Fail(plat::testing::Fault::CreateDeviceRGB);
  EXPECT_EQ(d3d_->CreateDevice(D3DDEVTYPE::RGB, back, dev), DDERR_GENERIC);
  plat::testing::Fail(plat::testing::Fault::QueryDirect3D);
  std::shared_ptr<IDirect3D7> again;
  EXPECT_EQ(dd_->QueryDirect3D7(again), DDERR_GENERIC);
  EXPECT_EQ(again, nullptr);
}

TEST(D3dHal, OfferedHardwareDeviceNeedsVideoMemoryAndCanFailOnce) {
  struct Installed {
    Installed() { detail::InstallBackend(std::make_unique<kxtest::HalBackend>()); }
    ~Installed() {
      plat::testing::ClearFaults();
      detail::InstallBackend(nullptr);
    }
  } backend;
  {
    std::shared_ptr<IDirectDraw7> dd;
    std::shared_ptr<IDirect3D7> d3d;
    ASSERT_EQ(CoCreateDirectDraw7(dd), DD_OK);
    ASSERT_EQ(dd->QueryDirect3D7(d3d), DD_OK);
    const DDPIXELFORMAT f = PixelFormatForBits(16);
    auto video = MakeSurface(*dd, 8, 8, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE, &f);
    auto system = MakeSurface(*dd, 8, 8,
                              DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY, &f);
    std::shared_ptr<IDirect3DDevice7> dev;
    EXPECT_EQ(d3d->CreateDevice(D3DDEVTYPE::HAL, system, dev), DDERR_INVALIDCAPS);
    EXPECT_EQ(d3d->CreateDevice(D3DDEVTYPE::RGB, video, dev), DDERR_INVALIDCAPS);
    ASSERT_EQ(d3d->CreateDevice(D3DDEVTYPE::HAL, video, dev), D3D_OK);
    D3DDEVICEDESC7 caps;
    dev->GetCaps(caps);
    EXPECT_EQ(caps.deviceGUID, D3DDEVTYPE::HAL);
    // A managed texture is not lost with the video-memory target.
    std::vector<DDPIXELFORMAT> tf;
    dev->EnumTextureFormats(tf);
    auto managed = MakeSurface(*dd, 4, 4, DDSCAPS_TEXTURE, &tf[0], DDSCAPS2_TEXTUREMANAGE);
    detail::LoseSurfaces(false);
    EXPECT_EQ(video->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(managed->IsLost(), DD_OK);
    EXPECT_EQ(d3d->CreateDevice(D3DDEVTYPE::HAL, video, dev), DDERR_SURFACELOST);

    ASSERT_EQ(video->Restore(), DD_OK);
    plat::testing::Fail(plat::testing::Fault::CreateDeviceHAL);
    EXPECT_EQ(d3d->CreateDevice(D3DDEVTYPE::HAL, video, dev), DDERR_GENERIC);
    EXPECT_EQ(d3d->CreateDevice(D3DDEVTYPE::RGB, system, dev), D3D_OK);
  }
}

TEST_F(D3dTest, TargetsNeedThe3DCapAnA16Or32BitFormatAndSystemMemoryForRgb) {
  std::shared_ptr<IDirect3DDevice7> dev;
  const DDPIXELFORMAT f32 = PixelFormatForBits(32), f24 = PixelFormatForBits(24);
  auto plain = MakeSurface(*dd_, 8, 8, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY, &f32);
  auto deep24 = MakeSurface(*dd_, 8, 8,
                            DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY, &f24);
  EXPECT_EQ(d3d_->CreateDevice(D3DDEVTYPE::RGB, plain, dev), DDERR_INVALIDCAPS);
  EXPECT_EQ(d3d_->CreateDevice(D3DDEVTYPE::RGB, deep24, dev), DDERR_INVALIDPIXELFORMAT);
  EXPECT_EQ(d3d_->CreateDevice(D3DDEVTYPE::RGB, nullptr, dev), DDERR_INVALIDPARAMS);
  EXPECT_EQ(d3d_->CreateDevice(static_cast<D3DDEVTYPE>(9), Back(8, 8, 16), dev),
            D3DERR_INVALID_DEVICE);

  dev = Device(Back(8, 8, 16));
  ASSERT_NE(dev, nullptr);
  auto bigger = Back(20, 10, 32);
  EXPECT_EQ(dev->SetRenderTarget(plain), DDERR_INVALIDCAPS);
  ASSERT_EQ(dev->SetRenderTarget(bigger), D3D_OK);
  D3DVIEWPORT7 vp;
  dev->GetViewport(vp);
  EXPECT_EQ(vp.dwWidth, 20u);  // reset to the new target
  EXPECT_EQ(vp.dwHeight, 10u);
  plat::testing::Fail(plat::testing::Fault::SetRenderTarget);
  EXPECT_EQ(dev->SetRenderTarget(bigger), DDERR_GENERIC);
}

TEST_F(D3dTest, FormatsAreEnumeratedInAFixedOrderAndCheckedAtCreation) {
  std::vector<DDPIXELFORMAT> z;
  ASSERT_EQ(d3d_->EnumZBufferFormats(D3DDEVTYPE::RGB, z), D3D_OK);
  ASSERT_EQ(z.size(), 3u);
  EXPECT_EQ(z[0].dwZBufferBitDepth, 16u);
  EXPECT_EQ(z[1].dwZBufferBitDepth, 32u);
  EXPECT_EQ(z[1].dwStencilBitDepth, 8u);
  EXPECT_EQ(z[1].dwZBitMask, 0xFFFFFFu);
  EXPECT_EQ(z[2].dwZBitMask, 0xFFFFFFFFu);
  for (const auto& f : z) EXPECT_TRUE(f.dwFlags & DDPF_ZBUFFER);

  auto dev = Device(Back(8, 8, 32));
  std::vector<DDPIXELFORMAT> t;
  ASSERT_EQ(dev->EnumTextureFormats(t), D3D_OK);
  ASSERT_EQ(t.size(), 5u);
  const std::uint32_t expect[5][5] = {{16, 0x8000, 0x7C00, 0x03E0, 0x001F},
                                      {16, 0, 0xF800, 0x07E0, 0x001F},
                                      {16, 0, 0x7C00, 0x03E0, 0x001F},
                                      {16, 0xF000, 0x0F00, 0x00F0, 0x000F},
                                      {32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(t[i].dwRGBBitCount, expect[i][0]) << i;
    EXPECT_EQ(t[i].dwRGBAlphaBitMask, expect[i][1]) << i;
    EXPECT_EQ(t[i].dwRBitMask, expect[i][2]) << i;
    EXPECT_EQ(t[i].dwGBitMask, expect[i][3]) << i;
    EXPECT_EQ(t[i].dwBBitMask, expect[i][4]) << i;
    EXPECT_EQ((t[i].dwFlags & DDPF_ALPHAPIXELS) != 0, expect[i][1] != 0) << i;
  }

  // Z buffers and textures only in the offered formats; Z creation has its
  // own fault point.
  DDSURFACEDESC2 d;
  d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  d.dwWidth = d.dwHeight = 8;
  d.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY;
  d.ddpfPixelFormat = PixelFormatForBits(16);
  std::shared_ptr<IDirectDrawSurface7> s;
  EXPECT_EQ(dd_->CreateSurface(d, s), DDERR_INVALIDPIXELFORMAT);
  d.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
  d.ddpfPixelFormat = PixelFormatForBits(32);  // X8R8G8B8: not offered
  EXPECT_EQ(dd_->CreateSurface(d, s), DDERR_INVALIDPIXELFORMAT);
  d.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_SYSTEMMEMORY;
  d.ddpfPixelFormat = z[0];
  const std::uint32_t plainCreations = plat::testing::Reached(plat::testing::Fault::CreateSurface);
  plat::testing::Fail(plat::testing::Fault::CreateZBuffer);
  EXPECT_EQ(dd_->CreateSurface(d, s), DDERR_GENERIC);
  EXPECT_EQ(plat::testing::Reached(plat::testing::Fault::CreateSurface), plainCreations);
  EXPECT_EQ(dd_->CreateSurface(d, s), DD_OK);
}

TEST_F(D3dTest, StatesStartAtDefaultsReadBackAndRefuseWhatCannotBeDrawn) {
  auto dev = Device(Back(16, 8, 32));
  using RS = D3DRENDERSTATETYPE;
  using TS = D3DTEXTURESTAGESTATETYPE;
  std::uint32_t v = 99;
  const std::pair<RS, std::uint32_t> defaults[] = {{RS::ZENABLE, 0},
                                                   {RS::ZWRITEENABLE, 1},
                                                   {RS::CULLMODE, D3DCULL_CCW},
                                                   {RS::SHADEMODE, D3DSHADE_GOURAUD},
                                                   {RS::LIGHTING, 1},
                                                   {RS::CLIPPING, 1},
                                                   {RS::SRCBLEND, D3DBLEND_ONE},
                                                   {RS::DESTBLEND, D3DBLEND_ZERO},
                                                   {RS::LOCALVIEWER, 1},
                                                   {RS::TEXTUREPERSPECTIVE, 1},
                                                   {RS::AMBIENT, 0},
                                                   {RS::COLORKEYENABLE, 0}};
  for (const auto& [type, value] : defaults) {
    ASSERT_EQ(dev->GetRenderState(type, v), D3D_OK);
    EXPECT_EQ(v, value) << static_cast<int>(type);
  }
  ASSERT_EQ(dev->SetRenderState(RS::AMBIENT, 0x808080), D3D_OK);
  dev->GetRenderState(RS::AMBIENT, v);
  EXPECT_EQ(v, 0x808080u);
  EXPECT_EQ(dev->SetRenderState(RS::SRCBLEND, 0), D3D_OK);  // acts as ZERO
  EXPECT_EQ(dev->SetRenderState(RS::FILLMODE, 2), DDERR_UNSUPPORTED);
  EXPECT_EQ(dev->SetRenderState(RS::ZFUNC, 8), DDERR_UNSUPPORTED);
  EXPECT_EQ(dev->SetRenderState(RS::CULLMODE, 7), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->SetRenderState(static_cast<RS>(60), 1), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->GetRenderState(static_cast<RS>(60), v), DDERR_INVALIDPARAMS);

  dev->GetTextureStageState(0, TS::COLOROP, v);
  EXPECT_EQ(v, D3DTOP_MODULATE);
  dev->GetTextureStageState(1, TS::COLOROP, v);
  EXPECT_EQ(v, D3DTOP_DISABLE);
  dev->GetTextureStageState(1, TS::TEXCOORDINDEX, v);
  EXPECT_EQ(v, 1u);
  ASSERT_EQ(dev->SetTextureStageState(1, TS::COLOROP, D3DTOP_ADDSMOOTH), D3D_OK);
  dev->GetTextureStageState(1, TS::COLOROP, v);
  EXPECT_EQ(v, D3DTOP_ADDSMOOTH);
  EXPECT_EQ(dev->SetTextureStageState(2, TS::COLOROP, D3DTOP_ADD), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->SetTextureStageState(0, TS::ADDRESS, 4), DDERR_UNSUPPORTED);
  EXPECT_EQ(dev->SetTextureStageState(0, TS::MAGFILTER, 3), DDERR_UNSUPPORTED);
  EXPECT_EQ(dev->SetTexture(0, Back(4, 4, 16)), DDERR_INVALIDCAPS);  // not a texture
  EXPECT_EQ(dev->SetTexture(2, nullptr), DDERR_INVALIDPARAMS);

  // Viewport inside the target; transforms, lights and material read back.
  EXPECT_EQ(dev->SetViewport({4, 0, 13, 8, 0, 1}), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->SetViewport({0, 0, 8, 8, 0.5f, 0.25f}), DDERR_INVALIDPARAMS);
  ASSERT_EQ(dev->SetViewport({4, 2, 12, 6, 0.25f, 0.75f}), D3D_OK);
  D3DVIEWPORT7 vp;
  dev->GetViewport(vp);
  EXPECT_EQ(vp.dwX, 4u);
  EXPECT_EQ(vp.dvMaxZ, 0.75f);
  plat::testing::Fail(plat::testing::Fault::SetViewport);
  EXPECT_EQ(dev->SetViewport({0, 0, 8, 8, 0, 1}), DDERR_GENERIC);

  D3DMATRIX m{}, back{};
  m.m[3][0] = 5;
  m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[3][3] = 2;
  ASSERT_EQ(dev->SetTransform(D3DTRANSFORMSTATETYPE::VIEW, m), D3D_OK);
  dev->GetTransform(D3DTRANSFORMSTATETYPE::VIEW, back);
  EXPECT_EQ(back.m[3][0], 5);
  dev->GetTransform(D3DTRANSFORMSTATETYPE::WORLD, back);
  EXPECT_EQ(back.m[3][0], 0);
  EXPECT_EQ(back.m[2][2], 1);

  D3DLIGHT7 light, got;
  light.diffuse = {1, 0.5f, 0.25f, 0};
  light.direction[0] = -1;
  EXPECT_EQ(dev->GetLight(0, got), DDERR_NOTFOUND);
  ASSERT_EQ(dev->SetLight(0, light), D3D_OK);
  ASSERT_EQ(dev->GetLight(0, got), D3D_OK);
  EXPECT_EQ(got.diffuse.g, 0.5f);
  EXPECT_EQ(got.direction[0], -1);
  light.type = D3DLIGHT_POINT;
  EXPECT_EQ(dev->SetLight(1, light), DDERR_UNSUPPORTED);
  EXPECT_EQ(dev->SetLight(5000, got), DDERR_INVALIDPARAMS);
  for (std::uint32_t i = 0; i < 8; ++i) ASSERT_EQ(dev->LightEnable(i * 3, true), D3D_OK);
  EXPECT_EQ(dev->LightEnable(100, true), DDERR_INVALIDPARAMS);  // a ninth
  bool on = false;
  ASSERT_EQ(dev->GetLightEnable(3, on), D3D_OK);
  EXPECT_TRUE(on);
  ASSERT_EQ(dev->GetLight(3, got), D3D_OK);  // created by LightEnable: white along +z
  EXPECT_EQ(got.diffuse.r, 1);
  EXPECT_EQ(got.direction[2], 1);

  D3DMATERIAL7 mat, mat2;
  mat.emissive = {0.1f, 0.2f, 0.3f, 0.4f};
  mat.power = 7;
  dev->SetMaterial(mat);
  dev->GetMaterial(mat2);
  EXPECT_EQ(mat2.emissive.b, 0.3f);
  EXPECT_EQ(mat2.power, 7);
}

TEST_F(D3dTest, ScenesBracketDrawingAndBadArgumentsFailCleanly) {
  auto dev = Device(Back(8, 8, 32));
  const float tri[3][8] = {
      {0, 0, 0, 1, 0, 0, 0, 0}, {8, 0, 0, 1, 0, 0, 0, 0}, {0, 8, 0, 1, 0, 0, 0, 0}};
  const std::uint16_t idx[3] = {0, 1, 2};
  constexpr std::uint32_t kTL = 0x1C4;
  const auto list = D3DPRIMITIVETYPE::TRIANGLELIST;
  EXPECT_EQ(dev->DrawPrimitive(list, kTL, tri, 3), DDERR_NOTINSCENE);
  EXPECT_EQ(dev->DrawIndexedPrimitive(list, kTL, tri, 3, idx, 3), DDERR_NOTINSCENE);
  EXPECT_EQ(dev->EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
  EXPECT_EQ(dev->Clear(D3DCLEAR_TARGET, 0, 1), D3D_OK);  // clearing needs no scene
  ASSERT_EQ(dev->BeginScene(), D3D_OK);
  EXPECT_EQ(dev->BeginScene(), D3DERR_SCENE_IN_SCENE);

  EXPECT_EQ(dev->DrawPrimitive(list, 0x142, tri, 3), D3DERR_INVALIDVERTEXFORMAT);
  EXPECT_EQ(dev->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(1), kTL, tri, 3),
            D3DERR_INVALIDPRIMITIVETYPE);
  EXPECT_EQ(dev->DrawPrimitive(list, kTL, nullptr, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawPrimitive(list, kTL, tri, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawPrimitive(list, kTL, tri, 0x10000 * 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawPrimitive(D3DPRIMITIVETYPE::TRIANGLESTRIP, kTL, tri, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawPrimitive(list, kTL, nullptr, 0), D3D_OK);  // an empty batch
  const std::uint16_t far[3] = {0, 1, 3};
  EXPECT_EQ(dev->DrawIndexedPrimitive(list, kTL, tri, 3, far, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawIndexedPrimitive(list, kTL, tri, 3, idx, 2), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawIndexedPrimitive(list, kTL, tri, 3, nullptr, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawIndexedPrimitive(list, kTL, tri, 0, idx, 3), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->DrawIndexedPrimitive(list, 0x1, tri, 3, idx, 3), D3DERR_INVALIDVERTEXFORMAT);
  EXPECT_EQ(dev->Clear(0, 0, 1), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dev->Clear(D3DCLEAR_ZBUFFER, 0, 1), D3DERR_ZBUFFER_NOTPRESENT);
  EXPECT_EQ(dev->DrawPrimitive(list, kTL, tri, 3), D3D_OK);
  EXPECT_EQ(dev->EndScene(), D3D_OK);
}

}  // namespace
