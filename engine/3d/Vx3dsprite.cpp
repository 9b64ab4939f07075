// Vx3dsprite.cpp — sprite quads: screen-space rectangles (plain, turned, or
// placed in the world through the matrices) showing one pattern of the
// stage-0 texture, queued per texture and blend effect and drawn by
// SpriteRender with one draw call per texture and effect.
//
// Sprite coordinates: x runs from -1 (left edge) to 1 (right edge) and y
// upward from -Height/Width (bottom) to Height/Width (top), so a sprite's
// size does not depend on the drawing area's size in pixels.
#include <cmath>

#include "3d/Vx3d.h"
#include "3d/Vx3dmath.h"

namespace Vexmora3DSystem {
namespace {

TVexmora3DTLVertex Corner(float sx, float sy, std::uint32_t colour, float tu, float tv) {
  TVexmora3DTLVertex v;
  v.sx = sx;
  v.sy = sy;
  v.sz = 0;
  v.rhw = 1;
  v.color = colour;
  v.specular = 0;
  v.tu = tu;
  v.tv = tv;
  return v;
}

}  // namespace

TVexmora3D::TPatternRect TVexmora3D::PatternOf(int pattern) const {
  const TVexmora3DTexture* t = stageTextures[0];
  if (!t || t->columns <= 0) return {};
  return {static_cast<float>(pattern % t->columns) * t->patternU,
          static_cast<float>(pattern / t->columns) * t->patternV, t->patternU, t->patternV};
}

void TVexmora3D::QueueQuad(const TVexmora3DTLVertex (&quad)[4], TAlphaBlendEffect effect) {
  if (effect >= kAlphaEffects) return;  // no blend to draw it with
  if (stageTextures[0])
    stageTextures[0]->PushRect(quad, effect);
  else
    spriteStacks[effect].PushRect(quad);
}

void TVexmora3D::DrawTexture(float x, float y, float w, float h, std::uint32_t colour,
                             int pattern, TAlphaBlendEffect effect) {
  const float half = static_cast<float>(width) / 2;
  const float aspect = static_cast<float>(height) / static_cast<float>(width);
  const float left = (x + 1 - w / 2) * half, right = (x + 1 + w / 2) * half;
  const float top = (aspect - y - h / 2) * half, bottom = (aspect - y + h / 2) * half;
  const TPatternRect p = PatternOf(pattern);
  const TVexmora3DTLVertex quad[4] = {
      Corner(left, bottom, colour, p.uL, p.vT + p.v), Corner(left, top, colour, p.uL, p.vT),
      Corner(right, bottom, colour, p.uL + p.u, p.vT + p.v),
      Corner(right, top, colour, p.uL + p.u, p.vT)};
  QueueQuad(quad, effect);
}

void TVexmora3D::RotDrawTexture(float x, float y, float w, float h, float angle,
                                std::uint32_t colour, int pattern, TAlphaBlendEffect effect) {
  const float half = static_cast<float>(width) / 2;
  const float aspect = static_cast<float>(height) / static_cast<float>(width);
  const float cx = (x + 1) * half, cy = (aspect - y) * half;
  const float hw = w / 2 * half, hh = h / 2 * half;
  const float c = std::cos(angle), s = std::sin(angle);
  // Screen y grows downward, so a counter-clockwise turn on screen is
  // x' = dx·cos + dy·sin, y' = -dx·sin + dy·cos.
  auto turned = [&](float dx, float dy, float tu, float tv) {
    return Corner(cx + dx * c + dy * s, cy - dx * s + dy * c, colour, tu, tv);
  };
  const TPatternRect p = PatternOf(pattern);
  const TVexmora3DTLVertex quad[4] = {
      turned(-hw, hh, p.uL, p.vT + p.v), turned(-hw, -hh, p.uL, p.vT),
      turned(hw, hh, p.uL + p.u, p.vT + p.v), turned(hw, -hh, p.uL + p.u, p.vT)};
  QueueQuad(quad, effect);
}

void TVexmora3D::DrawTransformed(const TVexmora3DVector& position, float w, float h,
                                 std::uint32_t colour, int pattern, TAlphaBlendEffect effect) {
  SetWorldMatrix(ScaleMatrix(w, h, 0) * TranslationMatrix(position.x, position.y, position.z));
  const TVexmora3DMatrix& m = GetTransformedMatrix();
  const TPatternRect p = PatternOf(pattern);
  // Bottom-left, top-left, bottom-right, top-right: DrawTexture's order.
  const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
  const float uv[4][2] = {{p.uL, p.vT + p.v}, {p.uL, p.vT}, {p.uL + p.u, p.vT + p.v},
                          {p.uL + p.u, p.vT}};
  TVexmora3DTLVertex quad[4];
  for (int i = 0; i < 4; ++i) {
    const float in[3] = {corners[i][0], corners[i][1], 0};
    float out[4];
    TransformPoints(m, in, 3, out, 4, 1);
    if (!(out[3] > 0)) return;  // behind the eye: nothing sensible to draw
    const float rhw = 1 / out[3];
    quad[i] = Corner(out[0] * rhw, out[1] * rhw, colour, uv[i][0], uv[i][1]);
    quad[i].sz = out[2] * rhw;
    quad[i].rhw = rhw;
  }
  QueueQuad(quad, effect);
}

void TVexmora3D::SpriteRender() {
  if (!device) return;
  device->SetRenderState(plat::D3DRENDERSTATETYPE::CULLMODE, plat::D3DCULL_NONE);
  for (const auto& [name, texture] : textures.Entries()) texture->Render(*this);
  // Untextured quads really are untextured: the last texture is taken off.
  SetTexture(nullptr, 0);
  for (TAlphaBlendEffect effect = 0; effect < kAlphaEffects; ++effect) {
    if (!spriteStacks[effect].Check()) continue;
    SetAlphaBlend(effect);
    spriteStacks[effect].Render(*this);
  }
  // Meshes drawn next must not inherit the last sprite's blend.
  SetAlphaBlend(aeNone);
  device->SetRenderState(plat::D3DRENDERSTATETYPE::CULLMODE, plat::D3DCULL_CCW);
}

}  // namespace Vexmora3DSystem
