// Vxdrawex.h — TVexmoraDrawEx, the accelerated 2D drawing component: the
// interface of TVexmoraDraw, with every pattern drawn as textured
// screen-space quads through a Direct3D 7 device (blend effects become render
// states; zoom and rotation move the quad corners).
//
// Surfaces are TVexmoraDrawExSurface (128 x 128 texture tiles, bitmaps up
// to 1024 x 1024). The back surface is the device's render target; there is
// no flip surface, and a temp surface exists only once UpdateEx's wave
// needed one. Drawing opens a device scene; TextOutA, Clear, Update and
// UpdateEx end it. Text goes through two Width x 128 buffers (taller text is
// cut) and is keyed on black, so a font colour whose red byte is below 0x10
// is raised to it.
//
// Configuration: UseHAL (default true) asks for the hardware device; Init
// falls back once to the software device when that fails. VideoMemory
// follows the device and cannot be set. EffectDraw is not supported.
// Every public operation is timed and traced under "TVexmoraDrawEx::<op>";
// errors are EVxDraw (surface loading: EVxDrawSurface). Not thread-safe.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "draw/Vxdraw.h"
#include "draw/Vxdrawexsurface.h"
#include "plat/d3d.h"

namespace VexmoraDrawSystem {

class TVexmoraDrawEx : public TVexmoraDraw {
 public:
  explicit TVexmoraDrawEx(plat::TComponent* owner);
  ~TVexmoraDrawEx() override;

  bool UseHAL() const { return useHAL; }
  virtual void SetUseHAL(bool value);

  void WndProc(const plat::Message& message) override;
  void SetVideoMemory(bool value) override;
  void SetTransparent(bool value) override;
  void SetFont(const plat::Font& value) override;

  void CreateBackSurface() override;
  void CheckPixelMode() override;
  void Init(plat::Form* window = nullptr) override;
  void Reset() override;
  void CleanUp() override;
  void Update() override;
  void UpdateEx(int value, int mode) override;

  void Draw(int x, int y, std::string_view name, int pattern, TBlendEffect effect = beNormal,
            int param = -1) override;
  void EffectDraw(int x, int y, TEffectCallback callback, std::string_view name, int pattern,
                  int param1, int param2) override;
  void WindDraw(int x, int y, std::string_view name, int pattern, TBlendEffect effect, int param,
                int wind) override;
  void ZoomDraw(int x, int y, int zoomX, int zoomY, std::string_view name, int pattern) override;
  void RotZoomDraw(int x, int y, int angle, int zoom, std::string_view name, int pattern) override;
  void DirectDraw(plat::Rect dest, plat::Rect source, std::string_view name) override;
  void TextOutA(int x, int y, std::string_view text) override;

  // One device attempt: the display, Direct3D, the back surface with its
  // device and, windowed, the clipper. Init(window) calls it.
  virtual void Init(plat::Form* window, bool hardware);
  virtual void Init3DSystem();
  virtual void CreateTextBuffer();
  virtual void SetAlphaBlend(TBlendEffect effect);
  void Clear() override;

  // For tests and tools.
  plat::IDirect3DDevice7* Device() const { return device.get(); }
  plat::IDirectDrawSurface7* TextSurface() const { return textSurface.get(); }
  plat::IDirectDrawSurface7* TextKeySurface() const { return textKeySurface.get(); }
  TBlendEffect CurrentEffect() const { return currentEffect; }
  bool SceneOpen() const { return sceneOpen; }
  // Whether the device has effect `e`'s (1..6) blend factors and operation.
  bool BlendSupported(TBlendEffect e) const;

 protected:
  TVexmoraDrawSurface* NewSurface() override;

 private:
  struct TPlace {
    float x, y;
  };
  // The quads' diffuse colour for an effect and its parameter (-1: default).
  static std::uint32_t VertexColour(TBlendEffect effect, int param);
  TVexmoraDrawExSurface& Tiled(std::string_view name, int pattern = kAnyPattern) const;
  void BeginScene();
  void EndScene();
  // Blending off, the texture as it is: what the scaled and turned copies use.
  void SetPlainStates();
  // Draws rectangle `src` of `s` tile piece by tile piece; `place` maps an
  // offset from src's top-left (in texels) to the screen. Lost surfaces are
  // restored and end the call quietly.
  template <class Place>
  void DrawTiled(TVexmoraDrawExSurface& s, const plat::Rect& src, std::uint32_t colour,
                 std::string_view name, const Place& place);
  plat::IDirectDrawSurface7& WaveSurface(int value, int prepare);
  void TraceCapabilities();

  bool useHAL = true;
  bool sceneOpen = false;
  TBlendEffect currentEffect = beNormal;
  std::array<float, TVexmoraDrawExSurface::kTileSize + 1> texCoordTable{};
  std::array<bool, kEffectCount - 1> blendSupported{};
  std::shared_ptr<plat::IDirect3D7> direct3D;
  std::shared_ptr<plat::IDirect3DDevice7> device;
  std::shared_ptr<plat::IDirectDrawSurface7> textSurface, textKeySurface;
};

}  // namespace VexmoraDrawSystem

namespace VexmoraDrawExSystem {

// Puts TVexmoraDrawEx on the palette page "Vexmora".
void Register();

}  // namespace VexmoraDrawExSystem
