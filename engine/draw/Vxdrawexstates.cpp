// Vxdrawexstates.cpp — TVexmoraDrawEx's device states: the fixed set-up
// (viewport, render and stage-0 states), each blend effect as blend factors,
// a stage-0 colour operation and a vertex colour, and which effects the
// device can do.
#include <string>

#include "core/Vxdebug.h"
#include "core/Vxoperation.h"
#include "draw/Vxdrawex.h"

namespace VexmoraDrawSystem {

using VexmoraDebugSystem::TVexmoraDebug;
using VexmoraSystem::EVxDraw;
using VexmoraSystem::VxOperation;
using RS = plat::D3DRENDERSTATETYPE;
using TS = plat::D3DTEXTURESTAGESTATETYPE;

namespace {

// Per effect: blending on, source and destination factors (kept as they are
// when blending is off), stage-0 colour operation.
struct TEffectStates {
  bool blend;
  std::uint32_t source, dest, colourOp;
};
constexpr TEffectStates kEffectStates[kEffectCount] = {
    {false, 0, 0, plat::D3DTOP_SELECTARG1},                                              // beNormal
    {true, plat::D3DBLEND_SRCALPHA, plat::D3DBLEND_INVSRCALPHA, plat::D3DTOP_MODULATE},  // beTrans
    {true, plat::D3DBLEND_SRCALPHA, plat::D3DBLEND_ONE, plat::D3DTOP_MODULATE},          // beAdd
    {true, plat::D3DBLEND_ZERO, plat::D3DBLEND_SRCCOLOR, plat::D3DTOP_BLENDDIFFUSEALPHA},  // beMod
    {true, plat::D3DBLEND_ZERO, plat::D3DBLEND_INVSRCCOLOR, plat::D3DTOP_MODULATE},        // beSub
    {true, plat::D3DBLEND_ONE, plat::D3DBLEND_ZERO, plat::D3DTOP_ADD},        // beColorAdd
    {true, plat::D3DBLEND_ONE, plat::D3DBLEND_ZERO, plat::D3DTOP_MODULATE}};  // beColorMod

// The capability bits follow the enumerators: D3DPBLENDCAPS_x is bit
// (D3DBLEND_x - 1), D3DTEXOPCAPS_x bit (D3DTOP_x - 1).
bool Has(std::uint32_t caps, std::uint32_t value) {
  return (caps >> (value - 1)) & 1;
}

const char* YesNo(bool b) {
  return b ? "Yes" : "No";
}

}  // namespace

std::uint32_t TVexmoraDrawEx::VertexColour(TBlendEffect effect, int param) {
  if (param == -1) return effect == beTrans ? 0x7FFFFFFFu : 0xFFFFFFFFu;
  const auto p = static_cast<std::uint32_t>(param);
  return effect == beColorAdd || effect == beColorMod ? p | 0xFF000000u : p << 24 | 0xFFFFFFu;
}

void TVexmoraDrawEx::Init3DSystem() {
  VxOperation("TVexmoraDrawEx::Init3DSystem", [&] {
    plat::D3DVIEWPORT7 viewport;
    viewport.dwWidth = static_cast<std::uint32_t>(width);
    viewport.dwHeight = static_cast<std::uint32_t>(height);
    if (!device || plat::FAILED(device->SetViewport(viewport))) {
      CleanUp();
      throw EVxDraw("ビューポートの作成に失敗しました");
    }
    TVexmoraDebug::TraceLine("TVexmoraDraw(Ex)::Direct3Dシステムの設定に成功");
    const std::pair<RS, std::uint32_t> render[] = {{RS::ANTIALIAS, 0},
                                                   {RS::ZENABLE, plat::D3DZB_FALSE},
                                                   {RS::FILLMODE, plat::D3DFILL_SOLID},
                                                   {RS::SHADEMODE, plat::D3DSHADE_FLAT},
                                                   {RS::CULLMODE, plat::D3DCULL_NONE},
                                                   {RS::ZWRITEENABLE, 0},
                                                   {RS::DITHERENABLE, 0},
                                                   {RS::SPECULARENABLE, 0},
                                                   {RS::COLORKEYENABLE, transparent ? 1u : 0u},
                                                   {RS::CLIPPING, 0},
                                                   {RS::LIGHTING, 0},
                                                   {RS::TEXTUREPERSPECTIVE, 0}};
    for (const auto& [state, value] : render) device->SetRenderState(state, value);
    const std::pair<TS, std::uint32_t> stage[] = {
        {TS::COLORARG1, plat::D3DTA_TEXTURE},  {TS::COLORARG2, plat::D3DTA_DIFFUSE},
        {TS::COLOROP, plat::D3DTOP_MODULATE},  {TS::ALPHAARG1, plat::D3DTA_TEXTURE},
        {TS::ALPHAARG2, plat::D3DTA_DIFFUSE},  {TS::ALPHAOP, plat::D3DTOP_SELECTARG2},
        {TS::MINFILTER, plat::D3DTFN_POINT},   {TS::MAGFILTER, plat::D3DTFG_POINT},
        {TS::ADDRESS, plat::D3DTADDRESS_CLAMP}};
    for (const auto& [state, value] : stage) device->SetTextureStageState(0, state, value);
  });
}

void TVexmoraDrawEx::SetAlphaBlend(TBlendEffect effect) {
  VxOperation("TVexmoraDrawEx::SetAlphaBlend", [&] {
    RequireInitialised();
    const TEffectStates& s = kEffectStates[effect < kEffectCount ? effect : beNormal];
    device->SetRenderState(RS::ALPHABLENDENABLE, s.blend ? 1 : 0);
    if (s.blend) {
      device->SetRenderState(RS::SRCBLEND, s.source);
      device->SetRenderState(RS::DESTBLEND, s.dest);
    }
    device->SetTextureStageState(0, TS::COLOROP, s.colourOp);
    currentEffect = effect;
  });
}

void TVexmoraDrawEx::SetPlainStates() {
  device->SetRenderState(RS::ALPHABLENDENABLE, 0);
  device->SetTextureStageState(0, TS::COLOROP, plat::D3DTOP_SELECTARG1);
  currentEffect = beNormal;
}

bool TVexmoraDrawEx::BlendSupported(TBlendEffect e) const {
  return e > beNormal && e < kEffectCount && blendSupported[static_cast<std::size_t>(e - 1)];
}

void TVexmoraDrawEx::TraceCapabilities() {
  plat::D3DDEVICEDESC7 caps;
  device->GetCaps(caps);
  for (int e = beTrans; e < kEffectCount; ++e) {
    const TEffectStates& s = kEffectStates[e];
    blendSupported[static_cast<std::size_t>(e - 1)] = Has(caps.srcBlendCaps, s.source) &&
                                                      Has(caps.destBlendCaps, s.dest) &&
                                                      Has(caps.textureOpCaps, s.colourOp);
  }
  if (!TVexmoraDebug::GetDebug()) return;
  const auto b = [this](TBlendEffect e) { return YesNo(BlendSupported(e)); };
  TVexmoraDebug::TraceLine(
      std::string("TVexmoraDraw(Ex)::beTrans:") + b(beTrans) + "  beAdd:" + b(beAdd) +
      "  beSub:" + b(beSub) + "  beMod:" + b(beMod) + "  beColorAdd:" + b(beColorAdd) +
      "  beColorMod:" + b(beColorMod) + "\nTVexmoraDraw(Ex)::TexAddrClamp:" +
      YesNo(caps.textureAddressCaps & plat::D3DPTADDRESSCAPS_CLAMP) +
      "  TexFMagPoint:" + YesNo(caps.textureFilterCaps & plat::D3DPTFILTERCAPS_MAGFPOINT) +
      "  TexFMagPoint:" + YesNo(caps.textureFilterCaps & plat::D3DPTFILTERCAPS_MINFPOINT));
}

}  // namespace VexmoraDrawSystem
