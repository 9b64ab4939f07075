// The model file: its byte layout, round trips of object chains, truncated
// and hostile files, the texture requests a load makes, and saving errors.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

#include "model_fixture.h"
#include "plat/kernel.h"
#include "support/temp_dir.h"

namespace {

using namespace kxtest3d;

std::vector<std::byte> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> c((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::byte> out(c.size());
  std::memcpy(out.data(), c.data(), c.size());
  return out;
}

std::uint32_t U32At(const std::vector<std::byte>& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | std::to_integer<std::uint32_t>(b[at + i]);
  return v;
}

class ModelFile : public ::testing::Test {
 protected:
  void TearDown() override { plat::ClearResources(); }
  // Saves `root` as a file and returns its bytes.
  std::vector<std::byte> Bytes(TVexmora3DObject* root) {
    TVexmora3DFile file;
    file.SetRoot(root);
    file.SaveFile(dir_.File("m.x"));
    return ReadAll(dir_.File("m.x"));
  }
  kxtest::TempDir dir_;
};

TEST_F(ModelFile, OneTriangleRecordHasTheFixedLayout) {
  TVexmora3DObject* obj = MakeObject("Tri", 3, 1.5f);
  obj->envMap = true;
  obj->flatShade = true;
  obj->alphaBlend = 3;
  obj->multiTexture = 2;
  TVexmora3DObject::SetField(obj->texture0, "a.bmp");
  TVexmora3DObject::SetField(obj->texture1, "b.bmp");
  const std::vector<std::byte> b = Bytes(obj);
  ASSERT_EQ(b.size(), 482u);
  EXPECT_EQ(std::memcmp(b.data(), "Tri\0", 4), 0);
  EXPECT_EQ(b[36], std::byte{1});
  EXPECT_EQ(b[39], std::byte{1});
  EXPECT_EQ(b[40], std::byte{3});
  EXPECT_EQ(b[41], std::byte{2});
  EXPECT_EQ(std::memcmp(b.data() + 42, "a.bmp\0", 6), 0);
  EXPECT_EQ(std::memcmp(b.data() + 74, "b.bmp\0", 6), 0);
  EXPECT_EQ(U32At(b, 108), std::bit_cast<std::uint32_t>(1.5f));        // diffuse.r
  EXPECT_EQ(U32At(b, 172), std::bit_cast<std::uint32_t>(3.0f));        // power
  EXPECT_EQ(U32At(b, 176 + 48), std::bit_cast<std::uint32_t>(1.5f));   // _41
  EXPECT_EQ(U32At(b, 176 + 52), std::bit_cast<std::uint32_t>(3.0f));   // _42
  EXPECT_EQ(U32At(b, 368), 3u);
  EXPECT_EQ(U32At(b, 372 + 32), std::bit_cast<std::uint32_t>(2.5f));  // vertex 1 x
  EXPECT_EQ(U32At(b, 468), 3u);
  EXPECT_EQ(U32At(b, 472) & 0xFFFF, 0u);
  EXPECT_EQ(U32At(b, 472) >> 16, 1u);
  EXPECT_EQ(U32At(b, 478), 0u);  // hasNext
}

TEST_F(ModelFile, ChainRoundTripsAndChildrenAreNotWritten) {
  TVexmora3DObject* root = MakeObject("Body", 5, 1);
  root->AddNext(MakeObject("Wing", 4, 7));
  root->AddNext(MakeObject("Empty", 0, 0));
  root->AddChild(MakeObject("Hidden", 3, 9));
  root->reserved2[127] = 0x5A;
  root->unused1 = {7, 8};
  TVexmora3DObject::SetField(root->texture1, "env.bmp");
  const std::vector<std::byte> bytes = Bytes(root);
  plat::RegisterResource("VEXMORAX", "plane", bytes);

  RecordingDevice device;
  TVexmora3DFile file;
  file.LoadFile(&device, "plane");
  EXPECT_EQ(file.FileName(), "plane");
  const TVexmora3DObject* a = file.Root();
  ASSERT_NE(a, nullptr);
  const TVexmora3DObject* b = a->GetNextObject();
  ASSERT_NE(b, nullptr);
  const TVexmora3DObject* c = b->GetNextObject();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetNextObject(), nullptr);
  EXPECT_EQ(a->GetChildObject(), nullptr);
  EXPECT_EQ(a->Name(), "Body");
  EXPECT_EQ(b->Name(), "Wing");
  EXPECT_EQ(c->Name(), "Empty");
  EXPECT_EQ(a->Texture1(), "env.bmp");
  EXPECT_EQ(a->reserved2[127], 0x5A);
  EXPECT_EQ(a->unused1[1], 8);
  ASSERT_EQ(b->vertices.size(), 4u);
  EXPECT_EQ(b->vertices[3].x, 10.0f);
  EXPECT_EQ(b->vertices[3].tv, 1 - 10.0f / 8);
  EXPECT_EQ(b->indices, (std::vector<std::uint16_t>{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(b->material.power, 14.0f);
  EXPECT_EQ(b->localMatrix.m[3][1], 14.0f);
  EXPECT_TRUE(c->vertices.empty());
  EXPECT_EQ(device.calls, std::vector<std::string>{"create env.bmp env.bmp 00"});

  TVexmora3DFile copy;  // a loaded chain saves to the same bytes
  copy.LoadFile(nullptr, "plane");
  copy.SaveFile(dir_.File("again.x"));
  EXPECT_EQ(ReadAll(dir_.File("again.x")), bytes);
}

TEST_F(ModelFile, EveryTruncationFailsAndLeavesNoChain) {
  TVexmora3DObject* root = MakeObject("A", 3, 1);
  root->AddNext(MakeObject("B", 4, 2));
  const std::vector<std::byte> bytes = Bytes(root);
  plat::RegisterResource("VEXMORAX", "full", bytes);
  TVexmora3DFile file;
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    plat::RegisterResource("VEXMORAX", "cut", {bytes.begin(), bytes.begin() + n});
    file.LoadFile(nullptr, "full");  // a good load first: failure must clear it
    ASSERT_EQ(ErrorOf([&] { file.LoadFile(nullptr, "cut"); }), kLoadError + "cut") << n;
    EXPECT_EQ(file.Root(), nullptr);
    EXPECT_EQ(file.FileName(), "");
  }
}

TEST_F(ModelFile, HostileCountsAndNamesAreBounded) {
  const std::vector<std::byte> good = Bytes(MakeObject("Tri", 3, 1));
  std::vector<std::byte> bytes = good;
  auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = std::byte(v >> (8 * i));
  };
  put(368, 0xFFFFFFFF);  // vertices announced far beyond the data
  plat::RegisterResource("VEXMORAX", "v", bytes);
  bytes = good;
  put(468, 0x80000000);
  plat::RegisterResource("VEXMORAX", "i", bytes);
  bytes = good;
  put(478, 7);  // another record announced, none present
  plat::RegisterResource("VEXMORAX", "n", bytes);
  TVexmora3DFile file;
  for (const char* name : {"v", "i", "n"})
    EXPECT_EQ(ErrorOf([&] { file.LoadFile(nullptr, name); }), kLoadError + name);

  bytes = good;
  for (int i = 0; i < 32; ++i) bytes[i] = std::byte{'Q'};  // no terminator
  for (int i = 42; i < 106; ++i) bytes[i] = std::byte{'t'};
  plat::RegisterResource("VEXMORAX", "q", bytes);
  RecordingDevice device;
  file.LoadFile(&device, "q");
  EXPECT_EQ(file.Root()->Name(), std::string(32, 'Q'));
  EXPECT_NE(file.FindObject(std::string(32, 'q')), nullptr);
  EXPECT_EQ(file.Root()->Texture0(), std::string(32, 't'));
}

TEST_F(ModelFile, LongChainsLoadAndDieWithoutRecursion) {
  std::vector<std::byte> one = Bytes(MakeObject("o", 0, 0));
  ASSERT_EQ(one.size(), 380u);
  std::vector<std::byte> many;
  const int count = 200000;
  for (int i = 0; i < count; ++i) {
    one[376] = std::byte(i + 1 < count ? 1 : 0);
    many.insert(many.end(), one.begin(), one.end());
  }
  plat::RegisterResource("VEXMORAX", "long", std::move(many));
  TVexmora3DFile file;
  file.LoadFile(nullptr, "long");
  int n = 0;
  for (const TVexmora3DObject* o = file.Root(); o; o = o->GetNextObject()) ++n;
  EXPECT_EQ(n, count);
}

TEST_F(ModelFile, OpensResourceBeforeDiskAndReportsMissingOrUnsavable) {
  const std::string path = dir_.File("disk.x");
  {
    TVexmora3DFile file;
    file.SetRoot(MakeObject("OnDisk", 3, 1));
    file.SaveFile(path);
  }
  TVexmora3DFile file;
  file.LoadFile(nullptr, path);
  EXPECT_EQ(file.Root()->Name(), "OnDisk");
  plat::RegisterResource("VEXMORAX", path, Bytes(MakeObject("InModule", 3, 1)));
  file.LoadFile(nullptr, path);
  EXPECT_EQ(file.Root()->Name(), "InModule");

  const std::string missing = dir_.File("none.x");
  EXPECT_EQ(ErrorOf([&] { file.LoadFile(nullptr, missing); }), kLoadError + missing);
  const std::string bad = dir_.File("no/such/dir.x");
  EXPECT_EQ(ErrorOf([&] { file.SaveFile(bad); }), kSaveError + bad);  // the failed load left no chain
  file.SetRoot(MakeObject("x", 0, 0));
  EXPECT_EQ(ErrorOf([&] { file.SaveFile(bad); }), kSaveError + bad);
}

TEST_F(ModelFile, TexturesAreRequestedUnderTheirFileNameAndFailuresIgnored) {
  TVexmora3DObject* root = MakeObject("a", 3, 1);
  TVexmora3DObject::SetField(root->texture0, "wood.bmp");
  TVexmora3DObject* second = MakeObject("b", 3, 1);
  TVexmora3DObject::SetField(second->texture0, "metal.bmp");
  TVexmora3DObject::SetField(second->texture1, "wood.bmp");
  root->AddNext(second);
  plat::RegisterResource("VEXMORAX", "t", Bytes(root));
  RecordingDevice device;
  device.known = {"wood.bmp"};  // metal.bmp fails to load
  TVexmora3DFile file;
  file.LoadFile(&device, "t");
  EXPECT_EQ(device.calls, (std::vector<std::string>{"create wood.bmp wood.bmp 00",
                                                    "create metal.bmp metal.bmp 00",
                                                    "create wood.bmp wood.bmp 00"}));
  EXPECT_NE(file.Root()->GetNextObject(), nullptr);
}

TEST_F(ModelFile, FindObjectIgnoresCaseTakesTheFirstAndSkipsChildren) {
  TVexmora3DFile file;
  TVexmora3DObject* root = MakeObject("Gun", 3, 1);
  TVexmora3DObject* second = MakeObject("GUN", 3, 2);
  root->AddNext(second);
  root->AddChild(MakeObject("Barrel", 3, 3));
  file.SetRoot(root);
  EXPECT_EQ(file.FindObject("gun"), root);
  EXPECT_EQ(file.FindObject("GUN"), root);
  EXPECT_EQ(file.FindObject("Barrel"), nullptr);
  EXPECT_EQ(file.FindObject("Gu"), nullptr);
  EXPECT_EQ(file.FindObject(""), nullptr);
}

}  // namespace
