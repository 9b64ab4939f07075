// surface_data.h — internal to the DirectDraw stand-in: a surface's pixel
// memory and state, the display state shared by an object and its surfaces,
// the registry of live surfaces (for loss), and pixel encode/decode.
//
// Pixels are little-endian units of 1 to 4 bytes; rows are `pitch` bytes
// apart, the last `padding` bytes of each row belonging to nobody (filled
// with kPadByte so tests can see stray writes).
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "plat/ddraw.h"
#include "plat/testing.h"

namespace plat::detail {

inline constexpr std::uint8_t kPadByte = 0xCD;

// Packed pixel value <-> 0x00RRGGBB, for one format.
struct PixelCodec {
  explicit PixelCodec(const DDPIXELFORMAT& f);
  std::uint32_t Encode(RgbColor c) const;  // 8-bit channels truncated to the masks
  RgbColor Decode(std::uint32_t p) const;  // channels widened by bit replication
  std::array<std::uint32_t, 3> mask{}, shift{}, bits{};
  bool palettised = false;
};

inline std::uint32_t LoadPixel(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  std::memcpy(&v, p, static_cast<std::size_t>(bytes));  // little-endian hosts only
  return v;
}
inline void StorePixel(std::uint8_t* p, int bytes, std::uint32_t v) {
  std::memcpy(p, &v, static_cast<std::size_t>(bytes));
}

// What the display is now: a mode (full screen) or the desktop.
struct DisplayMode {
  int width = 0, height = 0;  // 0 x 0: the desktop (windowed)
  DDPIXELFORMAT format;
  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};
DisplayMode CurrentDisplay();
void SetCurrentDisplay(std::optional<DisplayMode> mode);  // nullopt: the desktop

struct DisplayState {
  Form* window = nullptr;
  std::uint32_t level = 0;
  bool modeSet = false;
};

struct SurfaceData {
  SurfaceData(int w, int h, const DDPIXELFORMAT& f, std::uint32_t caps, std::uint32_t padding);
  ~SurfaceData();
  SurfaceData(const SurfaceData&) = delete;
  SurfaceData& operator=(const SurfaceData&) = delete;

  std::uint8_t* At(int x, int y) {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch) +
           static_cast<std::size_t>(x) * static_cast<std::size_t>(bytes);
  }
  bool Primary() const { return (caps & DDSCAPS_PRIMARYSURFACE) != 0; }
  // Managed textures keep a system-memory copy: never lost, no video memory.
  bool VideoMemory() const {
    return !(caps & DDSCAPS_SYSTEMMEMORY) && !(caps2 & DDSCAPS2_TEXTUREMANAGE);
  }
  std::uint32_t RowBytes() const { return static_cast<std::uint32_t>(width * bytes); }
  // A write finished: a primary hands its picture to the backend.
  void Changed();
  void FillGarbage();

  int width, height;
  DDPIXELFORMAT format;
  PixelCodec codec;
  int bytes;
  std::int32_t pitch;
  std::uint32_t caps;
  std::uint32_t caps2 = 0;
  std::vector<std::uint8_t> pixels;
  bool lost = false;
  int locks = 0;  // Lock or GetDC outstanding
  std::optional<std::array<std::uint32_t, 2>> key;
  Form* clipper = nullptr;
  DisplayMode createdFor;  // a primary restores only into the same display
  Bitmap shown;            // a primary's picture for the backend
  std::shared_ptr<SurfaceData> zbuffer;  // attached Z buffer (render targets)
};

// Direct3D surface kinds, checked by the 3D code (platform/d3d): the fault
// point a creation passes (CreateZBuffer for Z buffers), and whether a Z
// buffer or texture description has a format the devices accept.
testing::Fault CreationFault(const DDSURFACEDESC2& desc);
HRESULT Check3DSurface(const DDSURFACEDESC2& desc, const DDPIXELFORMAT& format);

// Every live surface, for Control::LoseSurfaces.
void LoseSurfaces(bool includeSystemMemory);
std::uint64_t VideoMemoryInUse();

}  // namespace plat::detail
