// text.cpp — Canvas::TextOut and TextExtent through SDL2_ttf.
//
// Glyphs are rendered "solid" (one bit a pixel, no antialiasing, hinted for
// monochrome), so text never blends into colour keys. Faces: kLatinFace for
// pure ASCII text, kJapaneseFace for anything else; Font::name is not
// consulted. Pixel size = points * 96 / 72, rounded (9 pt -> 12 px); a
// negative size is a pixel height, as toolkit font heights are. SDL_ttf needs
// no video subsystem: it is initialised on first use, and fonts stay open, one
// per (face, size), for the life of the process. A missing font draws nothing
// and measures 0 x 0.
#include <SDL_ttf.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "clip.h"
#include "plat/canvas.h"

namespace plat {
namespace {

constexpr const char* kLatinFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kJapaneseFace = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
constexpr int kMaxPixels = 512;

int PixelSize(int points) {
  points = std::clamp(points, -kMaxPixels, kMaxPixels);
  const int px = points > 0 ? (points * 4 + 1) / 3 : points < 0 ? -points : 12;
  return std::clamp(px, 1, kMaxPixels);
}

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Open fonts by (face, pixel size). SDL_ttf is not thread-safe, so every use
// of a font happens under the cache's lock.
class FontCache {
 public:
  // Never destroyed: text may still be drawn while statics are torn down.
  static FontCache& Instance() {
    static FontCache* const cache = new FontCache;
    return *cache;
  }
  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }
  // Null when the face cannot be opened. Call with the lock held.
  TTF_Font* Get(bool ascii, int px) {
    if (!ready_) return nullptr;
    const auto key = std::make_pair(ascii, px);
    const auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    TTF_Font* font = TTF_OpenFont(ascii ? kLatinFace : kJapaneseFace, px);
    if (font != nullptr) TTF_SetFontHinting(font, TTF_HINTING_MONO);
    fonts_.emplace(key, font);  // a failure is remembered too: no retry per call
    return font;
  }

 private:
  FontCache() : ready_(TTF_WasInit() > 0 || TTF_Init() == 0) {}
  std::mutex mutex_;
  bool ready_;
  std::map<std::pair<bool, int>, TTF_Font*> fonts_;
};

}  // namespace

Point Canvas::TextExtent(std::string_view utf8) const {
  FontCache& cache = FontCache::Instance();
  const auto lock = cache.Lock();
  TTF_Font* ttf = cache.Get(IsAscii(utf8), PixelSize(font.size));
  int w = 0, h = 0;
  if (ttf == nullptr || TTF_SizeUTF8(ttf, std::string(utf8).c_str(), &w, &h) != 0) return {};
  return {w, h};
}

void Canvas::TextOut(int x, int y, std::string_view utf8) {
  const Point cell = TextExtent(utf8);
  if (cell == Point{}) return;
  FillRect({x, y, x + cell.x, y + cell.y});  // nothing with a clear brush
  if (utf8.empty()) return;

  FontCache& cache = FontCache::Instance();
  const auto lock = cache.Lock();
  TTF_Font* ttf = cache.Get(IsAscii(utf8), PixelSize(font.size));
  if (ttf == nullptr) return;
  SDL_Surface* glyphs =
      TTF_RenderUTF8_Solid(ttf, std::string(utf8).c_str(), SDL_Color{255, 255, 255, 255});
  if (glyphs == nullptr) return;
  // An 8-bit surface: index 0 is the background, anything else ink.
  clip::Copy c;
  if (glyphs->format->BytesPerPixel == 1 &&
      clip::ClipCopy(x, y, 0, 0, glyphs->w, glyphs->h, bitmap_->Width(), bitmap_->Height(),
                     glyphs->w, glyphs->h, c)) {
    const RgbColor ink = BgrToRgb(font.color);
    const auto* pixels = static_cast<const std::uint8_t*>(glyphs->pixels);
    for (int row = 0; row < c.height; ++row) {
      const std::uint8_t* src =
          pixels + static_cast<std::size_t>(c.srcY + row) * glyphs->pitch + c.srcX;
      RgbColor* dst = bitmap_->Row(c.dstY + row) + c.dstX;
      for (int i = 0; i < c.width; ++i)
        if (src[i] != 0) dst[i] = ink;
    }
  }
  SDL_FreeSurface(glyphs);
}

}  // namespace plat
