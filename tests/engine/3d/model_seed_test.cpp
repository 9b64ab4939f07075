// Models of every shape the writer makes load back unchanged. The files are
// left in <build>/model-seeds as the model reader fuzzer's starting corpus.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "model_fixture.h"

namespace {

using namespace kxtest3d;

TEST(ModelSeeds, EveryShapeRoundTrips) {
  const std::filesystem::path dir = std::filesystem::path(KX_BINARY_DIR) / "model-seeds";
  std::filesystem::create_directories(dir);
  std::vector<TVexmora3DObject*> roots = {MakeObject("tri", 3, 1), MakeObject("empty", 0, 0),
                                          MakeObject("quad", 4, 2)};
  roots[2]->AddNext(MakeObject("fan", 7, 3));
  roots[2]->AddNext(MakeObject("", 0, 4));
  roots[0]->envMap = true;
  roots[0]->alphaBlend = 4;
  TVexmora3DObject::SetField(roots[0]->texture0, "t0.bmp");
  TVexmora3DObject::SetField(roots[2]->name, std::string(40, 'n'));  // cut to 31
  for (std::size_t i = 0; i < roots.size(); ++i) {
    const std::string path = (dir / ("seed" + std::to_string(i) + ".x")).string();
    TVexmora3DFile written;
    written.SetRoot(roots[i]);
    written.SaveFile(path);
    TVexmora3DFile read;
    read.LoadFile(nullptr, path);
    if (i == 2) {
      EXPECT_EQ(read.Root()->Name(), std::string(31, 'n'));
    }
    const TVexmora3DObject* a = written.Root();
    const TVexmora3DObject* b = read.Root();
    for (; a && b; a = a->GetNextObject(), b = b->GetNextObject()) {
      EXPECT_EQ(a->Name(), b->Name());
      EXPECT_EQ(a->Texture0(), b->Texture0());
      EXPECT_EQ(a->envMap, b->envMap);
      EXPECT_EQ(a->alphaBlend, b->alphaBlend);
      EXPECT_EQ(a->indices, b->indices);
      ASSERT_EQ(a->vertices.size(), b->vertices.size());
      for (std::size_t v = 0; v < a->vertices.size(); ++v) {
        EXPECT_EQ(a->vertices[v].y, b->vertices[v].y);
        EXPECT_EQ(a->vertices[v].tu, b->vertices[v].tu);
      }
      EXPECT_EQ(std::memcmp(&a->material, &b->material, sizeof a->material), 0);
      EXPECT_EQ(std::memcmp(&a->localMatrix, &b->localMatrix, sizeof a->localMatrix), 0);
    }
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
  }
}

}  // namespace
