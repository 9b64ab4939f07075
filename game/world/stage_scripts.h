// stage_scripts.h — the three stage scripts: one array of 16-bit opcodes per
// stage, stepped by the stage-script pass every sixth frame.
//
// Each script ends with its clear opcode (78, or 79 for the last stage)
// followed by waits on which it idles while the ship flies out. Lengths are
// fixed at 230, 350 and 380 opcodes.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kx {

inline constexpr int kStageCount = 3;
extern const std::array<std::int16_t, 230> kStage1Script;
extern const std::array<std::int16_t, 350> kStage2Script;
extern const std::array<std::int16_t, 380> kStage3Script;

// The script of `stage` (0..2); empty for any other stage.
std::span<const std::int16_t> StageScript(std::int32_t stage);

}  // namespace kx
