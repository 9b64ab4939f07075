// The wrapping of public operations and the profiler behind it: exceptions
// pass unchanged and are traced, cycle totals on the virtual clock, the
// report rows, and scopes that outlive their profiler.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "core/Vxerror.h"
#include "core/Vxoperation.h"
#include "log_fixture.h"
#include "plat/timer.h"

namespace {

using namespace VexmoraSystem;
using kxtest::Sjis;
using VexmoraDebugSystem::TVexmoraDebug;

struct Custom {
  int id;
};

using Operation = kxtest::EngineLogTest;

TEST_F(Operation, ExceptionsPassUnchangedAndAreTraced) {
  Open(true, false);
  const EVxMidi* thrown = nullptr;
  try {
    VxOperation("TVexmoraMidi::Play", [&] {
      static const EVxMidi error("データが存在しません。\nデータ名：01");
      thrown = &error;
      throw error;
    });
  } catch (const EVxMidi& e) {
    EXPECT_EQ(e.Message(), thrown->Message());
  }
  const std::runtime_error* stdThrown = nullptr;
  try {
    VxOperation("TVexmoraMidi::Stop", [&]() -> int { throw std::runtime_error("bad alloc-ish"); });
  } catch (const std::runtime_error& e) {
    stdThrown = &e;
    EXPECT_STREQ(e.what(), "bad alloc-ish");
  }
  EXPECT_NE(stdThrown, nullptr);
  try {
    VxOperation("TVexmoraMidi::Reset", [] { throw Custom{42}; });
  } catch (const Custom& c) {
    EXPECT_EQ(c.id, 42);  // passes, but is not traced
  }
  EXPECT_EQ(Traces(CloseAndRead()),
            Sjis("TVexmoraMidi エラー\n\nデータが存在しません。\nデータ名：01\nbad alloc-ish\n"));
}

TEST_F(Operation, ReturnsTheBodysResultAndIsSilentWhileLoggingIsOff) {
  EXPECT_EQ(VxOperation("X::Get", [] { return 5; }), 5);
  EXPECT_THROW(VxOperation("X::Fail", [] { throw EVxSound("x"); }), EVxSound);
}

TEST_F(Operation, ThreeCallsMakeOneRowWithCountAndAverage) {
  plat::testing::SetTscHz(3'000'000);  // 3000 cycles per virtual ms
  Open(false, true);
  for (std::uint32_t ms : {4u, 5u, 6u}) {
    VxOperation("TVexmoraSound::Play", [ms] { plat::Sleep(ms); });
  }
  EXPECT_THROW(VxOperation("TVexmoraSound::Stop",
                           [] {
                             plat::Sleep(1);
                             throw EVxSound("x");
                           }),
               EVxSound);
  const std::string log = CloseAndRead();
  EXPECT_EQ(Traces(log), "");  // profiling alone writes no traces
  EXPECT_EQ(Rows(log),
            "         3               45000          15000 TVexmoraSound::Play\n"
            "         1                3000           3000 TVexmoraSound::Stop\n");
}

TEST_F(Operation, NestedTimesAreInclusive) {
  Open(false, true);
  VxOperation("TVexmoraDraw::Flip", [] {
    plat::Sleep(3);
    VxOperation("TVexmoraDraw::Draw", [] { plat::Sleep(2); });
  });
  EXPECT_EQ(Rows(CloseAndRead()),
            "         1             2000000        2000000 TVexmoraDraw::Draw\n"
            "         1             5000000        5000000 TVexmoraDraw::Flip\n");
}

TEST_F(Operation, EqualNamesShareOneRow) {
  Open(false, true);
  const std::string name = "TVexmoraSound::Play";  // another copy of the text
  VxOperation(name.c_str(), [] { plat::Sleep(1); });
  VxOperation("TVexmoraSound::Play", [] { plat::Sleep(1); });
  EXPECT_EQ(Rows(CloseAndRead()),
            "         2             2000000        1000000 TVexmoraSound::Play\n");
}

TEST_F(Operation, SwitchingTheLogInsideAnOperationIsSafe) {
  Open(true, true, "first.log");
  VxOperation("TVexmoraMidi::OnEnd", [this] {
    plat::Sleep(1);
    Open(true, true, "second.log");  // destroys the profiler this scope holds
    VxOperation("TVexmoraMidi::Play", [] { plat::Sleep(2); });
  });
  EXPECT_EQ(Rows(kxtest::ReadFile(Path("first.log"))), "");
  EXPECT_EQ(Rows(CloseAndRead("second.log")),
            "         1             2000000        2000000 TVexmoraMidi::Play\n");
}

TEST(Profiler, EndWithoutStartRecordsNothingAndTheReportGoesToItsStream) {
  std::ostringstream out;
  {
    TVexmoraProfiler profiler(&out);
    profiler.End("X::Y");
    EXPECT_TRUE(profiler.Results().empty());
    profiler.Trace("line");
  }
  EXPECT_EQ(out.str(), "line\n" + kxtest::ReportHeader());
}

}  // namespace
