// Resource tables: create once per name, failed loads leave no entry,
// deletes of unknown names are harmless, lookups name what is missing, and
// the trace lines of a tracing component.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/Vxtable.h"
#include "log_fixture.h"

namespace {

using namespace VexmoraSystem;
using kxtest::Sjis;

struct Blob {
  static inline int live = 0, loads = 0;
  Blob() { ++live; }
  ~Blob() { --live; }
  std::string file;
};

struct LoadFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const TVexmoraTableTexts kSoundTexts{
    "TVexmoraSound::バッファ作成", "BufferName:", "TVexmoraSound::バッファ削除",
    "TVexmoraSound::全バッファの削除", "バッファが存在しません。\nバッファ名："};

class Table : public kxtest::EngineLogTest {
 protected:
  void SetUp() override {
    EngineLogTest::SetUp();
    Blob::live = 0;
    Blob::loads = 0;
  }
  void TearDown() override {
    EXPECT_EQ(Blob::live, static_cast<int>(table_.Size()));
    table_.Clear();
    EngineLogTest::TearDown();
  }
  void Create(const std::string& name, const std::string& file) {
    table_.Create(
        name, file, [] { return new Blob; },
        [&file](Blob& b) {
          ++Blob::loads;
          if (file == "bad.wav") throw LoadFailure("cannot read " + file);
          b.file = file;
        });
  }

  bool initialised_ = true;
  TVexmoraResourceTable<Blob, EVxSound> table_{kSoundTexts, [this] { return initialised_; }};
};

TEST_F(Table, ExistingNameKeepsItsResourceAndReadsNothing) {
  Create("01", "a.wav");
  Create("01", "b.wav");
  EXPECT_EQ(Blob::loads, 1);
  EXPECT_EQ(table_.Lookup("01").file, "a.wav");
  EXPECT_EQ(table_.Size(), 1u);
}

TEST_F(Table, NamesAreCaseSensitiveAndOrderedByBytes) {
  Create("se", "a.wav");
  Create("SE", "b.wav");
  Create("Se", "c.wav");
  std::string order;
  for (const auto& [name, ptr] : table_.Entries()) order += name + ",";
  EXPECT_EQ(order, "SE,Se,se,");
  EXPECT_EQ(table_.Lookup("SE").file, "b.wav");
}

TEST_F(Table, FailedLoadLeavesNoEntryAndTheSameException) {
  Create("01", "a.wav");
  try {
    Create("02", "bad.wav");
    FAIL() << "no exception";
  } catch (const LoadFailure& e) {
    EXPECT_STREQ(e.what(), "cannot read bad.wav");
  }
  EXPECT_EQ(table_.Find("02"), nullptr);
  EXPECT_EQ(table_.Size(), 1u);
  EXPECT_EQ(Blob::live, 1);
  Create("02", "b.wav");  // the name is free again
  EXPECT_EQ(table_.Lookup("02").file, "b.wav");
}

TEST_F(Table, UninitialisedComponentRefusesEvenKnownNames) {
  Create("01", "a.wav");
  initialised_ = false;
  for (const char* name : {"01", "02"}) {
    try {
      Create(name, "a.wav");
      FAIL() << "no exception for " << name;
    } catch (const EVxSound& e) {
      EXPECT_EQ(e.Message(), "TVexmoraSound エラー\n\nまだ初期化されてません。");
    }
  }
  EXPECT_EQ(Blob::loads, 1);
}

TEST_F(Table, DeleteOfUnknownNameIsNoError) {
  Create("01", "a.wav");
  EXPECT_NO_THROW(table_.Delete("02"));
  EXPECT_NO_THROW(table_.Delete("01"));
  EXPECT_NO_THROW(table_.Delete("01"));
  EXPECT_EQ(Blob::live, 0);
}

TEST_F(Table, AnApplicationCopyKeepsADeletedResourceAlive) {
  Create("01", "a.wav");
  TVexmoraAutoPtr<Blob> copy = table_.LookupPtr("01");
  table_.DeleteAll();
  EXPECT_EQ(Blob::live, 1);
  EXPECT_EQ(copy->file, "a.wav");
  copy = nullptr;
  EXPECT_EQ(Blob::live, 0);
}

TEST_F(Table, LookupOfMissingNameNamesIt) {
  try {
    table_.Lookup("07");
    FAIL() << "no exception";
  } catch (const EVxSound& e) {
    EXPECT_EQ(e.Message(), "TVexmoraSound エラー\n\nバッファが存在しません。\nバッファ名：07");
  }
}

TEST_F(Table, TracesCreateDeleteAndDeleteAllButNotCleanUp) {
  Open(true, false);
  Create("01", "wav\\a.wav");
  Create("01", "wav\\b.wav");                          // existing: no line
  EXPECT_THROW(Create("02", "bad.wav"), LoadFailure);  // failed: no line
  table_.Delete("01");
  table_.Delete("09");
  Create("03", "c.wav");
  table_.DeleteAll();
  Create("04", "d.wav");
  table_.Clear();
  EXPECT_EQ(Traces(CloseAndRead()),
            Sjis("TVexmoraSound::バッファ作成  FileName:wav\\a.wav  BufferName:01\n"
                 "TVexmoraSound::バッファ削除BufferName:01\n"
                 "TVexmoraSound::バッファ削除BufferName:09\n"
                 "TVexmoraSound::バッファ作成  FileName:c.wav  BufferName:03\n"
                 "TVexmoraSound::全バッファの削除\n"
                 "TVexmoraSound::バッファ作成  FileName:d.wav  BufferName:04\n"));
}

TEST_F(Table, TableWithoutTextsNeverTraces) {
  Open(true, false);
  TVexmoraResourceTable<Blob, EVx3D> textures{{}};
  textures.Create(
      "t", "t.bmp", [] { return new Blob; }, [](Blob&) {});
  textures.Delete("t");
  textures.DeleteAll();
  EXPECT_EQ(Traces(CloseAndRead()), "");
}

}  // namespace
