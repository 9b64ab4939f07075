// bench_stage_frames — the whole headless frame over a real game: the full
// game replay (tests/data/full_game.input, no-damage flag) is played and every
// frame's CPU time is measured. Per stage it prints the frame-time
// distribution and the busiest moment: the frame with the most live objects
// (enemies, enemy shots, player shots, particles) and the mean time of the
// eleven frames around it.
//
// Usage: bench_stage_frames [input-file]
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "bench_game.h"
#include "input_script.h"

namespace {

struct Sample {
  int frame;
  int objects;
  double us;
};

// Process CPU time: the figure holds on a loaded machine, where wall time
// would count other processes' time slices.
double CpuMicros() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

int LiveObjects(const kx::World& w) {
  int n = 0;
  for (const auto& e : w.enemies) n += e.state != 0;
  for (const auto& s : w.enemyShots) n += s.active != 0;
  for (const auto& s : w.playerShots) n += s.active != 0;
  for (const auto& p : w.particles) n += p.active != 0;
  return n;
}

double Percentile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
}

void Report(int stage, const std::vector<Sample>& s) {
  if (s.empty()) return;
  std::vector<double> us;
  double sum = 0;
  for (const auto& x : s) {
    us.push_back(x.us);
    sum += x.us;
  }
  const auto busiest = std::max_element(
      s.begin(), s.end(), [](const Sample& a, const Sample& b) { return a.objects < b.objects; });
  const std::size_t at = static_cast<std::size_t>(busiest - s.begin());
  const std::size_t lo = at >= 5 ? at - 5 : 0, hi = std::min(s.size(), at + 6);
  double around = 0;
  for (std::size_t i = lo; i < hi; ++i) around += s[i].us;
  around /= static_cast<double>(hi - lo);
  const auto slowest = std::max_element(
      s.begin(), s.end(), [](const Sample& a, const Sample& b) { return a.us < b.us; });
  std::printf(
      "stage %d  %6zu frames  mean %6.1f  p50 %6.1f  p99 %6.1f  max %7.1f us | busiest: "
      "frame %5d, %3d objects, %6.1f us (11-frame mean) | slowest: frame %5d\n",
      stage, s.size(), sum / static_cast<double>(s.size()), Percentile(us, 0.5),
      Percentile(us, 0.99), Percentile(us, 1.0), busiest->frame, busiest->objects, around,
      slowest->frame);
}

}  // namespace

int main(int argc, char** argv) {
  const char* input = argc > 1 ? argv[1] : KX_SOURCE_DIR "/tests/data/full_game.input";
  const std::vector<kxh::InputEvent> events = kxh::LoadInputScript(input);
  plat::headless::Config config;
  config.keepAudio = false;
  plat::headless::Control& control = plat::headless::Start(config);
  kx::GameOptions options;
  options.dataDir = KX_DATA_DIR;
  options.seedGiven = true;
  options.seed = 1;
  options.invincibleEveryGame = true;
  options.scoreFile = "/nonexistent/K_score.dat";
  kx::TForm1* game = kx::StartGame(options);
  if (!game) {
    std::fprintf(stderr, "bench_stage_frames: start-up failed\n");
    return 1;
  }
  std::vector<Sample> stages[3];
  std::size_t next = 0;
  bool ended = false;
  for (int frame = 1; frame <= 20000 && !ended; ++frame) {
    for (; next < events.size() && events[next].frame == frame; ++next)
      control.Key(events[next].vk, events[next].kind == kxh::InputEvent::Kind::KeyDown);
    const double t0 = CpuMicros();
    control.StepFrames(1);
    const double t1 = CpuMicros();
    const kx::i32 stage = game->world.g.stage;
    if (game->gameMode == kx::kPlay && stage >= 0 && stage < 3)
      stages[stage].push_back({frame, LiveObjects(game->world), t1 - t0});
    ended = game->gameMode == kx::kEnding;
  }
  std::printf("Whole headless frames in Play (process CPU time), full game replay (%s)\n", input);
  for (int s = 0; s < 3; ++s) Report(s + 1, stages[s]);
  kxbench::StopBenchGame();
  return 0;
}
