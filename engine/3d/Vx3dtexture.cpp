// Vx3dtexture.cpp — loading a bitmap into a texture surface, and the
// texture's sprite batches.
#include "3d/Vx3dtexture.h"

#include "3d/Vx3d.h"
#include "core/Vxerror.h"
#include "draw/Vxbitmap.h"

namespace Vexmora3DSystem {

using VexmoraSystem::EVx3DTexture;

void TVexmora3DTexture::LoadFile(plat::IDirectDraw7& directDraw, plat::IDirect3DDevice7& device,
                                 const std::string& newName, const std::string& file, int pw,
                                 int ph) {
  surface.reset();
  name.clear();
  fileName.clear();
  auto fail = [&file](const char* text) -> void {
    throw EVx3DTexture(std::string(text) + "\nファイル名：" + file);
  };
  plat::D3DDEVICEDESC7 caps;
  device.GetCaps(caps);

  std::optional<plat::Bitmap> bmp = VexmoraDrawSystem::LoadBitmap(file);
  if (!bmp || bmp->Width() <= 0 || bmp->Height() <= 0) fail("BMPの読み込みに失敗しました。");
  const int width = bmp->Width(), height = bmp->Height();
  static_cast<TVexmora3DTextureInfo&>(*this) = TexturePatterns(width, height, pw, ph);

  std::vector<plat::DDPIXELFORMAT> formats;
  device.EnumTextureFormats(formats);
  const std::optional<plat::DDPIXELFORMAT> format = ChooseTextureFormat(formats);
  if (!format) fail("テクスチャの列挙に失敗しました。");

  const bool hardware = caps.deviceGUID != plat::D3DDEVTYPE::RGB;
  const TTextureSize size = TextureSurfaceSize(static_cast<std::uint32_t>(width),
                                               static_cast<std::uint32_t>(height), caps);
  plat::DDSURFACEDESC2 desc;
  desc.dwFlags = plat::DDSD_CAPS | plat::DDSD_WIDTH | plat::DDSD_HEIGHT | plat::DDSD_PIXELFORMAT |
                 plat::DDSD_TEXTURESTAGE;
  desc.dwCaps = plat::DDSCAPS_TEXTURE | (hardware ? 0u : std::uint32_t{plat::DDSCAPS_SYSTEMMEMORY});
  desc.dwCaps2 = hardware ? std::uint32_t{plat::DDSCAPS2_TEXTUREMANAGE} : 0u;
  desc.dwWidth = static_cast<int>(size.width);
  desc.dwHeight = static_cast<int>(size.height);
  desc.ddpfPixelFormat = format;
  std::shared_ptr<plat::IDirectDrawSurface7> texture, staging;
  if (plat::FAILED(directDraw.CreateSurface(desc, texture)))
    fail("サーフェイスの作成に失敗しました。");

  // The bitmap is drawn at its own size, then stretched over the texture.
  desc.dwCaps = plat::DDSCAPS_TEXTURE | plat::DDSCAPS_SYSTEMMEMORY;
  desc.dwCaps2 = 0;
  desc.dwWidth = width;
  desc.dwHeight = height;
  if (plat::FAILED(directDraw.CreateSurface(desc, staging)))
    fail("サーフェイスの作成に失敗しました。");
  if (!VexmoraDrawSystem::DrawThroughDC(*staging, *bmp))
    fail("デバイスコンテキストの取得に失敗しました。");
  if (plat::FAILED(texture->Blt(nullptr, staging.get(), nullptr, false)))
    fail("サーフェイスの作成に失敗しました。");

  if (format->dwRGBAlphaBitMask != 0) {
    plat::DDSURFACEDESC2 locked;
    if (plat::FAILED(texture->Lock(nullptr, locked))) fail("サーフェイスのロックに失敗しました。");
    KeyBlackToTransparent(locked.lpSurface, locked.lPitch, size.width, size.height, *format);
    texture->Unlock();
  }
  surface = std::move(texture);
  name = newName;
  fileName = file;
}

void TVexmora3DTexture::PushRect(const TVexmora3DTLVertex* quad, TAlphaBlendEffect effect) {
  if (effect < stacks.size()) stacks[effect].PushRect(quad);
}

void TVexmora3DTexture::Render(TVexmora3D& device) {
  device.SetTexture(this, 0);
  for (TAlphaBlendEffect effect = 0; effect < stacks.size(); ++effect) {
    if (!stacks[effect].Check()) continue;
    device.SetAlphaBlend(effect);
    stacks[effect].Render(device);
  }
}

std::size_t TVexmora3DTexture::Queued() const {
  std::size_t n = 0;
  for (const TVexmora3DTLStack& s : stacks) n += static_cast<std::size_t>(s.Count());
  return n;
}

}  // namespace Vexmora3DSystem
