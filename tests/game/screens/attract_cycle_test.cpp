// Nobody plays: 20,000 frames of title, controls demonstration and attract
// demo. The screens must take turns on an exact period, and the record must
// come back to the same values each time round (the demo script cycles over
// three scripts, so a full return takes three rounds).
#include <cstring>
#include <vector>

#include "game/game_fixture.h"

namespace kxtest {
namespace {

TEST_F(GameTest, AttractScreensCycleWithoutDrift) {
  struct Entry {
    int frame;
    kx::GameRecord record;
  };
  std::vector<Entry> rounds;  // each entry into the controls demonstration
  std::uint32_t last = game().gameMode;
  for (int f = 0; f < 20000; ++f) {
    Frames(1);
    if (game().gameMode != last && game().gameMode == kx::kHowToPlay)
      rounds.push_back({game().FrameCount(), rec()});
    last = game().gameMode;
  }
  ASSERT_GE(rounds.size(), 10u);
  const int period = rounds[1].frame - rounds[0].frame;
  EXPECT_EQ(period, 1663);  // Title 101, HowToPlay 1160, Title 101, Demo 301
  for (std::size_t i = 1; i < rounds.size(); ++i)
    EXPECT_EQ(rounds[i].frame - rounds[i - 1].frame, period) << "round " << i;
  // From the second round on (the first starts from a fresh record, before
  // the demonstration has ever launched the pods).
  for (std::size_t i = 4; i < rounds.size(); ++i) {
    kx::GameRecord a = rounds[i - 3].record, b = rounds[i].record;
    // The scrolling counters run on through every screen, and the wave
    // shot's animation phase moves on by the demonstration's shot count:
    // nothing resets it, and it only picks a shot's first sprite cell.
    a.backScrollX = b.backScrollX = a.starScrollX = b.starScrollX = 0;
    a.starTick = b.starTick = a.waveFrame = b.waveFrame = 0;
#define KX_COMPARE_FIELD(name, count) \
  EXPECT_EQ(std::memcmp(&a.name, &b.name, sizeof a.name), 0) << #name << ", round " << i;
    KX_GAME_RECORD_FIELDS(KX_COMPARE_FIELD)
#undef KX_COMPARE_FIELD
  }
  // The mode log agrees: only the four screens, never a game.
  for (const auto& [frame, mode] : game().Log().modes)
    EXPECT_TRUE(mode == kx::kTitle || mode == kx::kHowToPlay || mode == kx::kDemo) << frame;
}

}  // namespace
}  // namespace kxtest
