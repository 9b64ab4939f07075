// TVexmoraDrawEx's device states: each blend effect's factors, stage-0
// operation and vertex colour (read back from the device, and drawn against
// a per-pixel model of Direct3D's fixed-function maths), effects set once,
// the set-up after a reset, and the UpdateEx fade quad.
#include <algorithm>

#include "drawex_fixture.h"

namespace {

using namespace VexmoraDrawSystem;
using kxtest::DrawExTest;
using RS = plat::D3DRENDERSTATETYPE;
using TS = plat::D3DTEXTURESTAGESTATETYPE;
constexpr std::uint32_t kZero = plat::D3DBLEND_ZERO, kOne = plat::D3DBLEND_ONE,
                        kSC = plat::D3DBLEND_SRCCOLOR, kISC = plat::D3DBLEND_INVSRCCOLOR,
                        kSA = plat::D3DBLEND_SRCALPHA, kISA = plat::D3DBLEND_INVSRCALPHA;
constexpr std::uint32_t kSel = plat::D3DTOP_SELECTARG1, kMod = plat::D3DTOP_MODULATE,
                        kAdd = plat::D3DTOP_ADD, kBlendA = plat::D3DTOP_BLENDDIFFUSEALPHA;

// The effect table: vertex colour, blending, factors (0: not set), stage-0 op.
struct Expected {
  TBlendEffect effect;
  int param;
  std::uint32_t colour;
  bool blend;
  std::uint32_t source, dest, op;
};
// clang-format off
const Expected kTable[] = {{beNormal, -1, 0xFFFFFFFF, false, 0, 0, kSel},
                           {beTrans, -1, 0x7FFFFFFF, true, kSA, kISA, kMod},
                           {beTrans, 200, 0xC8FFFFFF, true, kSA, kISA, kMod},
                           {beAdd, 64, 0x40FFFFFF, true, kSA, kOne, kMod},
                           {beMod, 100, 0x64FFFFFF, true, kZero, kSC, kBlendA},
                           {beSub, -1, 0xFFFFFFFF, true, kZero, kISC, kMod},
                           {beColorAdd, 0x00402010, 0xFF402010, true, kOne, kZero, kAdd},
                           {beColorMod, 0x00FF0000, 0xFFFF0000, true, kOne, kZero, kMod}};
// clang-format on

// Direct3D's definitions on 8-bit channels, products a * b / 255 rounded:
// stage 0 with arg1 texture, arg2 diffuse and the diffuse alpha, then the
// blender with the given factors.
std::uint32_t Model(std::uint32_t texel, std::uint32_t diffuse, std::uint32_t dest, bool blend,
                    std::uint32_t source, std::uint32_t destFactor, std::uint32_t op) {
  const auto mul = [](int a, int b) { return (a * b + 127) / 255; };
  const int a = static_cast<int>(diffuse >> 24);
  std::uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const auto ch = [shift](std::uint32_t v) { return static_cast<int>(v >> shift & 0xFF); };
    const int t = ch(texel), c = ch(diffuse), d = ch(dest);
    const int s = op == kMod      ? mul(t, c)
                  : op == kAdd    ? std::min(255, t + c)
                  : op == kBlendA ? mul(t, a) + mul(c, 255 - a)
                                  : t;
    const auto factor = [&](std::uint32_t f, int self) {
      const int k[] = {0, 0, 255, s, 255 - s, a, 255 - a};  // by D3DBLEND value
      return mul(self, k[f < 7 ? f : 0]);
    };
    const int v = blend ? std::min(255, factor(source, s) + factor(destFactor, d)) : s;
    out |= static_cast<std::uint32_t>(v) << shift;
  }
  return out;
}

std::uint32_t Background(int x, int y) {
  return static_cast<std::uint32_t>((37 * x + 11 * y) & 0xFF) << 16 |
         static_cast<std::uint32_t>((90 + 5 * y) & 0xFF) << 8 |
         static_cast<std::uint32_t>((200 + 3 * x) & 0xFF);
}

TEST_F(DrawExTest, EachEffectSetsItsStatesAndDrawsAsTheDeviceMathsSays) {
  plat::Bitmap pic = kxtest::Exact565(kxtest::Picture(16, 8, 0x30));
  pic.Row(2)[5] = 0;  // the key
  Load("pic", pic);
  for (const Expected& e : kTable) {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) kxtest::PutPixel(Back(), x, y, Background(x, y));
    draw_->Draw(3, 5, "pic", 0, e.effect, e.param);
    const std::string what = std::to_string(e.effect) + " / " + std::to_string(e.param);
    EXPECT_EQ(Render(RS::ALPHABLENDENABLE), e.blend ? 1u : 0u) << what;
    const std::uint32_t factors = Render(RS::SRCBLEND) << 8 | Render(RS::DESTBLEND);
    EXPECT_EQ(e.blend ? factors : 0u, e.source << 8 | e.dest) << what;  // as set when blending
    EXPECT_EQ(Stage(TS::COLOROP), e.op) << what;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 16; ++x) {
        const std::uint32_t dest = Background(x + 3, y + 5), p = pic.Pixel(x, y);
        const std::uint32_t want =
            p ? Model(p, e.colour, dest, e.blend, e.source, e.dest, e.op) : dest;
        ASSERT_EQ(Rgb(x + 3, y + 5), want) << what << " at " << x << "," << y;
      }
    EXPECT_EQ(Rgb(2, 5), Background(2, 5)) << what;  // nothing outside the quad
  }
}

// The same effect again leaves the states as they are (one changed behind
// the component's back stays changed); another effect sets them.
TEST_F(DrawExTest, RepeatedEffectSetsItsStatesOnce) {
  Load("pic", kxtest::Picture(4, 4));
  draw_->Draw(0, 0, "pic", 0, beTrans, 100);
  ex_->Device()->SetRenderState(RS::SRCBLEND, kOne);
  draw_->Draw(0, 0, "pic", 0, beTrans, 50);
  EXPECT_EQ(Render(RS::SRCBLEND), kOne);
  draw_->Draw(0, 0, "pic", 0, beAdd, 50);
  draw_->Draw(0, 0, "pic", 0, beTrans, 50);
  EXPECT_EQ(Render(RS::SRCBLEND), kSA);
  draw_->ZoomDraw(0, 0, 256, 256, "pic", 0);  // the copies go back to beNormal
  EXPECT_EQ(ex_->CurrentEffect(), beNormal);
  EXPECT_EQ(Render(RS::ALPHABLENDENABLE), 0u);
  EXPECT_EQ(Stage(TS::COLOROP), kSel);
}

// A partial reset makes a new device; the viewport and states come back.
TEST_F(DrawExTest, ResetAppliesTheSetUpToTheNewDevice) {
  draw_->SetTransparent(false);
  draw_->SetWidth(60);
  plat::D3DVIEWPORT7 v;
  ex_->Device()->GetViewport(v);
  EXPECT_EQ(v.dwWidth, 60u);
  EXPECT_EQ(Render(RS::COLORKEYENABLE) | Render(RS::LIGHTING), 0u);
  EXPECT_EQ(Render(RS::CULLMODE), plat::D3DCULL_NONE);
  EXPECT_EQ(Stage(TS::ALPHAOP), plat::D3DTOP_SELECTARG2);
}

// The fade quad: black (low byte 2) or white (4) with alpha 255 - value over
// the frame; low byte 1 draws nothing. Clear blackens the target.
TEST_F(DrawExTest, UpdateExFadesTheFrameWithOneQuadAndClearBlackens) {
  const std::uint32_t bg = 0x00C08040;
  const struct {
    int value, mode;
    std::uint32_t want;
  } cases[] = {{64, 0x402, Model(0xFFFFFF, 0xBF000000, bg, true, kSA, kISA, kMod)},
               {200, 0x804, Model(0xFFFFFF, 0x37FFFFFF, bg, true, kSA, kOne, kMod)},
               {0, 0x401, bg}};
  for (const auto& c : cases) {
    FillBack(bg);
    draw_->UpdateEx(c.value, c.mode);
    EXPECT_FALSE(ex_->SceneOpen());
    EXPECT_EQ(Rgb(63, 47), c.want) << c.mode;
    EXPECT_EQ(control_->Screen().Pixel(63, 47), c.want) << c.mode;
  }
  draw_->Clear();
  EXPECT_EQ(Rgb(63, 47), 0u);
}

}  // namespace
