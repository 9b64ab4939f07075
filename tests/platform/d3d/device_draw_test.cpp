// The Direct3D device drawing into DirectDraw surfaces: a lit textured quad
// and a lit cube match the rasteriser and T&L core driven directly, the
// attached Z buffer, colour-keyed texture surfaces filled by Blt and GetDC,
// and lost or locked surfaces during a draw.
#include <cmath>

#include "d3d_fixture.h"
#include "plat/canvas.h"
#include "raster/tnl.h"
#include "raster_fixture.h"
#include "support/surface_check.h"

namespace {

using namespace plat;
using kxtest::FillRaw;
using kxtest::RawPixels;
using kxtest::SurfacePtr;
using kxtest::raster::Canvas;
namespace r = d3d::raster;
using RS = D3DRENDERSTATETYPE;
using TS = D3DTEXTURESTAGESTATETYPE;
constexpr auto kList = D3DPRIMITIVETYPE::TRIANGLELIST;

struct Tl144 {
  float x, y, z, rhw;
  std::uint32_t diffuse;
  float u, v;
};
static_assert(sizeof(Tl144) == 28);

// A strip quad of one colour at depth z.
std::vector<Tl144> Quad144(float x0, float y0, float x1, float y1, std::uint32_t c, float z) {
  return {{x0, y0, z, 1, c, 0, 0},
          {x1, y0, z, 1, c, 1, 0},
          {x0, y1, z, 1, c, 0, 1},
          {x1, y1, z, 1, c, 1, 1}};
}

// Rows are padded so that a draw ignoring the pitch shows.
class D3dDrawTest : public kxtest::D3dTest {
 protected:
  void SetUp() override {
    headless::Config c;
    c.pitchPadding = 12;
    Open(c);
  }

  static void ExpectSame(IDirectDrawSurface7& s, const Canvas& c) {
    const std::vector<std::uint32_t> got = RawPixels(s);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(c.w * c.h));
    int differ = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x)
        differ += got[static_cast<std::size_t>(y * c.w + x)] != c.Raw(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_TRUE(kxtest::PaddingIntact(s));
  }

  void LitTexturedQuad(int bits) {
    const r::TargetFormat format = bits == 32 ? r::TargetFormat::X8R8G8B8 : r::TargetFormat::R5G6B5;
    auto back = Back(24, 20, bits);
    auto dev = Device(back);
    ASSERT_NE(dev, nullptr);
    auto tex = Texture(*dev, 8, 8, 1);
    std::vector<std::uint32_t> texels;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        texels.push_back(static_cast<std::uint32_t>((x * 4) << 11 | (y * 8) << 5 | (x + 2 * y)));
    FillRaw(*tex, texels);
    const std::vector<r::TLVertex> v = {{2, 3, 0.1f, 1, 0xFFFF8040, 0x00202020, 0, 0},
                                        {21, 2, 0.2f, 0.5f, 0xFF40FF80, 0x00101010, 1, 0},
                                        {3, 17, 0.3f, 0.8f, 0xFF8080FF, 0x00300000, 0, 1},
                                        {21, 2, 0.2f, 0.5f, 0xFF40FF80, 0x00101010, 1, 0},
                                        {22, 18, 0.4f, 0.25f, 0xFFFFFFFF, 0, 1, 1},
                                        {3, 17, 0.3f, 0.8f, 0xFF8080FF, 0x00300000, 0, 1}};
    ASSERT_EQ(dev->SetTexture(0, tex), D3D_OK);
    dev->SetRenderState(RS::CULLMODE, D3DCULL_NONE);
    dev->SetRenderState(RS::SPECULARENABLE, 1);
    dev->SetTextureStageState(0, TS::MAGFILTER, D3DTFG_LINEAR);
    dev->SetTextureStageState(0, TS::MINFILTER, D3DTFN_LINEAR);
    dev->SetTextureStageState(0, TS::ADDRESS, D3DTADDRESS_CLAMP);
    ASSERT_EQ(dev->Clear(D3DCLEAR_TARGET, 0xFF102030, 1), D3D_OK);
    ASSERT_EQ(dev->BeginScene(), D3D_OK);
    ASSERT_EQ(dev->DrawPrimitive(kList, 0x1C4, v.data(), 6), D3D_OK);
    ASSERT_EQ(dev->EndScene(), D3D_OK);

    Canvas c(24, 20, format);
    kxtest::raster::Tex t(8, 8, r::TextureFormat::R5G6B5, texels);
    r::State st;
    st.viewport = c.Full();
    st.cull = r::Cull::None;
    st.specular = true;
    st.stages[0] = {r::TexOp::Modulate, r::TexOp::SelectArg1, r::TexArg::Texture,
                    r::TexArg::Current, r::TexArg::Texture,   r::TexArg::Current,
                    r::Filter::Linear,  r::Address::Clamp,    &t.t};
    r::ClearTarget(c.target, {0, 0, 24, 20}, 0xFF102030);
    r::DrawTriangleList(c.target, st, v);
    EXPECT_NE(c.Raw(12, 10), c.Raw(0, 0));  // the quad is there
    ExpectSame(*back, c);
  }
};

TEST_F(D3dDrawTest, LitTexturedQuadMatchesTheRasteriserIn32And16Bits) {
  {
    SCOPED_TRACE("32 bits");
    LitTexturedQuad(32);
  }
  {
    SCOPED_TRACE("16 bits");
    LitTexturedQuad(16);
  }
}

TEST_F(D3dDrawTest, AttachedZBufferHidesFarPixelsAndWithoutOneLaterPixelsWin) {
  auto back = Back(16, 16, 32);
  auto dev = Device(back);
  auto z = AttachZ(back, 0);
  const auto near = Quad144(2, 2, 12, 12, 0xFFFF0000, 0.25f);
  const auto far = Quad144(4, 4, 14, 14, 0xFF0000FF, 0.75f);
  dev->SetRenderState(RS::ZENABLE, D3DZB_TRUE);
  dev->SetRenderState(RS::CULLMODE, D3DCULL_NONE);
  dev->SetTextureStageState(0, TS::COLOROP, D3DTOP_SELECTARG2);
  bool attached = true;
  const auto draw = [&] {
    ASSERT_EQ(dev->Clear(D3DCLEAR_TARGET | (attached ? D3DCLEAR_ZBUFFER : 0u), 0, 1), D3D_OK);
    ASSERT_EQ(dev->BeginScene(), D3D_OK);
    ASSERT_EQ(dev->DrawPrimitive(D3DPRIMITIVETYPE::TRIANGLESTRIP, 0x144, near.data(), 4), D3D_OK);
    ASSERT_EQ(dev->DrawPrimitive(D3DPRIMITIVETYPE::TRIANGLESTRIP, 0x144, far.data(), 4), D3D_OK);
    ASSERT_EQ(dev->EndScene(), D3D_OK);
  };
  draw();
  EXPECT_EQ(kxtest::GetPixel(*back, 8, 8), 0xFF0000u);  // near stays in front
  EXPECT_EQ(kxtest::GetPixel(*back, 13, 13), 0x0000FFu);
  EXPECT_EQ(kxtest::GetPixel(*z, 8, 8), 0x4000u);  // 0.25 of 0xFFFF, rounded
  EXPECT_EQ(kxtest::GetPixel(*z, 0, 0), 0xFFFFu);  // cleared to 1
  EXPECT_TRUE(kxtest::PaddingIntact(*z));

  ASSERT_EQ(back->DeleteAttachedSurface(z), DD_OK);
  attached = false;
  draw();
  EXPECT_EQ(kxtest::GetPixel(*back, 8, 8), 0x0000FFu);  // the later quad wins

  // One Z buffer at a time, of the target's size.
  auto small = MakeZ(8, 8);
  EXPECT_EQ(back->AddAttachedSurface(small), DDERR_INVALIDPARAMS);
  EXPECT_EQ(back->AddAttachedSurface(Back(16, 16, 32)), DDERR_INVALIDCAPS);
  EXPECT_EQ(back->DeleteAttachedSurface(z), DDERR_NOTFOUND);
  ASSERT_EQ(back->AddAttachedSurface(z), DD_OK);
  EXPECT_EQ(back->AddAttachedSurface(MakeZ(16, 16)), DDERR_SURFACEALREADYATTACHED);
  plat::testing::Fail(plat::testing::Fault::AttachZBuffer);
  EXPECT_EQ(back->AddAttachedSurface(z), DDERR_GENERIC);
}

TEST_F(D3dDrawTest, ColourKeyedTextureSurfaceFilledByStretchBltAndGetDC) {
  auto back = Back(8, 8, 32);
  auto dev = Device(back);
  auto tex = Texture(*dev, 4, 4, 1);
  auto staging = Texture(*dev, 2, 2, 1);
  constexpr std::uint32_t kKey = 0xF81F, kGreen = 0x07E0, kBlue = 0x001F;
  FillRaw(*staging, {kKey, kGreen, kBlue, kKey});
  ASSERT_EQ(tex->Blt(nullptr, staging.get(), nullptr, false), DD_OK);  // 2 x 2 -> 4 x 4
  EXPECT_EQ(kxtest::GetPixel(*tex, 1, 1), kKey);
  EXPECT_EQ(kxtest::GetPixel(*tex, 2, 1), kGreen);
  {
    std::unique_ptr<SurfaceDC> dc;
    ASSERT_EQ(tex->GetDC(dc), DD_OK);
    dc->canvas().SetPixel(3, 3, clWhite);
  }
  EXPECT_EQ(kxtest::GetPixel(*tex, 3, 3), 0xFFFFu);
  ASSERT_EQ(tex->SetColorKey(kKey, kKey), DD_OK);

  ASSERT_EQ(dev->SetTexture(0, tex), D3D_OK);
  dev->SetRenderState(RS::CULLMODE, D3DCULL_NONE);
  dev->SetTextureStageState(0, TS::COLOROP, D3DTOP_SELECTARG1);
  const auto quad = Quad144(0, 0, 8, 8, 0xFFFFFFFF, 0);
  const auto draw = [&](bool keyed) {
    dev->SetRenderState(RS::COLORKEYENABLE, keyed);
    ASSERT_EQ(dev->Clear(D3DCLEAR_TARGET, 0xFF000080, 1), D3D_OK);
    ASSERT_EQ(dev->BeginScene(), D3D_OK);
    ASSERT_EQ(dev->DrawPrimitive(D3DPRIMITIVETYPE::TRIANGLESTRIP, 0x144, quad.data(), 4), D3D_OK);
    ASSERT_EQ(dev->EndScene(), D3D_OK);
  };
  draw(true);
  EXPECT_EQ(kxtest::GetPixel(*back, 1, 1), 0x000080u);  // key texel: not drawn
  EXPECT_EQ(kxtest::GetPixel(*back, 5, 1), 0x00FF00u);
  EXPECT_EQ(kxtest::GetPixel(*back, 1, 5), 0x0000FFu);
  EXPECT_EQ(kxtest::GetPixel(*back, 7, 7), 0xFFFFFFu);  // the DC's white
  draw(false);
  EXPECT_EQ(kxtest::GetPixel(*back, 1, 1), 0xFF00FFu);
}

TEST_F(D3dDrawTest, LostOrLockedSurfacesFailTheDrawWithoutDrawing) {
  auto back = Back(8, 8, 32);
  auto dev = Device(back);
  auto tex = Texture(*dev, 2, 2, 1);
  dev->SetRenderState(RS::CULLMODE, D3DCULL_NONE);
  const auto quad = Quad144(0, 0, 8, 8, 0xFFFFFFFF, 0);
  const auto strip = [&] {
    return dev->DrawPrimitive(D3DPRIMITIVETYPE::TRIANGLESTRIP, 0x144, quad.data(), 4);
  };
  ASSERT_EQ(dev->BeginScene(), D3D_OK);
  control_->LoseSurfaces(true);
  EXPECT_EQ(strip(), DDERR_SURFACELOST);
  EXPECT_EQ(dev->Clear(D3DCLEAR_TARGET, 0, 1), DDERR_SURFACELOST);
  ASSERT_EQ(back->Restore(), DD_OK);
  const std::uint64_t garbage = kxtest::HashSurface(*back);
  ASSERT_EQ(dev->SetTexture(0, tex), D3D_OK);
  EXPECT_EQ(strip(), DDERR_SURFACELOST);  // the texture is still lost
  EXPECT_EQ(kxtest::HashSurface(*back), garbage);
  ASSERT_EQ(tex->Restore(), DD_OK);

  DDSURFACEDESC2 d;
  ASSERT_EQ(back->Lock(nullptr, d), DD_OK);
  EXPECT_EQ(strip(), DDERR_SURFACEBUSY);
  back->Unlock();
  ASSERT_EQ(tex->Lock(nullptr, d), DD_OK);
  EXPECT_EQ(strip(), DDERR_SURFACEBUSY);
  tex->Unlock();
  // A disabled stage's texture is not used, so its state does not matter.
  dev->SetTextureStageState(0, TS::COLOROP, D3DTOP_DISABLE);
  ASSERT_EQ(tex->Lock(nullptr, d), DD_OK);
  EXPECT_EQ(strip(), D3D_OK);
  tex->Unlock();
  dev->SetTextureStageState(0, TS::COLOROP, D3DTOP_SELECTARG2);
  EXPECT_EQ(strip(), D3D_OK);
  EXPECT_EQ(kxtest::GetPixel(*back, 4, 4), 0xFFFFFFu);
  ASSERT_EQ(back->Lock(nullptr, d), DD_OK);  // the device let go of it
  back->Unlock();
  EXPECT_EQ(dev->EndScene(), D3D_OK);
}

// A unit cube: four vertices and two triangles per face.
void Cube(std::vector<r::Vertex>& v, std::vector<std::uint16_t>& idx) {
  const float axes[6][3][3] = {
      {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
      {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
  const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (const auto& f : axes) {
    const auto base = static_cast<std::uint16_t>(v.size());
    for (const auto& c : corners) {
      r::Vertex x;
      x.x = f[0][0] + c[0] * f[1][0] + c[1] * f[2][0];
      x.y = f[0][1] + c[0] * f[1][1] + c[1] * f[2][1];
      x.z = f[0][2] + c[0] * f[1][2] + c[1] * f[2][2];
      x.nx = f[0][0];
      x.ny = f[0][1];
      x.nz = f[0][2];
      x.u = (c[0] + 1) / 2;
      x.v = (c[1] + 1) / 2;
      v.push_back(x);
    }
    for (int i : {0, 1, 2, 0, 2, 3}) idx.push_back(static_cast<std::uint16_t>(base + i));
  }
}

TEST_F(D3dDrawTest, CubeThroughTransformAndLightingMatchesTheCoreDrivenDirectly) {
  std::vector<r::Vertex> v;
  std::vector<std::uint16_t> idx;
  Cube(v, idx);
  r::TnlState t;
  const float a = 0.5f, b = 0.3f;
  t.world.m[0][0] = std::cos(a);
  t.world.m[0][2] = -std::sin(a);
  t.world.m[2][0] = std::sin(a);
  t.world.m[2][2] = std::cos(a);
  r::Matrix tilt;
  tilt.m[1][1] = std::cos(b);
  tilt.m[1][2] = std::sin(b);
  tilt.m[2][1] = -std::sin(b);
  tilt.m[2][2] = std::cos(b);
  t.world = t.world * tilt;
  t.view.m[3][2] = 5;
  const float q = 50.0f / 49.0f;
  t.projection.m[0][0] = t.projection.m[1][1] = 2;
  t.projection.m[2][2] = q;
  t.projection.m[2][3] = 1;
  t.projection.m[3][2] = -q;
  t.projection.m[3][3] = 0;
  t.viewport = {0, 0, 32, 32};
  t.ambient = 0x202020;
  t.material.diffuse = {0.8f, 0.6f, 0.4f, 1};
  t.material.ambient = {1, 1, 1, 1};
  const r::Light light{{1, 1, 1, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}, {-1, -1, 1}};
  t.lights = {&light, 1};

  auto back = Back(32, 32, 32);
  auto dev = Device(back);
  auto z = AttachZ(back, 0);
  const auto toD3D = [](const r::Matrix& m) {
    D3DMATRIX out;
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) out.m[i][j] = m.m[i][j];
    return out;
  };
  dev->SetTransform(D3DTRANSFORMSTATETYPE::WORLD, toD3D(t.world));
  dev->SetTransform(D3DTRANSFORMSTATETYPE::VIEW, toD3D(t.view));
  dev->SetTransform(D3DTRANSFORMSTATETYPE::PROJECTION, toD3D(t.projection));
  D3DLIGHT7 l;
  l.diffuse = l.specular = {1, 1, 1, 0};
  l.direction[0] = l.direction[1] = -1;
  l.direction[2] = 1;
  ASSERT_EQ(dev->SetLight(0, l), D3D_OK);
  ASSERT_EQ(dev->LightEnable(0, true), D3D_OK);
  D3DMATERIAL7 m;
  m.diffuse = {0.8f, 0.6f, 0.4f, 1};
  m.ambient = {1, 1, 1, 1};
  dev->SetMaterial(m);
  dev->SetRenderState(RS::AMBIENT, 0x202020);
  dev->SetRenderState(RS::ZENABLE, D3DZB_TRUE);
  ASSERT_EQ(dev->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1), D3D_OK);
  ASSERT_EQ(dev->BeginScene(), D3D_OK);
  ASSERT_EQ(dev->DrawIndexedPrimitive(kList, 0x112, v.data(), 24, idx.data(), 36), D3D_OK);
  ASSERT_EQ(dev->EndScene(), D3D_OK);

  std::vector<r::ClipVertex> scratch;
  std::vector<r::TLVertex> out;
  r::ProcessIndexed(t, v, idx, scratch, out);
  Canvas c(32, 32);
  c.AddZ(r::ZFormat::Z16, 0xFFFF);
  r::State st;
  st.viewport = c.Full();
  st.zEnable = true;
  r::DrawTriangleList(c.target, st, out);
  EXPECT_NE(c.Raw(16, 16), 0u);  // the cube is there, lit
  EXPECT_EQ(c.Raw(0, 0), 0u);
  ExpectSame(*back, c);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(kxtest::GetPixel(*z, x, y), c.Z(x, y)) << x << "," << y;

  // The same triangles unindexed draw the same picture.
  std::vector<r::Vertex> flat;
  for (std::uint16_t i : idx) flat.push_back(v[i]);
  ASSERT_EQ(dev->Clear(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1), D3D_OK);
  ASSERT_EQ(dev->BeginScene(), D3D_OK);
  ASSERT_EQ(dev->DrawPrimitive(kList, 0x112, flat.data(), 36), D3D_OK);
  ASSERT_EQ(dev->EndScene(), D3D_OK);
  ExpectSame(*back, c);
}

}  // namespace
