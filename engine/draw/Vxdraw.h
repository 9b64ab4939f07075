// Vxdraw.h — TVexmoraDraw, the engine's software-blended 2D drawing
// component: named surfaces drawn onto a back surface with blend effects,
// presented in a window (stretched to the client area) or in an exclusive
// full-screen mode (centred, optionally doubled).
//
// Configuration: the published properties, set before Init or at any time
// (FullScreen and ColorDepth then rebuild everything with ResetAll; Width,
// Height, VideoMemory and TransparentColor rebuild the working surfaces with
// Reset). Every public operation is timed under "TVexmoraDraw::<operation>"
// while profiling is on, and an exception leaving it is traced and passed on
// unchanged. Errors are EVxDraw (surface loading: EVxDrawSurface). A lost
// surface is never an error: it is restored and the call ends quietly or
// goes on.
//
// The component owns three working surfaces of Width x Height: back (every
// draw goes here), flip (the finished frame, copied to the primary) and temp
// (an earlier frame or a fill colour for UpdateEx). Pixel routines read the
// process-wide PixelMode, which the last CheckPixelMode set. Not
// thread-safe: the application's thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "core/Vxerror.h"
#include "core/Vxtable.h"
#include "draw/Vxdrawsurface.h"
#include "draw/Vxdrawtypes.h"
#include "draw/Vxpixelmode.h"
#include "draw/Vxroutines.h"
#include "plat/app.h"
#include "plat/canvas.h"
#include "plat/component.h"
#include "plat/ddraw.h"

namespace VexmoraDrawSystem {

// UpdateEx modes: low byte prepares the temp surface, second byte the effect.
enum : int {
  uxTempKeep = 0x1, uxTempBlack = 0x2, uxTempWhite = 0x4,
  uxPlain = 0x100, uxWave = 0x200, uxBlendTrans = 0x400, uxBlendAdd = 0x800
};

class TVexmoraDraw : public plat::TComponent {
 public:
  explicit TVexmoraDraw(plat::TComponent* owner);
  ~TVexmoraDraw() override;

  // Published properties.
  bool Initialized() const { return initialised; }
  bool FullScreen() const { return fullScreen; }
  bool Double() const { return doubled; }
  bool VideoMemory() const { return videoMemory; }
  bool Transparent() const { return transparent; }
  TTransparentColor TransparentColor() const { return transparentColor; }
  int Width() const { return width; }
  int Height() const { return height; }
  int DisplayWidth() const { return displayWidth; }
  int DisplayHeight() const { return displayHeight; }
  TColorDepth ColorDepth() const { return colorDepth; }
  const plat::Font& Font() const { return font; }

  virtual void WndProc(const plat::Message& message);
  virtual void SetFullScreen(bool value);
  virtual void SetDouble(bool value);
  virtual void SetVideoMemory(bool value);
  virtual void SetTransparent(bool value);
  virtual void SetTransparentColor(TTransparentColor value);
  virtual void SetWidth(int value);
  virtual void SetHeight(int value);
  virtual void SetDisplayWidth(int value);
  virtual void SetDisplayHeight(int value);
  virtual void SetColorDepth(TColorDepth value);
  virtual void SetFont(const plat::Font& value);

  virtual void CreateBackSurface();
  virtual void CheckPixelMode();
  // `window` null keeps the target window (the owner's, or an earlier one).
  virtual void Init(plat::Form* window = nullptr);
  virtual void Reset();
  virtual void ResetAll();
  virtual void CleanUp();
  virtual void Update();
  virtual void UpdateEx(int value, int mode);
  virtual void UpdateTmp();
  virtual void WaitVSync();

  virtual void CreateSurface(std::string_view surfaceName, std::string_view fileName,
                             int patternWidth, int patternHeight);
  virtual TVexmoraDrawSurfaceInfo GetSurfaceInfo(std::string_view surfaceName);
  virtual void DeleteSurface(std::string_view surfaceName);
  virtual void DeleteAllSurface();

  // `param` -1: 128 for beTrans, 255 for the others.
  virtual void Draw(int x, int y, std::string_view name, int pattern, TBlendEffect effect = beNormal,
                    int param = -1);
  virtual void EffectDraw(int x, int y, TEffectCallback callback, std::string_view name,
                          int pattern, int param1, int param2);
  virtual void WindDraw(int x, int y, std::string_view name, int pattern, TBlendEffect effect,
                        int param, int wind);
  virtual void ZoomDraw(int x, int y, int zoomX, int zoomY, std::string_view name, int pattern);
  virtual void RotZoomDraw(int x, int y, int angle, int zoom, std::string_view name, int pattern);
  virtual void DirectDraw(plat::Rect dest, plat::Rect source, std::string_view name);
  virtual void TextOutA(int x, int y, std::string_view text);
  virtual void Clear();

  // For tests and tools.
  plat::IDirectDrawSurface7* BackSurface() const { return backSurface.get(); }
  plat::IDirectDrawSurface7* TempSurface() const { return tempSurface.get(); }
  plat::IDirectDrawSurface7* FlipSurface() const { return flipSurface.get(); }
  plat::IDirectDrawSurface7* PrimarySurface() const { return primary.get(); }
  plat::IDirectDraw7* DirectDrawObject() const { return directDraw.get(); }
  std::uint32_t KeyColour() const { return keyColour; }
  int BytesPerPixel() const { return bytesPerPixel; }
  int WaveCounter() const { return waveCounter; }
  const TDrawRoutines& Routines() const { return routines; }
  TVexmoraDrawSurface* FindSurface(std::string_view name) const { return surfaces.Find(name); }
  std::size_t SurfaceCount() const { return surfaces.Size(); }
  plat::Form* TargetWindow() const { return targetWindow; }

 protected:
  // Derived components (the 3D ones) build their own device on the same
  // display, so the display steps and the state are shared with them.
  using Table = VexmoraSystem::TVexmoraResourceTable<TVexmoraDrawSurface, VexmoraSystem::EVxDraw>;
  // Throws the component's own error for a failure text; never returns.
  using TFail = std::function<void(const char*)>;

  // Init's first step: take `window` (null keeps the target), clean up, and
  // hide the cursor in full screen.
  void StartInit(plat::Form* window);
  // Creates and initialises DirectDraw, sets the cooperative level (plus
  // `extraLevel`), the display mode in full screen, and the primary surface.
  void OpenDisplay(std::uint32_t extraLevel, const TFail& fail);
  // The 3D components' back surface: Width x Height, a Direct3D render
  // target in video memory (hardware device) or system memory.
  plat::HRESULT CreateRenderTarget(bool hardware);
  // Windowed only: the primary surface's clipper on the target window.
  void AttachClipper(const TFail& fail);
  // Copies `source` (Width x Height) to the primary: stretched to the
  // window's client area, centred in full screen, or doubled.
  void Present(plat::IDirectDrawSurface7& source);
  void RequireInitialised() const;
  // Sets the key colour and the process-wide pixel mode from `f`, clears
  // the software routines, and traces the mode.
  TPixelMode& UsePixelFormat(const plat::DDPIXELFORMAT& f);
  // The component's own trace lines; quiet when traceSteps is off.
  void Trace(const std::string& line) const;
  // Lookup for the drawing calls: the surface, and unless `pattern` is
  // kAnyPattern, the pattern checked against its count.
  static constexpr int kAnyPattern = std::numeric_limits<int>::min();
  TVexmoraDrawSurface& Sprite(std::string_view name, int pattern = kAnyPattern) const;
  // The (unloaded) surface CreateSurface puts in the table; derived
  // components store their own kind.
  virtual TVexmoraDrawSurface* NewSurface();
  void ReleaseSurfaces();
  void TraceMemory() const;
  void DrawUnchecked(int x, int y, TVexmoraDrawSurface& s, const plat::Rect& pattern,
                     std::string_view name, TBlendEffect effect, int param);
  void RestoreIfLost(plat::IDirectDrawSurface7* s);
  int NextRandom() { return randomTable[static_cast<std::size_t>(waveCounter++ & 0xFF)]; }

  bool traceSteps = true;  // the 3D component writes no trace lines
  bool initialised = false;
  bool firstCleanUp = true;
  bool fullScreen = false;
  bool doubled = false;
  bool videoMemory = false;
  bool transparent = true;
  TTransparentColor transparentColor = tcBlack;
  int width = 640, height = 480;
  int displayWidth = 640, displayHeight = 480;
  TColorDepth colorDepth = cd16bpp;
  int frameWidth = 640, frameHeight = 480;
  plat::Font font;
  std::shared_ptr<plat::IDirectDraw7> directDraw;
  std::shared_ptr<plat::IDirectDrawSurface7> primary, flipSurface, backSurface, tempSurface;
  plat::Form* targetWindow = nullptr;
  std::unique_ptr<plat::MessagePort> messageWindow;
  int bytesPerPixel = 0;
  std::uint32_t keyColour = 0;
  int waveCounter = 0;
  std::array<int, 256> randomTable{};
  Table surfaces;
  TDrawRoutines routines;
};

// Puts TVexmoraDraw on the palette page "Vexmora".
void Register();

}  // namespace VexmoraDrawSystem
