// scene.cpp — building, saving and loading the models, and drawing a frame.
//
// Order within a frame: stars (sprites, no depth test, so they never hide
// the models), opaque meshes with the Z buffer, the queued translucent
// triangles far to near, then the sparks depth-tested but not written, so
// overlapping sparks add up instead of cutting each other off.
#include "scene.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <numbers>
#include <system_error>

#include "3d/Vx3dfile.h"
#include "mesh.h"
#include "models.h"
#include "pictures.h"

namespace viewer {
namespace {

using namespace Vexmora3DSystem;

constexpr float kDegree = std::numbers::pi_v<float> / 180;
constexpr int kStars = 70;
constexpr int kSparks = 10;
constexpr std::uint32_t kSky = 0x000A1028;

void SaveModel(TVexmora3DObject* root, const std::string& path) {
  TVexmora3DFile file;
  file.SetRoot(root);
  file.SaveFile(path);
}

// A repeatable pseudo-random value in 0..1 for star `i`, property `k`.
float Hash(int i, int k) {
  std::uint32_t h =
      static_cast<std::uint32_t>(i) * 2654435761u ^ static_cast<std::uint32_t>(k) * 40503u;
  h ^= h >> 15;
  h *= 2246822519u;
  h ^= h >> 13;
  return static_cast<float>(h & 0xFFFF) / 65535.0f;
}

// Three layers of stars drifting left, the nearer ones faster and bigger.
void QueueStars(TVexmora3D& d3d, int frame) {
  const float top = static_cast<float>(kHeight) / kWidth;
  for (int i = 0; i < kStars; ++i) {
    const int layer = i % 3;
    const float speed = 0.002f * static_cast<float>(layer + 1);
    float x = std::fmod(Hash(i, 0) * 2.2f - speed * static_cast<float>(frame), 2.2f);
    x += (x < 0 ? 2.2f : 0.0f) - 1.1f;  // -1.1..1.1: leaving at the left, back at the right
    const float y = (Hash(i, 1) * 2 - 1) * top;
    const float size = 0.025f + 0.02f * static_cast<float>(layer);
    const float twinkle =
        0.6f + 0.4f * std::sin(static_cast<float>(frame) * 0.3f + Hash(i, 2) * 6.3f);
    const auto alpha =
        static_cast<std::uint32_t>(255 * twinkle * (0.5f + 0.25f * static_cast<float>(layer)));
    d3d.DrawTexture(x, y, size, size, alpha << 24 | 0xD0E0FF, 1, aeAdd);
  }
}

// Sparks streaming from behind the flame cone (whose depth would hide them
// inside it), fading and shrinking with distance.
void QueueSparks(TVexmora3D& d3d, const TVexmora3DMatrix& shipWorld, int frame) {
  for (int k = 0; k < kSparks; ++k) {
    const float age =
        std::fmod(static_cast<float>(k) + static_cast<float>(frame) * 0.5f, kSparks) / kSparks;
    const float wobble = 0.08f * age;
    const TVec3 local = {wobble * std::sin(static_cast<float>(k) * 2.1f),
                         wobble * std::cos(static_cast<float>(k) * 1.7f),
                         kShipTail - 0.65f - 1.5f * age};
    const TVec3 at = Apply(shipWorld, local);
    const auto alpha = static_cast<std::uint32_t>(255 * (1 - 0.8f * age));
    const float size = 0.12f * (1 - 0.5f * age);
    d3d.DrawTransformed({at.x, at.y, at.z}, size, size, alpha << 24 | 0xFFD080, 0, aeAdd);
  }
}

}  // namespace

void Setup(TVexmora3D& d3d, const std::string& dir) {
  d3d.SetWidth(kWidth);
  d3d.SetHeight(kHeight);
  d3d.Init();
  RegisterPictures();
  std::error_code ignored;  // a folder that cannot be made fails at SaveFile, with its message
  std::filesystem::create_directories(dir, ignored);
  const std::string ship = dir + "/ship.vxm", rings = dir + "/rings.vxm";
  SaveModel(BuildShip(), ship);
  SaveModel(BuildRings(), rings);
  d3d.CreateObject("ship", ship);
  d3d.CreateObject("rings", rings);
  d3d.CreateTexture("glow.bmp", "glow.bmp", 32, 32);
}

void DrawFrame(TVexmora3D& d3d, int frame) {
  plat::IDirect3DDevice7& device = *d3d.Device();
  const float t = static_cast<float>(frame);
  // The ship turns about its own vertical, tilted towards the eye to show
  // its top, and rocks a little from side to side.
  const TVexmora3DMatrix shipWorld = RotationY(t * 3 * kDegree) *
                                     RotationZ(0.2f * std::sin(t * 0.1f)) *
                                     RotationX(-25 * kDegree) * TranslationMatrix(-1.75f, 0.25f, 0);
  const TVexmora3DMatrix ringsWorld = RotationY(t * 2 * kDegree) * RotationX(t * 3 * kDegree) *
                                      TranslationMatrix(1.85f, -0.1f, 0.5f);
  if (plat::FAILED(device.BeginScene())) return;  // lost: the next Update restores
  device.Clear(plat::D3DCLEAR_TARGET | plat::D3DCLEAR_ZBUFFER, kSky, 1.0f);

  d3d.SetZBuffer(false);
  d3d.SetTexture(std::string("glow.bmp"), 0);
  QueueStars(d3d, frame);
  d3d.SpriteRender();

  d3d.SetZBuffer(true);
  d3d.SetWorldMatrix(shipWorld);
  d3d.RenderObject("ship");
  d3d.SetWorldMatrix(ringsWorld);
  d3d.RenderObject("rings");
  d3d.AlphaVertexRender();

  d3d.SetZBuffer(true);
  device.SetRenderState(plat::D3DRENDERSTATETYPE::ZWRITEENABLE, 0);
  d3d.SetTexture(std::string("glow.bmp"), 0);
  QueueSparks(d3d, shipWorld, frame);
  d3d.SpriteRender();
  device.SetRenderState(plat::D3DRENDERSTATETYPE::ZWRITEENABLE, 1);
  d3d.SetZBuffer(false);

  device.EndScene();
  d3d.Update();
}

}  // namespace viewer
