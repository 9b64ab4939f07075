// model_fixture.h — a recording stand-in for the 3D component, model
// builders and an error catcher for the model tests.
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "3d/Vx3dfile.h"
#include "plat/exception.h"

namespace kxtest3d {

using namespace Vexmora3DSystem;

inline const std::string kFileError = "TVexmora3DFile エラー\n\n";
inline const std::string kLoadError = kFileError + "VexmoraXの読み込みに失敗しました。\nファイル名：";
inline const std::string kSaveError = kFileError + "VexmoraXの保存に失敗しました。\nファイル名：";

inline std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const plat::Exception& e) {
    return e.what();
  }
  return "(no error)";
}

// Records every call as a line of text; knows the textures in `known`.
class RecordingDevice : public TVexmora3DModelDevice {
 public:
  std::vector<std::string> calls;
  std::set<std::string> known;
  std::vector<std::vector<TVexmora3DVertex>> drawn;
  std::vector<TVexmora3DMatrix> drawWorlds;  // world matrix at each draw
  TVexmora3DMatrix world, view;

  void CreateTexture(const std::string& name, const std::string& file, int pw, int ph) override {
    calls.push_back("create " + name + " " + file + " " + std::to_string(pw) + std::to_string(ph));
    if (!known.count(name)) throw plat::Exception("no such texture");
  }
  void SetTexture(const std::string& name, int stage) override {
    if (!known.count(name)) throw plat::Exception("unknown texture");
    calls.push_back("texture" + std::to_string(stage) + " " + name);
  }
  void ClearTexture(int stage) override { calls.push_back("clear" + std::to_string(stage)); }
  const TVexmora3DMatrix& GetWorldMatrix() const override { return world; }
  const TVexmora3DMatrix& GetViewMatrix() const override { return view; }
  void SetWorldMatrix(const TVexmora3DMatrix& m) override { world = m; }
  void SetMaterial(const plat::D3DMATERIAL7& m) override {
    calls.push_back("material " + std::to_string(m.power));
  }
  void SetFlatShade(bool f) override { calls.push_back("flat " + std::to_string(f)); }
  void SetAlphaBlend(TAlphaBlendEffect e) override { calls.push_back("alpha " + std::to_string(e)); }
  void SetMultiTexture(TMultiTextureEffect e) override {
    calls.push_back("multi " + std::to_string(e));
  }
  void DrawIndexed(const TVexmora3DVertex* v, std::uint32_t vc, const std::uint16_t*,
                   std::uint32_t ic) override {
    calls.push_back("draw " + std::to_string(vc) + " " + std::to_string(ic));
    drawn.emplace_back(v, v + vc);
    drawWorlds.push_back(world);
  }
};

inline TVexmora3DMatrix Translation(float x, float y, float z) {
  TVexmora3DMatrix m;
  m.m[3][0] = x;
  m.m[3][1] = y;
  m.m[3][2] = z;
  return m;
}

// An object with `n` vertices and a fan of triangles over them.
inline TVexmora3DObject* MakeObject(const std::string& name, int n, float seed) {
  auto* obj = new TVexmora3DObject;
  TVexmora3DObject::SetField(obj->name, name);
  for (int i = 0; i < n; ++i) {
    const float f = seed + static_cast<float>(i);
    obj->vertices.push_back({f, -f, f * 0.5f, 0, 1, 0, f / 8, 1 - f / 8});
  }
  for (int i = 1; i + 1 < n; ++i)
    obj->indices.insert(obj->indices.end(), {0, static_cast<std::uint16_t>(i),
                                             static_cast<std::uint16_t>(i + 1)});
  obj->material.diffuse = {seed, 0.5f, 0.25f, 1};
  obj->material.power = seed * 2;
  obj->localMatrix = Translation(seed, 2 * seed, -seed);
  return obj;
}

}  // namespace kxtest3d
