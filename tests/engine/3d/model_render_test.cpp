// Rendering a model through the 3D component: matrices of children and
// siblings, texture stages, state resets and environment mapping; and the
// component's table of models.
#include <gtest/gtest.h>

#include "3d/Vx3dobjects.h"
#include "model_fixture.h"
#include "plat/kernel.h"

namespace {

using namespace kxtest3d;

TEST(ModelRender, ChildrenCombineMatricesAndSiblingsShareTheParents) {
  TVexmora3DFile file;
  TVexmora3DObject* root = MakeObject("body", 3, 1);  // translation (1, 2, -1)
  TVexmora3DObject* arm = MakeObject("arm", 3, 10);   // (10, 20, -10)
  arm->AddChild(MakeObject("hand", 3, 100));          // (100, 200, -100)
  root->AddChild(arm);
  root->AddNext(MakeObject("shadow", 3, 1000));
  file.SetRoot(root);
  RecordingDevice device;
  device.world = Translation(0.5f, 0, 0);
  for (int i = 0; i < 3; ++i) device.world.m[i][i] = 2;  // local moves are scaled by W
  file.Render(device);
  ASSERT_EQ(device.drawWorlds.size(), 4u);
  EXPECT_EQ(device.drawWorlds[0].m[3][0], 2.5f);
  EXPECT_EQ(device.drawWorlds[1].m[3][0], 22.5f);
  EXPECT_EQ(device.drawWorlds[2].m[3][0], 222.5f);
  EXPECT_EQ(device.drawWorlds[2].m[3][1], 444.0f);
  EXPECT_EQ(device.drawWorlds[3].m[3][0], 2000.5f);
  EXPECT_EQ(device.world.m[3][0], 0.5f);  // restored
  EXPECT_EQ(device.world.m[0][0], 2.0f);
}

TEST(ModelRender, StatesAreSetForTheDrawAndResetAfter) {
  TVexmora3DObject obj;
  obj.vertices.resize(3);
  obj.indices = {0, 1, 2};
  obj.material.power = 4;
  obj.flatShade = true;
  obj.alphaBlend = 2;
  obj.multiTexture = 5;
  TVexmora3DObject::SetField(obj.texture1, "glow.bmp");
  RecordingDevice device;
  device.known = {"glow.bmp"};
  obj.Render(device);
  const std::vector<std::string> expected = {
      "material 4.000000", "texture1 glow.bmp", "flat 1", "alpha 2", "multi 5", "draw 3 3",
      "clear0", "clear1", "multi 0", "alpha 0", "flat 0"};
  EXPECT_EQ(device.calls, expected);

  TVexmora3DObject::SetField(obj.texture0, "missing.bmp");  // unknown: stage left alone
  device.calls.clear();
  obj.Render(device);
  EXPECT_EQ(device.calls, expected);
}

TEST(ModelRender, EnvironmentMappingDrawsACopyWithCoordinatesFromNormals) {
  TVexmora3DObject obj;
  obj.envMap = true;
  obj.vertices = {{0, 0, 0, 1, 0, 0, 9, 9}, {0, 0, 0, 0, 1, 0, 9, 9}, {0, 0, 0, 0, 0, -1, 9, 9}};
  obj.indices = {0, 1, 2};
  RecordingDevice device;
  device.view.m[0][0] = 3;  // scaled axes are normalised
  device.view.m[1][1] = 3;
  obj.Render(device);
  ASSERT_EQ(device.drawn.size(), 1u);
  const auto& v = device.drawn[0];
  EXPECT_FLOAT_EQ(v[0].tu, 1.0f);
  EXPECT_FLOAT_EQ(v[0].tv, 0.5f);
  EXPECT_FLOAT_EQ(v[1].tu, 0.5f);
  EXPECT_FLOAT_EQ(v[1].tv, 0.0f);
  EXPECT_FLOAT_EQ(v[2].tu, 0.5f);
  EXPECT_FLOAT_EQ(v[2].tv, 0.5f);
  EXPECT_EQ(obj.vertices[0].tu, 9.0f);  // the object keeps its own coordinates
}

TEST(ModelTable, CreateLookupRenderAndDelete) {
  bool initialised = false;
  TVexmora3DObjectTable table([&] { return initialised; });
  const std::string k3D = "TVexmora3D エラー\n\n";
  EXPECT_EQ(ErrorOf([&] { table.CreateObject(nullptr, "m", "m.x"); }),
            k3D + "まだ初期化されてません。");
  initialised = true;

  EXPECT_EQ(ErrorOf([&] { table.CreateObject(nullptr, "m", "absent.x"); }),
            kLoadError + "absent.x");
  EXPECT_EQ(ErrorOf([&] { table.GetObjectA("m"); }),
            k3D + "オブジェクトが存在しません。\nスプライト名：m");

  TVexmora3DFile source;
  source.SetRoot(MakeObject("tri", 3, 1));
  const std::string path = ::testing::TempDir() + "kx_model_table.x";
  source.SaveFile(path);
  table.CreateObject(nullptr, "m", path);
  table.CreateObject(nullptr, "m", "absent.x");  // present: nothing is read
  EXPECT_EQ(table.GetObjectA("m")->FileName(), path);
  RecordingDevice device;
  table.RenderObject(device, "m");
  EXPECT_EQ(device.drawn.size(), 1u);
  EXPECT_EQ(ErrorOf([&] { table.RenderObject(device, "other"); }),
            k3D + "オブジェクトが存在しません。\nスプライト名：other");

  table.DeleteObject("unknown");
  table.DeleteObject("m");
  EXPECT_EQ(table.Entries().size(), 0u);
  table.CreateObject(nullptr, "m", path);
  table.CreateObject(nullptr, "n", path);
  table.DeleteAllObject();
  EXPECT_EQ(table.Entries().size(), 0u);
  std::remove(path.c_str());
}

}  // namespace
