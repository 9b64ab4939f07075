// Kx_main.h — the main window TForm1: every image, image list, counter and
// table of the game, the frame driver and the top-level mode machine.
//
// There is no game thread. The application calls IdleEvent whenever its
// message queue is empty; each call runs exactly one frame, paced to start
// 37 ms after the previous one, and asks to be called again. Key events arrive
// between frames through FormKeyDown/FormKeyUp.
//
// Members keep the window's declaration order: components first (images,
// image lists), then the game's own members. Construction zero-fills them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/world/state.h"
#include "plat/ddraw.h"
#include "plat/app.h"
#include "plat/canvas.h"
#include "plat/component.h"
#include "plat/joystick.h"

namespace VexmoraMidiSystem {
class TVexmoraMidi;
}
namespace VexmoraSoundSystem {
class TVexmoraSound;
}

namespace kx {

// A TImage: a fixed-size bitmap with its canvas and its place in the window.
struct TImage {
  TImage(int w, int h, plat::Point at = {}) : picture(w, h), Canvas(picture), position(at) {}
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;
  plat::Bitmap picture;
  plat::Canvas Canvas;
  plat::Point position;
};

// One ranking row: the score and its date text (19 UTF-16 units + 0).
struct HighScoreEntry {
  i32 score = 0;
  std::array<char16_t, 20> dateText{};
};

// Things a host can ask of the game beyond what the player does.
struct GameOptions {
  std::string dataDir;          // holds bmp/, wav/, mid/; empty = the working directory
  bool invincibleEveryGame = false;  // the hidden no-damage flag at every new game
  bool seedGiven = false;       // seed the random generator with `seed`, not the time
  std::uint32_t seed = 0;
  std::string scoreFile = "K_score.dat";  // the ranking file
};

// What happened during a run, for the headless driver's report.
struct RunLog {
  std::vector<std::pair<int, std::uint32_t>> modes;  // [frame, new gameMode]
  std::vector<std::pair<int, std::string>> sounds;   // [frame, effect name]
  struct Song {
    int frame;
    std::string name;  // "stop" for a stop
    bool loop;
  };
  std::vector<Song> songs;
};

class TForm1 {
 public:
  TForm1(plat::Form& window, GameOptions options);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Window events.
  void FormCreate();
  void FormClose();
  void FormKeyDown(std::uint16_t key);
  void FormKeyUp(std::uint16_t key);
  void IdleEvent(bool& done);

  // Shared steps.
  void ResetWorld();
  void StartNewGame();
  void DrawBitmapText(int x, int y, int style, int length, const char* text);
  void DrawNumber(int x, int y, int style, i32 value);
  void SetCondition(i32 level);
  void SpawnPopup(i32 x, i32 y, i32 timer, i32 kind);

  // The frame number (idle calls so far) and the run log.
  int FrameCount() const { return frameCount_; }
  const RunLog& Log() const { return log_; }
  plat::Form& Window() { return window_; }

  // The window as the owner of its components: it destroys BMD (which stops
  // its song, ends its thread, closes the MIDI output) and SOU with itself.
  plat::TWinControl owner;

  // ---- Components, in declaration order --------------------------------
  TImage I0{800, 300};              // star-field strip: two identical halves
  TImage I1{400, 300};              // back buffer: every frame is composed here
  TImage I2{400, 300, {120, 90}};   // the presented frame
  plat::ImageList BK{800, 300};
  plat::ImageList IL74{74, 74};
  plat::ImageList Font0{16, 16};
  plat::ImageList IL20{20, 20};
  plat::ImageList Font2{16, 16};
  plat::ImageList IT{359, 61};
  plat::ImageList ISC{75, 17};
  plat::ImageList IL24{24, 24}, IL64{64, 64}, IL40{40, 40}, IL50{50, 50}, IL80{80, 80},
      IL100{100, 100}, IL150{150, 150}, IL200{200, 170};
  plat::ImageList Bo32{32, 32}, Bo64{64, 64}, Bo96{96, 96};
  plat::ImageList Spa8{10, 10};
  plat::ImageList IL96{96, 96};
  VexmoraMidiSystem::TVexmoraMidi* BMD;    // music; owned by the window
  VexmoraSoundSystem::TVexmoraSound* SOU;  // effects; owned by the window
  plat::ImageList IL26{26, 26};
  plat::ImageList CONT{130, 20};

  // ---- The game's members, in declaration order ------------------------
  plat::Rect blitDest{}, blitSource{};  // the star-field copy
  std::uint32_t gameMode = 0;
  i32 attractToggle = 0;  // 1: the title timeout opens HowToPlay next, 0: Demo
  i32 rankingInserted = 0, rankingBlink = 0, rankingMark = 0;
  i32 modeTimer = 0;
  i32 invincible = 0;
  std::array<i32, 4> hiddenKeyProgress{};
  char numberText[20] = {};
  std::array<i32, 16> cosTable16{}, sinTable16{};
  World world{};
  GameRecord& g = world.g;  // the record every step works on
  std::array<HighScoreEntry, kHighScoreRows> highScores{};
  std::uint32_t joyXLow = 0, joyYLow = 0, joyXHigh = 0, joyYHigh = 0;

 private:
  // Frame driver parts (frame.cpp).
  void ScrollStars();
  void ScrollBackground();
  void DrawHud();
  void RecoverOverflow();
  void RunModeStep();
  void Present();

  // Mode steps (modes.cpp).
  void TitleStep();
  void GameOverStep();
  void DemoStep();
  void StageChangeStep();
  void EndingStep();
  void HowToPlayStep();
  void EnterDemoFromGameOver(i32 shipX);
  void FillBackBufferBlack();
  void PlaceShipHistory(i32 x, i32 y);
  void PlayFrame();

  // Input (input.cpp).
  void SetUpJoystick();
  void FullPoll();
  void ButtonPoll();
  bool ButtonPressAccepted();
  void HiddenKey(std::uint16_t key);

  // Pop-up pass (popups.cpp).
  void DrawPopups();

  // Music and effects (audio.cpp).
  void StartAudio();
  void CreateEffects();
  void CreateSongs();
  void PlaySoundRequest();
  void PlaySongRequest();

  // Ranking (ranking_screen.cpp) and the title (screens/title.cpp).
  void LoadScoreFile();
  void SaveScoreFile();
  void DrawRanking();
  void DrawRankingRow(int row, int style);
  void DrawTitle();
  void FullScreenQuestion();
  // ---- Screens and attract demos (game/screens/*.cpp) ---------------------
  // Continue question (continue_screen.cpp).
  void ContinueStep();
  void DrawContinueQuestion();
  void ContinuePoll();
  void ContinueGame();
  // Game over notice (game_over.cpp).
  void DrawGameOver();
  // Ending after the third stage (ending.cpp).
  void EndingScene();
  void PlaceEndingPods();
  void DrawEndingPods();
  void DrawEndingShip();
  void DrawEpilogue();
  // Attract demo under the ranking (attract_demo.cpp).
  void AttractDemoStep();
  void DemoCommand(i32 op);
  // Controls demonstration (controls_demo.cpp).
  void ControlsDemoStep();
  void ControlsCommand(i32 op);
  void DrawControlsLegend();
  // ---- end of screens -------------------------------------------------------

  void ComputeDirectionTables();
  void DrawStarField();
  void NoteModeChange();

  // ---- World passes (game/world/*.cpp) ---------------------------------
  // Tests and benchmarks drive single passes through WorldProbe.
  friend struct WorldProbe;
  // The passes the frame and the play step call.
  void ScriptStep();
  void EnemyPass();
  void EnemyShotPass();
  void ParticlePassUnder();
  void ParticlePass();
  // Stage script (stage_script.cpp, script_waves_*.cpp).
  bool RunScriptOpcode(i32 op);
  void StageClear(bool final);
  void FadeOutMusic();
  void SpawnCarrier(i32 op);
  void SpawnEarlyWave(i32 op);
  void SpawnMiddleWave(i32 op);
  void SpawnLateWave(i32 op);
  void SpawnZigzagFive(i32 kind, i32 hp, i32 look);
  void SpawnVerticalSquad(i32 op);
  void SpawnAimedDiver(i32 op);
  // First-free-slot spawning (spawning.cpp); null when the table is full.
  Enemy* NewEnemy(i32 kind, i32 x, i32 y, i32 hp, i32 halfW, i32 halfH, i32 look);
  EnemyShot* NewEnemyShot(i32 kind, i32 x, i32 y, i32 halfW, i32 halfH);
  Particle* NewParticle(i32 kind, i32 x, i32 y, i32 frame, i32 life, i32 dx, i32 dy);
  // Enemy fire (enemy_fire.cpp) and enemy shots (enemy_shots.cpp).
  void FireAimedShot(i32 x, i32 y);
  void FireSpreadOfNine(i32 x, i32 y);
  void FireFanOfSix(i32 x, i32 y);
  void FireWaveShot(i32 kind, i32 x, i32 y, i32 phase);
  void FireBeamVolley(i32 x, i32 y, bool twoWaves);
  void FireFiveVolley(i32 x, i32 y);
  void LaunchMissile(i32 x, i32 y, i32 p0, i32 p1, i32 look);
  void MoveAndDrawShot(EnemyShot& s);
  void MoveAimed(EnemyShot& s, i32 speed);
  void MoveWeave(EnemyShot& s, i32 amplitude);
  void ShotTrail(const EnemyShot& s, i32 frame);
  void ShotSpark(const EnemyShot& s, bool longLife, bool forward);
  // Particles (particles.cpp).
  void DrawSpark(const Particle& p);
  void SmallSparks(i32 x, i32 y, int count);
  void LargeSparks(i32 x, i32 y, int count, i32 drift);
  // Contacts, kills and items (collisions.cpp, kills.cpp, items.cpp).
  void ShipTakesHit();
  void TestEnemyAgainstShots(Enemy& e);
  void TestEnemyAgainstPods(Enemy& e);
  void TestEnemyAgainstShip(Enemy& e);
  void KillEnemy(Enemy& e, bool rammed);
  void StartSecondForm(const Enemy& first);
  void StartThirdForm(const Enemy& second);
  void SpawnItem(i32 x, i32 y, i32 type);
  void CollectItem(Enemy& item);
  // Looks and explosions (looks.cpp).
  plat::ImageList* LookList(i32 list);
  void DrawEnemy(const Enemy& e);
  void ExplosionStep(Enemy& e);
  void DrawBlastRings(i32 x, i32 y, i32 frame);
  // Enemy behaviours by family (enemy_pass.cpp, enemies_*.cpp).
  void MoveEnemy(Enemy& e);
  void MoveSwooper(Enemy& e);
  void MoveFighter(Enemy& e);
  void MoveItem(Enemy& e);
  void MoveWeaver(Enemy& e);
  void MoveTorpedo(Enemy& e);
  void MoveCurver(Enemy& e);
  void MoveSwinger(Enemy& e);
  void MoveDiagonalWave(Enemy& e);
  void MoveDart(Enemy& e);
  void MoveSineShooter(Enemy& e);
  void MoveVerticalSquad(Enemy& e);
  void SwayStep(Enemy& e);
  void MoveGunship(Enemy& e);
  void MoveDipper(Enemy& e);
  void MoveBeamPod(Enemy& e);
  void MoveSpreadPod(Enemy& e);
  void MoveDrifter(Enemy& e);
  void MoveMissile(Enemy& e);
  void MoveDebris(Enemy& e);
  void MoveMine(Enemy& e);
  void MoveTurret(Enemy& e);
  void MoveBeamStation(Enemy& e);
  void MoveCurveAway(Enemy& e);
  void MoveSpreadDiver(Enemy& e);
  void MoveBouncer(Enemy& e);
  void MoveDasher(Enemy& e);
  void MoveLaneShooter(Enemy& e);
  void MoveRamTorpedo(Enemy& e);
  void MoveWobbler(Enemy& e);
  void MoveArmoured(Enemy& e);
  void MoveSpinner(Enemy& e);
  void MoveTurretShip(Enemy& e);
  void MoveRiser(Enemy& e);
  // ---- Ship and pods (game/world/ship_*.cpp, pods.cpp, player_*.cpp) ---
  // The ship's inputs for one frame, from the keys and joystick in Play or
  // from the demo fields in the controls demonstration.
  struct ShipInput {
    bool up, down, left, right;
    bool fire;    // the fire input alone (not with boost)
    bool launch;  // fire and boost together: the special attack
    bool switchWeapon;
  };
  ShipInput PlayInput() const;
  void ControlPass();               // Play: charge, poll, recovery, boost, switch, launch, fire
  void DemonstrationControlPass();  // HowToPlay: demo fields; boost 16, types 0..2
  void ChargeStep();
  void SwitchWeapon(bool pressed, i32 lastType);
  bool LaunchPods();  // the special attack; false when the pods cannot go
  void BurstStep();
  void MoveShip(const ShipInput& in, i32 speed);
  void FireWeapon();
  void FireTypeA(i32 level);
  void FireTypeB(i32 level);
  void FireTypeC(i32 level);
  void FireTypeD();
  void FirePhaseStep(i32& phase);  // releaseLatch in Play, demoFireLatch in the demo
  PlayerShot* NewPlayerShot(int first, int last, i32 kind, i32 x, i32 y, i32 half);
  int ActivePlayerShots(int first, int last) const;
  void MuzzleFlash();
  void HitReaction();
  void RecoveryRings();
  void PlayerPass();
  void MovePods();
  void MoveDockedPod(int i);
  void MoveLaunchedPod(int i);
  void MoveReturningPod(int i);
  void DockedPodTarget(int i, i32& x, i32& y) const;
  void SwitchRing();
  void DrawPods();
  void DrawShip();
  void DrawShipSprite(i32 x, i32 y, i32 sprite, i32 exhaust);
  void PlayerShotPass();
  void MovePlayerShot(PlayerShot& s);
  // ---- Bosses (game/world/boss_*.cpp) ------------------------------------
  // Shared pieces (boss_attacks.cpp).
  void DrawChargeGlow(i32 x, i32 y, i32 counter);
  void FireAimedRing(i32 kind, i32 x, i32 y, i32 half);
  void FireBossRing(i32 x, i32 y);
  void FireThrownShot(i32 x, i32 y, i32 vx, i32 vy);
  void LaunchDebris(i32 kind, i32 x, i32 y, i32 half, i32 look);
  // One machine per boss, run by MoveEnemy (boss_stage1.cpp ... boss_last_third.cpp).
  void MoveBossStage1(Enemy& e);
  void BossStage1Attack(Enemy& e);
  void MoveBossStage2(Enemy& e);
  void MoveBossLastFirst(Enemy& e);
  void BossLastFirstAttack(Enemy& e);
  void FireBarrage(i32 x, i32 y);
  void FirePinwheel(Enemy& e, bool forward);
  void MoveBossLastSecond(Enemy& e);
  void SecondFormRing(const Enemy& e);
  void TurretVolley(i32 vySpread);
  void SecondFormBeamRun(Enemy& e, bool fiveShot);
  void SecondFormGlowAndRing(Enemy& e);
  void SecondFormRingBurst(Enemy& e);
  void SecondFormMineRow(Enemy& e);
  void DropMineRow(i32 x, i32 y);
  void SecondFormStream(Enemy& e);
  void SecondFormRingClimb(Enemy& e);
  void MoveBossLastThird(Enemy& e);
  void ThirdFormFan(Enemy& e);
  // ---- end of bosses -------------------------------------------------------
  // ---- end of world passes ----------------------------------------------

  plat::Form& window_;
  GameOptions options_;
  std::uint32_t lastFrameTime_ = 0;
  plat::JOYINFO joyInfo_{};
  std::shared_ptr<plat::IDirectDraw7> directDraw_;  // holds the display mode
  int frameCount_ = 0;
  std::uint32_t loggedMode_ = 0xFFFFFFFF;
  RunLog log_;
};

// Creates the application's main window (TForm1 in a 640 x 480 borderless
// form) and runs its start-up, without entering the loop. Returns the game,
// or null when start-up failed (the message has been shown; Escape still
// closes the window). The game lives until ShutdownGame.
TForm1* StartGame(const GameOptions& options = {});
void ShutdownGame();
// The program: StartGame, then the loop until the window closes. An escaping
// exception is shown in a message box; returns the exit status.
int RunGame(const GameOptions& options = {});

}  // namespace kx
