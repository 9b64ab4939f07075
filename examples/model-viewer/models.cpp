// models.cpp — the ship and the rings, part by part.
#include "models.h"

#include <cmath>
#include <numbers>

#include "3d/Vx3d.h"

namespace viewer {
namespace {

using Vexmora3DSystem::aeAdd;
using Vexmora3DSystem::aeTrans;
using Vexmora3DSystem::TranslationMatrix;

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kRing = 6;  // the hull's cross-section is a hexagon

// Point k of a hexagon round the z axis, corners at 30° + k·60° so that one
// sits on top (the canopy's ridge) and one underneath.
TVec3 Hex(int k, float rx, float ry, float z) {
  const float a = kPi / 6 + static_cast<float>(k % kRing) * kPi / 3;
  return {rx * std::cos(a), ry * std::sin(a), z};
}

TVexmora3DObject* Hull() {
  TVexmora3DObject* hull = NewObject("hull", 0.85f, 0.88f, 0.95f, 1, 0.7f, 18);
  TVexmora3DObject::SetField(hull->texture0, "plates.bmp");
  const TVec3 nose = {0, 0, 1.4f}, inside = {0, 0, 0}, tail = {0, 0, kShipTail};
  for (int k = 0; k < kRing; ++k) {
    const TVec3 m0 = Hex(k, 0.4f, 0.26f, 0.2f), m1 = Hex(k + 1, 0.4f, 0.26f, 0.2f);
    const TVec3 t0 = Hex(k, 0.28f, 0.2f, kShipTail), t1 = Hex(k + 1, 0.28f, 0.2f, kShipTail);
    AddFacet(*hull, nose, m0, m1, inside, 0.8f);
    AddFacet(*hull, m0, m1, t1, inside, 0.8f);
    AddFacet(*hull, m0, t1, t0, inside, 0.8f);
    AddFacet(*hull, t0, t1, tail, {0, 0, 0.5f * kShipTail}, 0.8f);
  }
  return hull;
}

TVexmora3DObject* Wings() {
  TVexmora3DObject* wings = NewObject("wings", 1.0f, 0.45f, 0.22f, 1, 0.4f, 10);
  TVexmora3DObject::SetField(wings->texture0, "plates.bmp");
  for (float side : {-1.0f, 1.0f}) {
    const TVec3 rootFront = {side * 0.3f, -0.05f, 0.25f}, rootBack = {side * 0.25f, -0.05f, -0.85f};
    const TVec3 tipBack = {side * 1.35f, -0.16f, -1.0f}, tipFront = {side * 1.3f, -0.15f, -0.6f};
    AddPlate(*wings, rootFront, rootBack, tipBack, 0.8f);
    AddPlate(*wings, rootFront, tipBack, tipFront, 0.8f);
  }
  AddPlate(*wings, {0, 0.18f, -0.45f}, {0, 0.16f, -1.0f}, {0, 0.62f, -1.1f}, 0.8f);  // the fin
  return wings;
}

// The pilot's helmet under the canopy: an octahedron, there to be seen
// through the glass.
TVexmora3DObject* Pilot() {
  TVexmora3DObject* pilot = NewObject("pilot", 1.0f, 0.85f, 0.2f, 1, 0.8f, 12);
  const TVec3 centre = {0, 0.27f, 0.42f};
  const TVec3 tips[6] = {{0.11f, 0, 0},  {0, 0.11f, 0}, {-0.11f, 0, 0},
                         {0, -0.11f, 0}, {0, 0, 0.13f}, {0, 0, -0.13f}};
  for (int k = 0; k < 4; ++k)
    for (int end : {4, 5}) {
      const TVec3 a = tips[k], b = tips[(k + 1) % 4], c = tips[end];
      AddFacet(*pilot, {centre.x + a.x, centre.y + a.y, centre.z + a.z},
               {centre.x + b.x, centre.y + b.y, centre.z + b.z},
               {centre.x + c.x, centre.y + c.y, centre.z + c.z}, centre, 0);
    }
  return pilot;
}

// A low dome of glass over the front of the hull, smooth-shaded.
TVexmora3DObject* Canopy() {
  TVexmora3DObject* canopy = NewObject("canopy", 0.45f, 0.8f, 1.0f, 0.45f, 0.9f, 8);
  canopy->alphaBlend = aeTrans;
  const TVec3 centre = {0, 0.12f, 0.45f};
  auto add = [&](TVec3 p) {
    const TVec3 n = Vexmora3DSystem::Normalise(p - centre);
    canopy->vertices.push_back({p.x, p.y, p.z, n.x, n.y, n.z, 0, 0});
  };
  add({0, 0.46f, 0.4f});  // apex
  for (int k = 0; k < 8; ++k) {
    const float a = static_cast<float>(k) * kPi / 4;
    add({0.24f * std::cos(a), 0.12f, 0.45f + 0.5f * std::sin(a)});
  }
  for (std::uint16_t k = 0; k < 8; ++k)
    AddSmoothTriangle(*canopy, 0, static_cast<std::uint16_t>(1 + k),
                      static_cast<std::uint16_t>(1 + (k + 1) % 8));
  return canopy;
}

// The nozzle's disc and a flame cone behind it, both added to the picture.
TVexmora3DObject* Glow() {
  TVexmora3DObject* glow = NewObject("glow", 1.0f, 0.55f, 0.2f, 1, 0, 0);
  glow->alphaBlend = aeAdd;
  glow->material.ambient = {1.0f, 0.7f, 0.3f, 1};
  const TVec3 centre = {0, 0, kShipTail - 0.02f}, tip = {0, 0, kShipTail - 0.7f};
  for (int k = 0; k < kRing; ++k) {
    const TVec3 r0 = Hex(k, 0.2f, 0.15f, kShipTail - 0.02f),
                r1 = Hex(k + 1, 0.2f, 0.15f, kShipTail - 0.02f);
    AddFacet(*glow, r0, r1, centre, {0, 0, 0}, 1);
    AddFacet(*glow, r0, r1, tip, {0, 0, kShipTail - 0.3f}, 1);
  }
  return glow;
}

}  // namespace

TVexmora3DObject* BuildShip() {
  TVexmora3DObject* ship = Hull();
  ship->AddNext(Wings());
  ship->AddNext(Pilot());
  ship->AddNext(Canopy());
  ship->AddNext(Glow());
  return ship;
}

TVexmora3DObject* BuildTorus(const char* name, float ringRadius, float tubeRadius, int segments,
                             int sides) {
  TVexmora3DObject* torus = NewObject(name, 1, 1, 1, 1, 0.8f, 24);
  // One extra row and column repeat the seams with texture coordinates 1.
  for (int i = 0; i <= segments; ++i) {
    const float u = 2 * kPi * static_cast<float>(i) / static_cast<float>(segments);
    for (int j = 0; j <= sides; ++j) {
      const float v = 2 * kPi * static_cast<float>(j) / static_cast<float>(sides);
      const TVec3 n = {std::cos(v) * std::cos(u), std::sin(v), std::cos(v) * std::sin(u)};
      const float reach = ringRadius + tubeRadius * std::cos(v);
      torus->vertices.push_back({reach * std::cos(u), tubeRadius * std::sin(v), reach * std::sin(u),
                                 n.x, n.y, n.z,
                                 static_cast<float>(i) / static_cast<float>(segments),
                                 static_cast<float>(j) / static_cast<float>(sides)});
    }
  }
  auto at = [sides](int i, int j) { return static_cast<std::uint16_t>(i * (sides + 1) + j); };
  for (int i = 0; i < segments; ++i)
    for (int j = 0; j < sides; ++j) {
      AddSmoothTriangle(*torus, at(i, j), at(i + 1, j), at(i, j + 1));
      AddSmoothTriangle(*torus, at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
    }
  return torus;
}

TVexmora3DObject* BuildRings() {
  TVexmora3DObject* checker = BuildTorus("checker ring", 0.75f, 0.24f, 24, 12);
  TVexmora3DObject::SetField(checker->texture0, "checker.bmp");
  checker->material.diffuse = {1, 0.95f, 0.9f, 1};
  checker->localMatrix = TranslationMatrix(-0.38f, 0, 0);

  TVexmora3DObject* chrome = BuildTorus("chrome ring", 0.75f, 0.24f, 24, 12);
  TVexmora3DObject::SetField(chrome->texture0, "chrome.bmp");
  chrome->envMap = true;
  chrome->localMatrix = RotationX(kPi / 2) * TranslationMatrix(0.38f, 0, 0);
  checker->AddNext(chrome);
  return checker;
}

}  // namespace viewer
