// alpha_test.cpp — the software transform-and-lighting path: lighting
// against a per-channel model, projection, depth buckets drawn far to near,
// batching by state, and the paired (3DNow!) normalisation rule.
#include <cmath>

#include "component_fixture.h"

namespace kxtest3d {
namespace {

// A pre-lit triangle covering the whole 64 x 48 area at screen depth z
// (all four matrices identity, so positions are pixels).
std::array<TVexmora3DLVertex, 3> Cover(float z, std::uint32_t colour) {
  std::array<TVexmora3DLVertex, 3> t;
  const float xy[3][2] = {{-10, -10}, {200, -10}, {-10, 200}};
  for (int i = 0; i < 3; ++i) {
    t[i].x = xy[i][0];
    t[i].y = xy[i][1];
    t[i].z = z;
    t[i].color = colour;
  }
  return t;
}

class AlphaPathTest : public Component3DTest {
 protected:
  void Identity() {
    const TVexmora3DMatrix one;
    d3d_->SetWorldMatrix(one);
    d3d_->SetViewMatrix(one);
    d3d_->SetProjectionMatrix(one);
    d3d_->SetViewPortMatrix(one);
  }
  void Queue(float z, std::uint32_t colour, TAlphaBlendEffect effect) {
    const auto t = Cover(z, colour);
    const std::uint16_t index[3] = {0, 1, 2};
    d3d_->SetAlphaBlend(effect);
    d3d_->DrawIndexedAlphaVertex(t.data(), 3, index, 3);
  }
};

TEST_F(AlphaPathTest, LightingFollowsTheMaterialLightAndAmbient) {
  plat::D3DMATERIAL7 m;
  m.diffuse = {1, 0.5f, 0.25f, 0.5f};
  m.ambient = {1, 1, 0, 0};
  m.specular = {1, 1, 1, 0};
  m.power = 2;
  d3d_->SetMaterial(m);
  // Light 0 shines along (-1, -1, 1): a normal towards (1, 1, -1) faces it.
  TVexmora3DVertex v[2];
  const float k = 1 / std::sqrt(3.0f);
  v[0].nx = k, v[0].ny = k, v[0].nz = -k;
  v[1].nx = 0, v[1].ny = 0, v[1].nz = 1;  // facing away
  v[0].tu = 0.25f;
  TVexmora3DTLVertex out[2];
  d3d_->LightingStage(v, 2, out);
  // Ambient 0x80 × material ambient: 128/255 on red and green, 0 on blue.
  const float a = 128.0f / 255;
  EXPECT_EQ(out[0].color, 0x7Fu << 24 | 0xFFu << 16 | static_cast<std::uint32_t>(std::min(1.0f, 0.5f + a) * 255) << 8 | 0x3Fu);
  EXPECT_EQ(out[0].specular, 0xFFFFFFu);
  EXPECT_EQ(out[0].tu, 0.25f);
  EXPECT_EQ(out[1].color, 0x7Fu << 24 | static_cast<std::uint32_t>(a * 255) << 16 |
                              static_cast<std::uint32_t>(a * 255) << 8);
  EXPECT_EQ(out[1].specular, 0u);

  // A turned world turns the normals with it: the facing-away normal turned
  // half a circle about y faces the light's z part.
  TVexmora3DMatrix turn;
  turn.m[0][0] = -1;
  turn.m[2][2] = -1;
  d3d_->SetWorldMatrix(turn);
  d3d_->LightingStage(v + 1, 1, out + 1);
  EXPECT_GT(out[1].color >> 16 & 0xFF, static_cast<std::uint32_t>(a * 255));
}

TEST_F(AlphaPathTest, TransformAndFinaliseProjectThroughTheMatrices) {
  TVexmora3DVertex v;
  v.x = 0, v.y = 1, v.z = 0;
  TVexmora3DTLVertex out;
  d3d_->TransformStage(&v, 1, &out);
  EXPECT_FLOAT_EQ(out.rhw, 6);  // w is the distance from the eye
  TVexmora3D::FinalizeStage(&out, 1);
  EXPECT_FLOAT_EQ(out.sx, 32);
  EXPECT_FLOAT_EQ(out.sy, 16);
  EXPECT_FLOAT_EQ(out.rhw, 1.0f / 6);
  EXPECT_GT(out.sz, 0);
  EXPECT_LT(out.sz, 1);
}

TEST_F(AlphaPathTest, BucketsDrawFarToNearAndNothingBeforeRender) {
  Identity();
  // Both translucent halves over a black area: 0x80 alpha, BOTHSRCALPHA.
  Queue(0.0f, 0x80FF0000, aeTrans);  // key 0: nearest, drawn last
  Queue(0.9f, 0x800000FF, aeTrans);  // key 229: drawn first
  EXPECT_EQ(d3d_->QueuedTriangles(), 2u);
  InScene([&] {
    d3d_->AlphaVertexRender();
  });
  EXPECT_EQ(d3d_->QueuedTriangles(), 0u);
  // Blue first (half of it), then red over it at half: red 0x80, blue 0x40.
  const std::uint32_t p = At(10, 10);
  EXPECT_NEAR(static_cast<int>(p >> 16), 0x80, 2);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 0x40, 2);
  EXPECT_EQ(d3d_->AlphaBlendState(), aeNone);  // states reset afterwards
  std::uint32_t z = 1;
  d3d_->Device()->GetRenderState(plat::D3DRENDERSTATETYPE::ZENABLE, z);
  EXPECT_EQ(z, 0u);
}

TEST_F(AlphaPathTest, KeysClampAtBothEndsAndStatesChangeOnlyWhenNeeded) {
  Identity();
  LoadTexture("a", plat::Bitmap(8, 8));
  LoadTexture("b", plat::Bitmap(8, 8));
  // Stage 1 keeps the last triangle's texture: it tells which came last.
  d3d_->SetTexture(std::string("a"), 1);
  Queue(-0.5f, 0x80FFFFFF, aeAdd);  // key below 0: bucket 0, last
  d3d_->SetTexture(std::string("b"), 1);
  Queue(3.0f, 0x80FFFFFF, aeAdd);   // key above 255: bucket 255, first
  Queue(0.5f, 0x80FFFFFF, aeAdd);
  InScene([&] { d3d_->AlphaVertexRender(); });
  EXPECT_EQ(d3d_->StageTexture(1), d3d_->GetTexture("a"));

  // Triangles behind the eye or naming missing vertices are dropped.
  const auto t = Cover(0.5f, 0x80FFFFFF);
  const std::uint16_t bad[6] = {0, 1, 7, 0, 1, 2};
  d3d_->SetAlphaBlend(aeAdd);
  d3d_->DrawIndexedAlphaVertex(t.data(), 3, bad, 6);
  EXPECT_EQ(d3d_->QueuedTriangles(), 1u);
}

TEST_F(AlphaPathTest, DeletedTexturesAreForgottenByQueuedTriangles) {
  Identity();
  LoadTexture("gone", plat::Bitmap(8, 8));
  d3d_->SetTexture(std::string("gone"), 0);
  Queue(0.5f, 0x80FFFFFF, aeAdd);
  d3d_->DeleteTexture("gone");
  EXPECT_EQ(d3d_->StageTexture(0), nullptr);
  InScene([&] { d3d_->AlphaVertexRender(); });  // would touch freed memory otherwise
  EXPECT_EQ(d3d_->QueuedTriangles(), 0u);
}

TEST(Paired3DNowTest, NormalisationKeepsTinyVectorsOnlyOnThePairedPath) {
  Vexmora3DSystem::testing::Force3DNow(true);
  const TVec3 tiny = Normalise({0.001f, 0, 0});
  EXPECT_EQ(tiny.x, 0.001f);
  EXPECT_FLOAT_EQ(Normalise({3, 4, 0}).y, 0.8f);
  // The paired transform gives the plain results, odd counts included.
  TVexmora3DMatrix m;
  m.m[3][0] = 2;
  m.m[1][1] = 3;
  const float in[9] = {1, 1, 1, 2, 2, 2, 3, 3, 3};
  float paired[12], plain[12];
  TransformPoints(m, in, 3, paired, 4, 3);
  Vexmora3DSystem::testing::Force3DNow(false);
  TransformPoints(m, in, 3, plain, 4, 3);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(paired[i], plain[i]);
  EXPECT_FLOAT_EQ(Normalise({0.001f, 0, 0}).x, 1);
  Vexmora3DSystem::testing::Force3DNow(std::nullopt);
}

}  // namespace
}  // namespace kxtest3d
