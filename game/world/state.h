// state.h — the game state record and the fixed object tables.
//
// Every gameplay value is a signed 32-bit integer in a plain record; every
// object is a slot in a fixed table, free while its active field (a pop-up:
// its timer) is 0. Spawning takes the lowest free slot and silently gives up
// when there is none. Nothing here allocates.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kx {

using i32 = std::int32_t;

// The 84 fields of GameRecord in record order: X(name, count). Tools (the
// headless driver's JSON, tests) iterate this list; the record is built from it.
#define KX_GAME_RECORD_FIELDS(X)                                                            \
  X(score, 1) X(stage, 1) X(keyDown, 1) X(keyLeft, 1) X(keyRight, 1) X(keyUp, 1)            \
  X(keyBoost, 1) X(keyFire, 1) X(keySwitch, 1) X(demoDown, 1) X(demoLeft, 1)                \
  X(demoRight, 1) X(demoUp, 1) X(demoFire, 1) X(demoSwitch, 1) X(demoFireLatch, 1)          \
  X(joyDown, 1) X(joyLeft, 1) X(joyRight, 1) X(joyUp, 1) X(joyButton1, 1) X(joyButtons, 1)  \
  X(joySwitch, 1) X(releaseLatch, 1) X(switchLatch, 1) X(weaponType, 1) X(recoverShown, 1)  \
  X(condition, 1) X(boostOn, 1) X(muzzleFlash, 1) X(movedHorizontally, 1)                   \
  X(backScrollX, 1) X(starScrollX, 1) X(starTick, 1) X(levelA, 1) X(levelB, 1)              \
  X(levelC, 1) X(waveKind, 1) X(waveFrame, 1) X(podState, 1) X(podAngle, 2) X(moveDir, 1)   \
  X(podTimer, 1) X(podDir, 2) X(podPhase, 2) X(podCentreX, 1) X(podCentreY, 1)              \
  X(shipMotion, 1) X(shipMotionSpeed, 1) X(scriptTick, 1) X(scriptWait, 1) X(scriptPos, 1)  \
  X(hitState, 1) X(hitTimer, 1) X(hitFrame, 1) X(recoverPoints, 1) X(scriptOp, 1)           \
  X(soundRequest, 1) X(endingTextY, 1) X(waveToggle, 1) X(typeDUnlocked, 1) X(charge, 1)    \
  X(chargeShotTimer, 1) X(chargeTick, 1) X(chainSmall, 1) X(chainLarge, 1) X(demoBobUp, 1)  \
  X(demoScript, 1) X(legendLit, 7) X(podFlash, 1) X(musicRequest, 1)                        \
  X(titleMusicPending, 1) X(continueChoice, 1) X(clearGrade, 1) X(continued, 1)

template <std::size_t N>
struct FieldType {
  using type = i32[N];
};
template <>
struct FieldType<1> {
  using type = i32;
};

struct GameRecord {
#define KX_DECLARE_FIELD(name, count) FieldType<count>::type name;
  KX_GAME_RECORD_FIELDS(KX_DECLARE_FIELD)
#undef KX_DECLARE_FIELD
};
static_assert(sizeof(GameRecord) == 84 * sizeof(i32), "GameRecord holds 84 int32 fields");

// A sample of the ship; shipTrail[0] is now, entry n is n frames ago.
struct ShipSample {
  i32 x, y, bank, burstActive, burstSize, ringActive, ringSize;
};
// Both pods at one moment; podTrail[0] is now.
struct PodSample {
  i32 x[2], y[2], frame[2];
};
struct PlayerShot {
  i32 active, x, y, frame, kind, vx, vy, aux1, aux2, halfW, halfH;
};
// Items are enemies of kind 3.
struct Enemy {
  i32 state, x, y, frame, kind, hp, halfW, halfH, p0, p1, p2, p3, p4, p5, p6, look;
};
struct EnemyShot {
  i32 active, x, y, frame, kind, halfW, halfH, vx, vy, dir;
};
struct Popup {
  i32 x, y, timer, kind, spare;
};
struct Particle {
  i32 x, y, active, kind, frame, life, dx, dy, dirIndex, slowTick;
};

inline constexpr int kShipTrail = 8, kPodTrail = 4, kPlayerShots = 40, kEnemies = 40,
                     kEnemyShots = 102, kPopups = 51, kParticles = 281, kHighScoreRows = 8;

// The world the per-frame passes work on, held inside the main window.
struct World {
  GameRecord g;
  std::array<ShipSample, kShipTrail> shipTrail;
  std::array<PodSample, kPodTrail> podTrail;
  std::array<PlayerShot, kPlayerShots> playerShots;
  std::array<Enemy, kEnemies> enemies;
  std::array<EnemyShot, kEnemyShots> enemyShots;
  std::array<Popup, kPopups> popups;
  std::array<Particle, kParticles> particles;
};

// Top-level modes; 8 is unused.
enum GameMode : std::uint32_t {
  kPlay = 0, kTitle = 1, kGameOver = 2, kNewGame = 3, kDemo = 4, kStageChange = 5,
  kEnding = 6, kHowToPlay = 7, kContinue = 9
};
const char* GameModeName(std::uint32_t mode);

// Every pod entry takes the position of the ship entry of the same age.
void PodsOnShipHistory(World& w);

// Stage start (and a new game): empties every table and starts the fly-in.
// Score, stage, condition, weapons, charge and the chains are untouched.
void ResetWorldState(World& w);

}  // namespace kx
