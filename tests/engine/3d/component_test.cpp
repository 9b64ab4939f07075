// component_test.cpp — TVexmora3D's initialisation with and without a
// hardware device, its default scene, its errors, resets and presentation.
#include <cmath>

#include "component_fixture.h"
#include "plat/component.h"
#include "support/temp_dir.h"

namespace kxtest3d {
namespace {

using RS = plat::D3DRENDERSTATETYPE;
using TSS = plat::D3DTEXTURESTAGESTATETYPE;

plat::D3DDEVTYPE DeviceType(TVexmora3D& d) {
  plat::D3DDEVICEDESC7 caps;
  d.Device()->GetCaps(caps);
  return caps.deviceGUID;
}

std::uint32_t State(TVexmora3D& d, RS s) {
  std::uint32_t v = 0;
  d.Device()->GetRenderState(s, v);
  return v;
}

TEST_F(Component3DTest, WithoutHardwareTheSoftwareDeviceIsUsed) {
  EXPECT_TRUE(d3d_->Initialized());
  EXPECT_EQ(DeviceType(*d3d_), plat::D3DDEVTYPE::RGB);
  EXPECT_FALSE(d3d_->UseHAL());  // the fallback is remembered for resets
  EXPECT_NE(d3d_->ZBuffer(), nullptr);
  EXPECT_EQ(d3d_->Device()->GetRenderTarget().get(), d3d_->BackSurface());

  plat::headless::Config hal;
  hal.halAvailable = true;
  Reopen(hal);
  EXPECT_EQ(DeviceType(*d3d_), plat::D3DDEVTYPE::HAL);
  EXPECT_TRUE(d3d_->UseHAL());

  // A hardware device that fails once falls back once.
  Reopen(hal, false);
  plat::testing::Fail(plat::testing::Fault::CreateDeviceHAL);
  d3d_->Init(form_);
  EXPECT_EQ(DeviceType(*d3d_), plat::D3DDEVTYPE::RGB);
}

TEST_F(Component3DTest, FailuresCleanUpAndNameTheStep) {
  using plat::testing::Fault;
  const std::pair<Fault, const char*> cases[] = {
      {Fault::CreateDeviceRGB, "3Dデバイスの作成に失敗しました。"},
      {Fault::CreateZBuffer, "Ｚバッファの作成に失敗しました。"},
      {Fault::AttachZBuffer, "Ｚバッファのアタッチに失敗しました"},
      {Fault::SetRenderTarget, "レンダリングターゲットの設定に失敗しました"},
      {Fault::CreateClipper, "クリッパーの作成に失敗しました。"},
      {Fault::SetViewport, "ビューポートの作成に失敗しました"}};
  for (const auto& [fault, text] : cases) {
    Reopen({}, false);
    plat::testing::Fail(fault, {.times = plat::testing::kAlways});
    EXPECT_EQ(ErrorOf([&] { d3d_->Init(form_); }), k3DError + text);
    EXPECT_FALSE(d3d_->Initialized());
  }
  Reopen({}, false);
  EXPECT_EQ(ErrorOf([&] { d3d_->Update(); }), k3DError + "まだ初期化されてません。");
  EXPECT_EQ(ErrorOf([&] { d3d_->CreateTexture("t", "t.bmp", 0, 0); }),
            k3DError + "まだ初期化されてません。");
  EXPECT_EQ(ErrorOf([&] { d3d_->CreateObject("m", "m.x"); }),
            k3DError + "まだ初期化されてません。");
}

TEST_F(Component3DTest, DefaultSceneLooksAtTheOriginFromSixUnitsBack) {
  const TVexmora3DMatrix& view = d3d_->GetViewMatrix();
  EXPECT_FLOAT_EQ(view.m[0][0], 1);
  EXPECT_FLOAT_EQ(view.m[1][1], 1);
  EXPECT_FLOAT_EQ(view.m[2][2], 1);
  EXPECT_FLOAT_EQ(view.m[3][2], 6);  // -E·V with E = (0, 0, -6)

  // Field of view 2·atan(0.5): cot(F/2) = 2, scaled by height / width.
  const TVexmora3DMatrix& p = d3d_->GetProjectionMatrix();
  EXPECT_FLOAT_EQ(p.m[1][1], 2);
  EXPECT_FLOAT_EQ(p.m[0][0], 2 * 48.0f / 64);
  EXPECT_FLOAT_EQ(p.m[2][2], 50.0f / 49);
  EXPECT_FLOAT_EQ(p.m[3][2], -50.0f / 49);
  EXPECT_FLOAT_EQ(p.m[2][3], 1);
  EXPECT_FLOAT_EQ(p.m[3][3], 0);

  // The origin lands in the middle of the drawing area, one unit up lands
  // 2 × 24 / 6 = 8 pixels higher.
  float out[4];
  const float origin[3] = {0, 0, 0}, up[3] = {0, 1, 0};
  TransformPoints(d3d_->GetTransformedMatrix(), origin, 3, out, 4, 1);
  EXPECT_FLOAT_EQ(out[0] / out[3], 32);
  EXPECT_FLOAT_EQ(out[1] / out[3], 24);
  TransformPoints(d3d_->GetTransformedMatrix(), up, 3, out, 4, 1);
  EXPECT_FLOAT_EQ(out[1] / out[3], 16);

  plat::D3DLIGHT7 light;
  bool enabled = false;
  d3d_->Device()->GetLight(0, light);
  d3d_->Device()->GetLightEnable(0, enabled);
  EXPECT_TRUE(enabled);
  EXPECT_EQ(light.type, plat::D3DLIGHT_DIRECTIONAL);
  EXPECT_FLOAT_EQ(light.direction[1], -1);
  EXPECT_FLOAT_EQ(light.diffuse.r, 1);

  EXPECT_EQ(State(*d3d_, RS::AMBIENT), 0x808080u);
  EXPECT_EQ(State(*d3d_, RS::CULLMODE), plat::D3DCULL_CCW);
  EXPECT_EQ(State(*d3d_, RS::LIGHTING), 1u);
  EXPECT_EQ(State(*d3d_, RS::ZENABLE), 0u);  // opaque meshes turn it on themselves
  std::uint32_t op = 0;
  d3d_->Device()->GetTextureStageState(1, TSS::COLOROP, op);
  EXPECT_EQ(op, plat::D3DTOP_DISABLE);

  // AmbientColor is 0x00BBGGRR; the device gets 0x00RRGGBB.
  d3d_->SetAmbientColor(0x112233);
  d3d_->Init3DSystem();
  EXPECT_EQ(State(*d3d_, RS::AMBIENT), 0x332211u);
}

TEST_F(Component3DTest, LookAtAndProjectionRefuseDegenerateInput) {
  EXPECT_FALSE(LookAtMatrix({1, 2, 3}, {1, 2, 3}, {0, 1, 0}));
  // Looking straight up: the world up is useless, (0, 0, 1) serves.
  const auto up = LookAtMatrix({0, 0, 0}, {0, 5, 0}, {0, 1, 0});
  ASSERT_TRUE(up);
  EXPECT_FLOAT_EQ(up->m[2][1], 1);  // up' = (0, 0, 1)
  EXPECT_FALSE(ProjectionMatrix(1, 1, 1, 1.005f));
  EXPECT_FALSE(ProjectionMatrix(0.001f, 1, 1, 50));
}

TEST_F(Component3DTest, StatesMapToTheDeviceAndAreRemembered) {
  const std::pair<TAlphaBlendEffect, std::array<std::uint32_t, 2>> blends[] = {
      {aeTrans, {plat::D3DBLEND_BOTHSRCALPHA, plat::D3DBLEND_ZERO}},
      {aeAdd, {plat::D3DBLEND_SRCALPHA, plat::D3DBLEND_ONE}},
      {aeSub, {plat::D3DBLEND_ZERO, plat::D3DBLEND_INVSRCCOLOR}},
      {aeMod, {plat::D3DBLEND_ZERO, plat::D3DBLEND_SRCCOLOR}},
      {9, {0, 0}}};
  for (const auto& [effect, factors] : blends) {
    d3d_->SetAlphaBlend(effect);
    EXPECT_EQ(State(*d3d_, RS::ALPHABLENDENABLE), 1u);
    EXPECT_EQ(State(*d3d_, RS::SRCBLEND), factors[0]);
    EXPECT_EQ(State(*d3d_, RS::DESTBLEND), factors[1]);
    EXPECT_EQ(d3d_->AlphaBlendState(), effect);
  }
  d3d_->SetAlphaBlend(aeNone);
  EXPECT_EQ(State(*d3d_, RS::ALPHABLENDENABLE), 0u);
  EXPECT_EQ(State(*d3d_, RS::SRCBLEND), 0u);  // the factors stay as they were

  std::uint32_t op = 0;
  d3d_->SetMultiTexture(mtAddSmooth);
  d3d_->Device()->GetTextureStageState(1, TSS::COLOROP, op);
  EXPECT_EQ(op, plat::D3DTOP_ADDSMOOTH);
  d3d_->SetFlatShade(true);
  EXPECT_EQ(State(*d3d_, RS::SHADEMODE), plat::D3DSHADE_FLAT);
  EXPECT_EQ(ErrorOf([&] { d3d_->SetTexture(std::string("nothing"), 0); }),
            k3DError + "オブジェクトが存在しません。\nスプライト名：nothing");
  EXPECT_EQ(ErrorOf([&] { d3d_->GetObjectA("ship"); }),
            k3DError + "オブジェクトが存在しません。\nスプライト名：ship");
}

TEST_F(Component3DTest, ResetAllRebuildsTexturesAndSurfaces) {
  LoadTexture("tex", plat::Bitmap(16, 16), 8, 8);
  plat::RegisterResource("BITMAP", "pic", kxtest::BmpBytes(plat::Bitmap(8, 8)));
  d3d_->CreateSurface("pic", "pic", 0, 0);
  TVexmora3DTexture* before = d3d_->GetTexture("tex");
  d3d_->SetTexture(before, 0);
  d3d_->SetWidth(80);  // a size change rebuilds everything
  plat::DDSURFACEDESC2 desc;
  d3d_->BackSurface()->GetSurfaceDesc(desc);
  EXPECT_EQ(desc.dwWidth, 80);
  d3d_->Reset();
  ASSERT_EQ(d3d_->TextureCount(), 1u);
  EXPECT_EQ(d3d_->GetTexture("tex")->count, 4);
  EXPECT_EQ(d3d_->StageTexture(0), nullptr);  // nothing points at the old texture
  EXPECT_EQ(d3d_->SurfaceCount(), 1u);
  EXPECT_TRUE(d3d_->Initialized());
}

TEST_F(Component3DTest, UpdatePresentsTheBackSurfaceAndSurvivesLoss) {
  InScene([&] {}, 0x00FF8000);
  const int before = control_->Presents();
  d3d_->Update();
  EXPECT_EQ(control_->Presents(), before + 1);
  EXPECT_EQ(control_->Screen().Row(10)[10] & 0xFFFFFF, 0xFF8000u);
  control_->LoseSurfaces(true);
  d3d_->Update();  // restores instead of failing
  EXPECT_NE(d3d_->BackSurface()->IsLost(), plat::DDERR_SURFACELOST);
  EXPECT_EQ(ErrorOf([&] { d3d_->UpdateTmp(); }),
            "TVexmoraDraw(Ex) エラー\n\nテンポラリサーフェイスの更新に失敗しました。");
}

TEST_F(Component3DTest, RegistersOnTheVexmoraPageAndDrawsIntoItsOwnersWindow) {
  Register();
  plat::TWinControl owner(*form_);
  auto* made = dynamic_cast<TVexmora3D*>(plat::CreateComponent("TVexmora3D", &owner));
  ASSERT_NE(made, nullptr);  // deleted with its owner
  EXPECT_EQ(made->TargetWindow(), form_);
  made->Init();
  EXPECT_TRUE(made->Initialized());
}

TEST_F(Component3DTest, ModelsLoadTheirTexturesAndDrawOpaqueAndTranslucentParts) {
  // A square facing the eye (z = 0), textured green, and a translucent copy.
  plat::Bitmap green(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) green.Row(y)[x] = 0x00FF00;
  plat::RegisterResource("BITMAP", "green.bmp", kxtest::BmpBytes(green));
  auto square = [](const char* name, TAlphaBlendEffect effect) {
    auto* o = new TVexmora3DObject;
    TVexmora3DObject::SetField(o->name, name);
    TVexmora3DObject::SetField(o->texture0, "green.bmp");
    o->alphaBlend = effect;
    const float corners[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
    for (const auto& c : corners) o->vertices.push_back({c[0], c[1], 0, 0, 0, -1, 0, 0});
    o->indices = {0, 1, 2, 2, 1, 3};
    o->material.diffuse = {1, 1, 1, 1};
    o->material.ambient = {1, 1, 1, 1};
    return o;
  };
  kxtest::TempDir dir;
  const std::string path = dir.File("square.vxm");
  TVexmora3DFile file;
  file.SetRoot(square("solid", aeNone));
  file.Root()->AddNext(square("glass", aeAdd));
  file.Root()->GetNextObject()->localMatrix.m[3][0] = 2.5f;  // to the right
  file.SaveFile(path);

  d3d_->CreateObject("model", path);
  EXPECT_EQ(d3d_->TextureCount(), 1u);  // registered under its file name
  EXPECT_EQ(d3d_->GetObjectA("model")->FileName(), path);
  InScene([&] {
    d3d_->SetZBuffer(true);
    d3d_->RenderObject("model");
    EXPECT_EQ(d3d_->QueuedTriangles(), 2u);  // the translucent copy waits
    d3d_->AlphaVertexRender();
  });
  EXPECT_EQ(At(32, 24) & 0x00FF00, 0x00FF00u);  // the solid square, lit green
  EXPECT_EQ(At(32, 24) & 0xFF00FF, 0u);
  EXPECT_GT(At(52, 24) >> 8 & 0xFF, 0x40u);  // the added copy at x + 2.5 units
  EXPECT_EQ(At(2, 2), 0u);
}

}  // namespace
}  // namespace kxtest3d
