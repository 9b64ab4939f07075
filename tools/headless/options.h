// options.h — the headless driver's command line.
//
//   korvanix-headless [--data DIR] [--seed N] [--frames N] [--input FILE]
//                     [--state-out FILE] [--shot-every K --shot-dir DIR]
//                     [--score-file PATH] [--answer yes|no] [--invincible]
//                     [--audio-out FILE.wav]
//
// Parsing never exits: a bad option throws std::runtime_error with a message
// fit for the user.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kxh {

struct Options {
  std::string dataDir;        // empty: the build's data folder
  std::uint32_t seed = 1;
  int frames = 100;
  std::string inputFile;
  std::string stateOut;
  int shotEvery = 0;          // 0: no shots
  std::string shotDir;
  std::string scoreFile = "K_score.dat";  // the ranking file, read at start, written at close
  bool answerYes = false;                 // the display question's answer
  bool invincible = false;
  std::string audioOut;  // the mixed effects of the run as a WAV file
  bool help = false;
};

Options ParseOptions(const std::vector<std::string>& args);
extern const char* const kUsage;

}  // namespace kxh
