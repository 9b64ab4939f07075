// particles.cpp — the 281-slot particle table: sparks, smoke, debris, shot
// trails and item glints, drawn in two passes a frame.
//
// The first pass runs before the mode step and draws only the trail kinds
// (11, 12, 14, 15) so that they lie under every sprite; it animates them but
// does not move them. The second pass, after the world, moves every particle
// (its drift decays one unit every sixth frame), draws the other kinds and
// counts life down. A full table just shows fewer sparks.
#include "game/Kx_main.h"
#include "plat/timer.h"

namespace kx {
namespace {

struct SparkColours {
  plat::TColor bright, dark;
};

// Kinds 7..10 and 13 are one-pixel sparks with a darker halo.
SparkColours SparkColoursOf(i32 kind) {
  switch (kind) {
    case 7: return {plat::clYellow, plat::clOlive};
    case 8: return {plat::clAqua, plat::clBlue};
    case 9: return {plat::clSilver, plat::clGray};
    case 10: return {plat::clFuchsia, plat::clPurple};
    default: return {plat::clLime, plat::clGreen};
  }
}

i32 StepToZero(i32 v) { return v > 0 ? v - 1 : v < 0 ? v + 1 : 0; }

}  // namespace

void TForm1::ParticlePassUnder() {
  auto& c = I1.Canvas;
  for (auto& p : world.particles) {
    if (p.active == 0) continue;
    i32 limit;
    switch (p.kind) {
      case 11: Font0.Draw(c, p.x - 8, p.y - 8, 41 + p.frame); limit = 2; break;
      case 12: Font0.Draw(c, p.x - 8, p.y - 8, 38 + p.frame); limit = 2; break;
      case 14: IL24.Draw(c, p.x - 12, p.y - 12, 39 + p.frame); limit = 5; break;
      case 15: IL24.Draw(c, p.x - 12, p.y - 12, 46 + p.frame); limit = 5; break;
      default: continue;
    }
    p.frame += 1;
    if (p.frame > limit) p.active = 0;
  }
}

void TForm1::DrawSpark(const Particle& p) {
  const SparkColours col = SparkColoursOf(p.kind);
  auto& c = I1.Canvas;
  c.SetPixel(p.x, p.y, col.bright);
  if (p.frame == 0) {
    c.SetPixel(p.x - 1, p.y, col.dark);
    c.SetPixel(p.x + 1, p.y, col.dark);
  } else {
    c.SetPixel(p.x, p.y - 1, col.dark);
    c.SetPixel(p.x, p.y + 1, col.dark);
  }
}

void TForm1::ParticlePass() {
  auto& c = I1.Canvas;
  for (auto& p : world.particles) {
    if (p.active == 0) continue;
    p.slowTick += 1;
    if (p.slowTick > 5) {
      p.slowTick = 0;
      p.dx = StepToZero(p.dx);
      p.dy = StepToZero(p.dy);
    }
    p.x += p.dx;
    p.y += p.dy;
    // Sprite kinds with a last frame: draw, then free after it.
    auto frames = [&](plat::ImageList& list, i32 base, i32 last, i32 half) {
      list.Draw(c, p.x - half, p.y - half, base + p.frame);
      p.frame += 1;
      if (p.frame > last) p.active = 0;
    };
    switch (p.kind) {
      case 0:
        Spa8.Draw(c, p.x - 5, p.y - 5, p.frame);
        p.frame = p.frame >= 5 ? 0 : p.frame + 1;
        break;
      case 1:
        Spa8.Draw(c, p.x - 5, p.y - 5, p.frame);
        p.frame = p.frame <= 0 ? 5 : p.frame - 1;
        break;
      case 2: frames(Font2, 32, 13, 8); break;
      case 3: frames(Font2, 10, 9, 8); break;
      case 5: frames(Font2, 20, 11, 8); break;
      case 4: frames(IL24, 18, 6, 12); break;  // smoke
      case 6:
        IL24.Draw(c, p.x - 12, p.y - 12, p.frame / 2 + 18);
        p.frame += 1;
        if (p.frame > 12) p.active = 0;
        break;
      case 7: case 8: case 9: case 10: case 13:
        DrawSpark(p);
        p.frame = p.frame == 0 ? 1 : 0;
        p.life -= 1;
        break;
      case 16:
        c.SetPixel(p.x, p.y, plat::clFuchsia);
        p.life -= 1;
        break;
      case 17: {  // item glint flying out along its direction
        const i32 dir = p.dirIndex & 15;
        p.x -= cosTable16[dir] * 8 / 16;
        p.y -= sinTable16[dir] * 8 / 16;
        frames(IL24, 39, 5, 12);
        break;
      }
      default: break;  // the trail kinds were drawn by the first pass
    }
    p.life -= 1;
    if (p.life < 0) p.active = 0;
  }
}

void TForm1::SmallSparks(i32 x, i32 y, int count) {
  for (int i = 0; i < count; ++i) {
    const i32 kind = plat::random(10);
    const i32 life = plat::random(15) + 10;
    const i32 dx = plat::random(12) - 6;
    NewParticle(kind, x, y, 0, life, dx, plat::random(12) - 6);
  }
}

void TForm1::LargeSparks(i32 x, i32 y, int count, i32 drift) {
  // drift d gives dx, dy in -d/2 .. d/2 - 1.
  for (int i = 0; i < count; ++i) {
    const i32 kind = plat::random(10);
    const i32 frame = kind < 2 ? plat::random(4) : 0;
    const i32 life = plat::random(20) + 25;
    const i32 dx = plat::random(drift) - drift / 2;
    NewParticle(kind, x, y, frame, life, dx, plat::random(drift) - drift / 2);
  }
}

}  // namespace kx
