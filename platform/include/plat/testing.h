// testing.h — named fault points: "pass N calls, then fail M".
//
// The stand-ins check their fault point before doing the real work, in common
// code, so faults behave the same on both backends. Linked into everything (the
// checks are cheap) but only tests and the headless driver set faults.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace plat::testing {

enum class Fault : std::uint16_t {
  // display
  DirectDrawCreate, DirectDrawInitialize, CooperativeLevel, DisplayMode, CreatePrimary,
  CreateSurface, CreateClipper, SurfaceLock, SurfaceGetDC, SurfaceRestore, Blt, QueryDirect3D,
  // 3D
  CreateDeviceHAL, CreateDeviceRGB, CreateZBuffer, AttachZBuffer, SetRenderTarget, SetViewport,
  // sound
  DirectSoundCreate, DirectSoundInitialize, SoundCooperativeLevel, CreatePrimaryBuffer, SetFormat,
  PrimaryVolume, CreateSoundBuffer, SoundLock, DuplicateBuffer, QueryNotify, SetNotifications,
  SoundPlay, SoundStop, SoundSetPosition, SoundSetPan, SoundSetVolume, SoundSetFrequency,
  // MIDI, threads, files
  MidiOutOpen, MidiLongMsgNotReady, ThreadStart, OpenForRead, OpenForUpdate, OpenForCreate,
  Rename,
  Count_
};

struct Rule {
  std::uint32_t after = 0;  // calls that pass first
  std::uint32_t times = 1;  // calls that then fail
};
inline constexpr std::uint32_t kAlways = std::numeric_limits<std::uint32_t>::max();

void Fail(Fault f, Rule rule = {});
// File faults (OpenForRead, OpenForUpdate, OpenForCreate, Rename) for one
// path, always; matched after NativePath, so "K_score.dat" matches wherever
// the file is opened relative to the working directory.
void FailPath(std::string_view path, Fault f);
std::uint32_t Reached(Fault f);  // how often the point was reached
void ClearFaults();

// Called by the stand-ins: counts the call and tells whether it must fail.
// ShouldFailPath does the same and also applies the FailPath rules; a stand-in
// calls one of the two, once per call.
bool ShouldFail(Fault f);
bool ShouldFailPath(Fault f, std::string_view nativePath);

}  // namespace plat::testing
