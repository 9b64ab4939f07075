// scenes.cpp — every blend effect over the background, then wind, zoom,
// rotation and the presentation effects, each labelled with TextOutA.
#include "scenes.h"

#include <cmath>

namespace showcase {
namespace {

using namespace VexmoraDrawSystem;

struct Effect {
  const char* name;
  TBlendEffect effect;
  int param;
};
constexpr Effect kEffects[] = {{"beNormal", beNormal, -1},     {"beTrans 128", beTrans, -1},
                               {"beAdd", beAdd, 255},          {"beMod", beMod, 255},
                               {"beSub", beSub, 160},          {"beColorAdd", beColorAdd, 0x0000A0FF},
                               {"beColorMod", beColorMod, 0x00FFC040}};

void Balls(TVexmoraDraw& d, int frame, TBlendEffect e, int param) {
  for (int i = 0; i < 8; ++i) {
    const double t = frame * 0.05 + i * 0.8;
    d.Draw(static_cast<int>(144 + 120 * std::cos(t)), static_cast<int>(104 + 80 * std::sin(t * 1.3)),
           "balls", i % 4, e, param);
  }
}

}  // namespace

const char* DrawScene(TVexmoraDraw& d, int scene, int frame) {
  d.Draw(0, 0, "bg", 0);
  const char* name = "";
  int present = 0x100;
  if (scene < 7) {
    const Effect& e = kEffects[scene];
    Balls(d, frame, e.effect, e.param);
    name = e.name;
  } else if (scene == 7) {
    for (int i = 0; i < 4; ++i) d.WindDraw(40 + 70 * i, 100, "balls", i, beNormal, -1, 6 + 4 * i);
    name = "WindDraw";
  } else if (scene == 8) {
    const int z = 128 + (frame * 8) % 512;
    d.ZoomDraw(160 - 16 * z / 256, 120 - 16 * z / 256, z, z, "balls", 1);
    name = "ZoomDraw";
  } else if (scene == 9) {
    d.RotZoomDraw(100, 120, frame * 1024, 256, "balls", 2);
    d.RotZoomDraw(220, 120, -frame * 1536, 384 + 128 * (frame % 3), "balls", 3);
    name = "RotZoomDraw";
  } else {
    Balls(d, frame, beAdd, 200);
    present = frame % 2 ? 0x202 : 0x402;  // wave, then fade to black
    name = "UpdateEx wave / fade";
  }
  d.TextOutA(8, 8, name);
  if (present == 0x100)
    d.Update();
  else
    d.UpdateEx(present == 0x202 ? 12 : 96, present);
  return name;
}

}  // namespace showcase
