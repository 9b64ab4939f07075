// Which pixels a triangle covers: shared edges once, the top-left rule,
// the viewport scissor and the guard band, strips and index lists.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "raster_fixture.h"

namespace {

using namespace kxtest::raster;

constexpr std::uint32_t kOne = 0xFF000001;  // adds 1 to blue per draw

// Every pixel's draw count (blue channel of a counting target).
std::vector<int> Counts(const Canvas& c) {
  std::vector<int> n;
  for (int y = 0; y < c.h; ++y)
    for (int x = 0; x < c.w; ++x) n.push_back(c.At(x, y).b);
  return n;
}

TEST(RasterCoverage, FanAroundAnyCentreCoversEveryPixelOnce) {
  // Corners well beyond the target (guard band) and a fractional centre:
  // the fan's triangles tile the target, so each pixel is drawn exactly once.
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> pos(0.0f, 40.0f);
  for (int round = 0; round < 20; ++round) {
    Canvas c(40, 30);
    const r::TLVertex centre = V(pos(rng), pos(rng) * 0.75f, kOne);
    std::vector<r::TLVertex> ring;
    const float reach = round % 2 ? 60.0f : 1.0e6f;
    for (int k = 0; k < 7; ++k) {
      const float a = static_cast<float>(k) * 6.2831853f / 7.0f + pos(rng) * 0.01f;
      ring.push_back(V(20 + reach * std::cos(a), 15 + reach * std::sin(a), kOne));
    }
    std::vector<r::TLVertex> list;
    for (int k = 0; k < 7; ++k) {
      list.push_back(centre);
      list.push_back(ring[k]);
      list.push_back(ring[(k + 1) % 7]);
    }
    r::DrawTriangleList(c.target, Counting(c), list);
    for (int n : Counts(c)) ASSERT_EQ(n, 1) << "round " << round;
  }
}

TEST(RasterCoverage, QuadsSplitAlongEitherDiagonalDrawSharedEdgeOnce) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> d(-3.0f, 3.0f);
  for (int round = 0; round < 50; ++round) {
    Canvas c(32, 32);
    const r::TLVertex a = V(4 + d(rng), 4 + d(rng), kOne), b = V(28 + d(rng), 5 + d(rng), kOne),
                      e = V(27 + d(rng), 27 + d(rng), kOne), f = V(5 + d(rng), 26 + d(rng), kOne);
    const std::vector<r::TLVertex> list =
        round % 2 ? std::vector{a, b, e, a, e, f} : std::vector{a, b, f, b, e, f};
    r::DrawTriangleList(c.target, Counting(c), list);
    for (int n : Counts(c)) ASSERT_LE(n, 1);
    EXPECT_EQ(c.At(16, 16).b, 1);
  }
}

TEST(RasterCoverage, TopLeftRuleOnOnePixelWideRectangles) {
  Canvas c(8, 8);
  // Edges through pixel centres: left and top edges are in, right and bottom out.
  r::DrawTriangleStrip(c.target, Counting(c), Quad(2, 1, 3, 4, kOne));
  // Edges between centres: the one column/row whose centre lies inside.
  r::DrawTriangleStrip(c.target, Counting(c), Quad(4.5f, 5.5f, 5.5f, 6.5f, kOne));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool in = (x == 2 && y >= 1 && y <= 3) || (x == 5 && y == 6);
      EXPECT_EQ(c.At(x, y).b, in ? 1 : 0) << x << "," << y;
    }
}

// The top-left rule from edge functions in exact integers (1/16 pixel):
// pixel centres on a left or top edge are in, on a right or bottom one out.
bool CoveredExactly(const std::int64_t (&vx)[3], const std::int64_t (&vy)[3], int x, int y) {
  const std::int64_t px = 16 * x, py = 16 * y;
  const std::int64_t area =
      (vx[1] - vx[0]) * (vy[2] - vy[0]) - (vx[2] - vx[0]) * (vy[1] - vy[0]);
  const int order[3] = {0, area > 0 ? 1 : 2, area > 0 ? 2 : 1};  // clockwise on screen
  for (int i = 0; i < 3; ++i) {
    const int a = order[i], b = order[(i + 1) % 3];
    const std::int64_t dx = vx[b] - vx[a], dy = vy[b] - vy[a];
    const std::int64_t e = dx * (py - vy[a]) - dy * (px - vx[a]);
    if (e < 0 || (e == 0 && !(dy < 0 || (dy == 0 && dx > 0)))) return false;
  }
  return true;
}

TEST(RasterCoverage, EdgeWalkMatchesExactEdgeFunctions) {
  // Corners on the 1/16 pixel grid, one edge of whole slope (dx = m dy):
  // its x is a whole number of pixels at many scanlines and its step is
  // exact, where a rounded reciprocal of the edge height can fall short.
  const auto check = [](std::int64_t (&vx)[3], std::int64_t (&vy)[3], int round) {
    if ((vx[1] - vx[0]) * (vy[2] - vy[0]) == (vx[2] - vx[0]) * (vy[1] - vy[0])) return;
    Canvas c(22, 22);
    std::vector<r::TLVertex> tri;
    for (int k = 0; k < 3; ++k)
      tri.push_back(V(static_cast<float>(vx[k]) / 16, static_cast<float>(vy[k]) / 16, kOne));
    r::DrawTriangleList(c.target, Counting(c), tri);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x)
        ASSERT_EQ(c.At(x, y).b, CoveredExactly(vx, vy, x, y) ? 1 : 0)
            << "round " << round << " pixel " << x << "," << y;
  };
  // Left edges starting exactly on the centre k pixels left of the target,
  // of heights (1/16 pixel) where k * 16h * (1 / 16h) rounds below k (but
  // not m * 16h * (1 / 16h) below m, which would hide a wrong start).
  int round = 0;
  for (const int h : {322, 347, 389})
    for (const int m : {3, 5})
      for (const int k : {1, 2, 4}) {
        std::int64_t vx[3] = {-16 * k, -16 * k + m * h, 16 * 30}, vy[3] = {0, h, 0};
        check(vx, vy, round++);
      }
  // Half the random rounds start that edge on a pixel centre.
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> pos(-16 * 40, 16 * 60), height(1, 320), slope(-2, 2);
  for (; round < 3000; ++round) {
    const int h = height(rng), m = slope(rng), grid = round % 2 ? 1 : 16;
    std::int64_t vx[3] = {pos(rng) / grid * grid, 0, pos(rng)},
                 vy[3] = {pos(rng) % 320 / grid * grid, 0, pos(rng)};
    vx[1] = vx[0] + m * h;
    vy[1] = vy[0] + h;
    check(vx, vy, round);
  }
}

TEST(RasterCoverage, ViewportScissorsFarVerticesOnPaddedTargets) {
  for (auto f : {r::TargetFormat::R5G6B5, r::TargetFormat::X8R8G8B8}) {
    Canvas c(50, 40, f, 6);
    r::State s = Plain(c);
    s.viewport = {10, 5, 20, 30};
    const float big = 3.0e7f;
    r::DrawTriangleList(c.target, s, std::vector{V(-big, -big), V(big, -big * 0.5f), V(25, big)});
    int drawn = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const bool inView = x >= 10 && x < 30 && y >= 5 && y < 35;
        if (!inView) {
          ASSERT_EQ(c.Raw(x, y), 0u) << x << "," << y;
        }
        drawn += c.Raw(x, y) != 0;
      }
    EXPECT_EQ(drawn, 20 * 30);
    EXPECT_TRUE(c.PaddingIntact());
    // A viewport reaching past the target is cut to it.
    s.viewport = {-100, -100, 1000, 1000};
    r::DrawTriangleStrip(c.target, s, Quad(-500, -500, 500, 500));
    EXPECT_TRUE(c.PaddingIntact());
  }
}

TEST(RasterCoverage, BrokenInputDrawsNothing) {
  Canvas c(16, 16);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<r::TLVertex> v{
      V(0, 0), V(nan, 5), V(5, 10), V(0, 0), V(inf, 0),
      V(0, 9), V(1, 1),   V(1, 1),  V(9, 9)};  // NaN, infinity, degenerate
  r::DrawTriangleList(c.target, Plain(c), v);
  const std::uint16_t idx[] = {0, 2, 40, 6, 7, 8};  // out of range, degenerate
  r::DrawIndexedTriangleList(c.target, Plain(c), v, idx);
  for (int n : Counts(c)) ASSERT_EQ(n, 0);
}

TEST(RasterCoverage, StripsAndIndexedListsCoverTheSameQuad) {
  Canvas strip(12, 12), indexed(12, 12);
  const auto q = Quad(1.5f, 2.25f, 10.5f, 9.75f, kOne);
  r::DrawTriangleStrip(strip.target, Counting(strip), q);
  const std::uint16_t idx[] = {0, 1, 2, 2, 1, 3};
  r::DrawIndexedTriangleList(indexed.target, Counting(indexed), q, idx);
  EXPECT_EQ(Counts(strip), Counts(indexed));
  int covered = 0;
  for (int n : Counts(strip)) covered += n;
  EXPECT_EQ(covered, 9 * 7);  // columns 2..10, rows 3..9
}

}  // namespace
