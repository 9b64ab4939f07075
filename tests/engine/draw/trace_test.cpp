// The debug log of the draw component: Init's trace lines with the memory
// lines and the pixel-mode line, the surface lines, and a failing operation
// tracing its message.
#include <fstream>
#include <iterator>

#include "draw_fixture.h"
#include "engine/core/log_fixture.h"

namespace {

using kxtest::DrawTest;
using VexmoraDebugSystem::TVexmoraDebug;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) out += kxtest::Sjis(l) + "\n";
  return out;
}

class DrawTraceTest : public DrawTest {
 protected:
  std::string Log(const std::function<void()>& run) {
    const std::string path = dir_.File("draw.log");
    EXPECT_TRUE(TVexmoraDebug::SetDebug(path.c_str(), true, false));
    run();
    TVexmoraDebug::SetDebug(nullptr, false, false);
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  kxtest::TempDir dir_;
};

// A windowed component rebuilds everything when the desktop changes depth
// (and only then); the surfaces come back from their sources. The trace is
// the evidence: object addresses may well be reused.
TEST_F(DrawTraceTest, DisplayChangeOfDepthResetsAWindowedComponent) {
  Load("pic", kxtest::Picture(4, 4));
  const std::string change = kxtest::Sjis("TVexmoraDraw(Ex)::ディスプレイ状態の変更");
  const std::string full = kxtest::Sjis("TVexmoraDraw(Ex)::DirectDrawリセット（完全）");
  const std::string same = Log([&] {
    control_->BroadcastDisplayChange(32);
    control_->StepFrames(1);
  });
  EXPECT_EQ(same.find(change), std::string::npos);
  const std::string other = Log([&] {
    control_->BroadcastDisplayChange(16);
    control_->StepFrames(1);
  });
  EXPECT_NE(other.find(change), std::string::npos);
  EXPECT_NE(other.find(full), std::string::npos);
  EXPECT_TRUE(draw_->Initialized());
  EXPECT_NE(draw_->FindSurface("pic"), nullptr);
}

TEST_F(DrawTraceTest, InitTracesEveryStepWithTheMemoryLeft) {
  plat::CpuInfo cpu;
  cpu.hasCpuid = true;
  cpu.stdEdx = 1u << 23;
  plat::testing::SetCpuInfo(cpu);
  draw_->CleanUp();
  const std::string log = Log([&] { draw_->Init(form_); });
  const std::string mem = "TVexmoraDraw(Ex)::ビデオメモリ容量 Total:67108864  Free:";
  const int frame = 64 * 48 * 4;  // the primary and the flip surface use video memory
  const std::string expected = Lines({
      "TVexmoraDraw(Ex)::初期化開始",
      "TVexmoraDraw(Ex)::クリーンアップ",
      "TVexmoraDraw(Ex)::COMオブジェクトの生成に成功",
      "TVexmoraDraw(Ex)::DirectDrawの初期化に成功",
      "TVexmoraDraw(Ex)::プライマリサーフェイスの作成に成功",
      mem + std::to_string(67108864 - frame),
      "TVexmoraDraw(Ex)::フリップサーフェイスの作成に成功",
      mem + std::to_string(67108864 - 2 * frame),
      "TVexmoraDraw(Ex)::バックサーフェイスの作成に成功",
      mem + std::to_string(67108864 - 2 * frame),
      "TVexmoraDraw(Ex)::テンポラリサーフェイスの作成に成功",
      mem + std::to_string(67108864 - 2 * frame),
      "TVexmoraDraw(Ex)::サーフェイス情報の取得に成功",
      "TVexmoraDraw(Ex)::HasMMX:Yes  Width:64  Height:48  ColorBit:32\n"
      "TVexmoraDraw(Ex)::RMask:00FF0000  GMask:0000FF00  BMask:000000FF  Key:00000000",
      "TVexmoraDraw(Ex)::クリッパーの作成に成功",
      "TVexmoraDraw(Ex)::デバイス名:Korvanix software display (headless)"});
  EXPECT_NE(log.find(expected), std::string::npos) << log;
}

TEST_F(DrawTraceTest, SurfaceLinesAndFailuresAreTraced) {
  plat::RegisterResource("BITMAP", "pic", kxtest::BmpBytes(kxtest::Picture(100, 50)));
  const std::string log = Log([&] {
    draw_->CreateSurface("s", "pic", 32, 16);
    draw_->DeleteSurface("s");
    draw_->DeleteAllSurface();
    try {
      draw_->Draw(0, 0, "s", 0);
    } catch (const plat::Exception&) {
    }
  });
  const std::string created = Lines({
      "TVexmoraDraw(Ex)::サーフェイス作成  FileName:pic  SurfaceName:s\n"
      "TVexmoraDraw(Ex)::BMPWidth:32  BMPHeight:16  Line:3  Count:9"});
  EXPECT_NE(log.find(created), std::string::npos);
  EXPECT_NE(log.find(Lines({"TVexmoraDrawSurface::~TVexmoraDrawSurface",
                            "TVexmoraDraw(Ex)::サーフェイス削除SurfaceName:s"})),
            std::string::npos);
  EXPECT_NE(log.find(Lines({"TVexmoraDraw(Ex)::全サーフェイスの削除"})), std::string::npos);
  EXPECT_NE(log.find(Lines({"TVexmoraDraw(Ex) エラー\n\nサーフェイスが存在しません。\nスプライト名：s"})),
            std::string::npos);
}

}  // namespace
