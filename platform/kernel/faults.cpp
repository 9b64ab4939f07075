// faults.cpp — named fault points: "pass N calls, then fail M", plus
// always-failing file faults for one path.
//
// Thread-safe. A new Fail for the same point replaces its rule and restarts
// its count; Reached counts since the last ClearFaults. Paths compare after
// NativePath and as absolute, normalised paths against the current working
// directory, so a rule for "K_score.dat" catches "./K_score.dat" too.
#include "faults.h"

#include <array>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "plat/kernel.h"
#include "plat/testing.h"

namespace plat::testing {
namespace {

struct Point {
  bool armed = false;
  Rule rule;
  std::uint64_t calls = 0;  // calls since the rule was set
  std::uint32_t reached = 0;
};

struct PathRule {
  std::string path;
  Fault fault;
};

struct Faults {
  std::mutex m;
  std::array<Point, static_cast<std::size_t>(Fault::Count_)> points;
  std::vector<PathRule> paths;
};

Faults& TheFaults() {
  static Faults f;
  return f;
}

Point* Find(Faults& all, Fault f) {
  const auto i = static_cast<std::size_t>(f);
  return i < all.points.size() ? &all.points[i] : nullptr;
}

std::filesystem::path Canonical(std::string_view path) {
  std::error_code ec;
  std::filesystem::path p(NativePath(path));
  auto abs = std::filesystem::absolute(p, ec);
  return (ec ? p : abs).lexically_normal();
}

}  // namespace

void Fail(Fault f, Rule rule) {
  Faults& all = TheFaults();
  std::lock_guard lock(all.m);
  if (Point* p = Find(all, f)) {
    p->armed = true;
    p->rule = rule;
    p->calls = 0;
  }
}

void FailPath(std::string_view path, Fault f) {
  Faults& all = TheFaults();
  std::lock_guard lock(all.m);
  all.paths.push_back({std::string(path), f});
}

std::uint32_t Reached(Fault f) {
  Faults& all = TheFaults();
  std::lock_guard lock(all.m);
  const Point* p = Find(all, f);
  return p ? p->reached : 0;
}

void ClearFaults() {
  Faults& all = TheFaults();
  std::lock_guard lock(all.m);
  all.points.fill({});
  all.paths.clear();
}

bool ShouldFail(Fault f) {
  Faults& all = TheFaults();
  std::lock_guard lock(all.m);
  Point* p = Find(all, f);
  if (!p) return false;
  if (p->reached != kAlways) ++p->reached;
  if (!p->armed) return false;
  const std::uint64_t n = p->calls++;
  if (n < p->rule.after) return false;
  return p->rule.times == kAlways || n - p->rule.after < p->rule.times;
}

bool ShouldFailPath(Fault f, std::string_view nativePath) {
  const bool counted = ShouldFail(f);
  return kernel::PathRuleHit(f, nativePath) || counted;
}

}  // namespace plat::testing

namespace plat::kernel {

bool PathRuleHit(testing::Fault f, std::string_view nativePath) {
  std::vector<std::string> candidates;
  {
    testing::Faults& all = testing::TheFaults();
    std::lock_guard lock(all.m);
    for (const auto& r : all.paths)
      if (r.fault == f) candidates.push_back(r.path);
  }
  if (candidates.empty()) return false;
  const auto target = testing::Canonical(nativePath);
  for (const auto& c : candidates)
    if (testing::Canonical(c) == target) return true;
  return false;
}

}  // namespace plat::kernel
