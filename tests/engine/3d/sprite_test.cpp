// sprite_test.cpp — sprite quads: screen mapping, patterns, turning,
// world placement, batching per texture and effect; and the triangle batch.
#include <cmath>
#include <numbers>

#include "component_fixture.h"

namespace kxtest3d {
namespace {

// Four 8 x 8 patterns side by side: red, green, blue, white.
plat::Bitmap FourPatterns() {
  plat::Bitmap b(32, 8);
  const std::uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 32; ++x) b.Row(y)[x] = colours[x / 8];
  return b;
}

TEST_F(Component3DTest, WholeAreaSpriteCoversEveryPixel) {
  // Width 2 and height 2·Height/Width fill the drawing area exactly.
  InScene([&] {
    d3d_->DrawTexture(0, 0, 2, 2 * 48.0f / 64, 0xFFFFFFFF, 0, aeNone);
    d3d_->SpriteRender();
  });
  int white = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) white += At(x, y) == 0xFFFFFF;
  EXPECT_EQ(white, 64 * 48);
}

TEST_F(Component3DTest, PatternsAndPlacement) {
  LoadTexture("four", FourPatterns(), 8, 8);
  d3d_->SetTexture(std::string("four"), 0);
  // A 16-pixel square (0.5 of the half-width 32) centred at pixel (16, 12):
  // x = 16/32 - 1 = -0.5, y = 0.75 - 12/32 = 0.375.
  InScene([&] {
    d3d_->DrawTexture(-0.5f, 0.375f, 0.5f, 0.5f, 0xFFFFFFFF, 2, aeNone);
    d3d_->DrawTexture(0.5f, 0.375f, 0.5f, 0.5f, 0xFFFFFFFF, 1, aeNone);
    EXPECT_EQ(d3d_->GetTexture("four")->Queued(), 4u);  // two quads, two triangles each
    d3d_->SpriteRender();
  });
  EXPECT_EQ(d3d_->GetTexture("four")->Queued(), 0u);
  EXPECT_EQ(At(16, 12), 0x0000FFu);  // pattern 2: blue
  EXPECT_EQ(At(48, 12), 0x00FF00u);  // pattern 1: green
  EXPECT_EQ(At(16, 3), 0u);          // outside: untouched
  EXPECT_EQ(At(9, 12), 0x0000FFu);
  EXPECT_EQ(At(7, 12), 0u);
}

TEST_F(Component3DTest, TurnedSpritesTurnCounterClockwise) {
  plat::Bitmap arrow(16, 16);  // left half red, right half green
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) arrow.Row(y)[x] = x < 8 ? 0xFF0000 : 0x00FF00;
  LoadTexture("arrow", arrow);
  d3d_->SetTexture(std::string("arrow"), 0);
  InScene([&] {
    d3d_->RotDrawTexture(0, 0, 1, 1, std::numbers::pi_v<float> / 2, 0xFFFFFFFF, 0, aeNone);
    d3d_->SpriteRender();
  });
  // A quarter turn counter-clockwise puts the green (right) half on top.
  EXPECT_EQ(At(32, 14), 0x00FF00u);
  EXPECT_EQ(At(32, 34), 0xFF0000u);
}

TEST_F(Component3DTest, UntexturedQuadsStayUntexturedAndBlend) {
  LoadTexture("four", FourPatterns(), 8, 8);
  d3d_->SetTexture(std::string("four"), 0);
  d3d_->DrawTexture(-0.5f, 0, 0.5f, 0.5f, 0xFFFFFFFF, 0, aeNone);  // red, textured
  d3d_->SetTexture(nullptr, 0);
  // An untextured grey quad added over the right half of the area.
  d3d_->DrawTexture(0.5f, 0, 1, 1.5f, 0xFF404040, 0, aeAdd);
  InScene([&] { d3d_->SpriteRender(); }, 0x00100000);
  EXPECT_EQ(At(16, 24), 0xFF0000u);
  EXPECT_EQ(At(48, 24), 0x504040u);
  EXPECT_EQ(d3d_->AlphaBlendState(), aeNone);  // meshes drawn next stay opaque
}

TEST_F(Component3DTest, WorldSpritesFollowTheMatrices) {
  // The quad's corners are ±1 scaled by its size: a size of 1 spans two
  // units, 16 pixels at the origin's depth (one unit is 8 pixels there).
  InScene([&] {
    d3d_->DrawTransformed({0, 0, 0}, 1, 1, 0xFFFFFFFF, 0, aeNone);
    d3d_->SpriteRender();
  });
  EXPECT_FLOAT_EQ(d3d_->GetWorldMatrix().m[0][0], 1);
  EXPECT_FLOAT_EQ(d3d_->GetWorldMatrix().m[2][2], 0);
  EXPECT_EQ(At(32, 24), 0xFFFFFFu);
  EXPECT_EQ(At(24, 16), 0xFFFFFFu);
  EXPECT_EQ(At(39, 31), 0xFFFFFFu);
  EXPECT_EQ(At(40, 24), 0u);
  EXPECT_EQ(At(23, 24), 0u);
  EXPECT_EQ(At(32, 32), 0u);
  // Behind the eye nothing is queued.
  d3d_->DrawTransformed({0, 0, -10}, 1, 1, 0xFFFFFFFF, 0, aeNone);
  InScene([&] { d3d_->SpriteRender(); });
  EXPECT_EQ(At(32, 24), 0u);
}

TEST(TLStackTest, GrowsByItsStepAndSplitsQuads) {
  TVexmora3DTLStack stack(10);
  TVexmora3DTLVertex t[3];
  for (int i = 0; i < 10; ++i) stack.Push(t);
  EXPECT_EQ(stack.Capacity(), 10);
  stack.Push(t);
  EXPECT_EQ(stack.Capacity(), 20);  // grew once
  EXPECT_EQ(stack.Count(), 11);

  TVexmora3DTLStack quads(10);
  TVexmora3DTLVertex q[4];
  for (int i = 0; i < 4; ++i) q[i].sx = static_cast<float>(i);
  for (int i = 0; i < 5; ++i) quads.PushRect(q);
  EXPECT_EQ(quads.Capacity(), 10);
  quads.PushRect(q);  // no room for two more: one step
  EXPECT_EQ(quads.Capacity(), 20);
  const float order[6] = {0, 1, 2, 2, 1, 3};  // (a, b, c) and (c, b, d)
  for (int i = 0; i < 6; ++i) EXPECT_EQ(quads.Buffer()[i].sx, order[i]);
  EXPECT_TRUE(quads.Check());
  quads.CleanUp();
  EXPECT_FALSE(quads.Check());
}

}  // namespace
}  // namespace kxtest3d
