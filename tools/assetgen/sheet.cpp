// sheet.cpp — contact sheet layout and the libpng writer.
#include "sheet.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "draw.h"
#include "pixfont.h"

namespace ag {
namespace {

constexpr int kSheetWidth = 1640;
constexpr Rgb kBoardA{40, 40, 52}, kBoardB{52, 52, 66}, kFrame{90, 90, 120};

Image cellView(const CellList& cl, int i) {
  const ListInfo& s = cl.info();
  Image v(s.w, s.h);
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) v.set(x, y, ((x / 4 + y / 4) & 1) ? kBoardA : kBoardB);
  if (cl.drawn(i)) {
    v.blit(cl.at(i), 0, 0);
  } else {
    line(v, 0, 0, s.w - 1, s.h - 1, Rgb{255, 0, 255});
    line(v, s.w - 1, 0, 0, s.h - 1, Rgb{255, 0, 255});
  }
  return v;
}

Image zoomed(const Image& img, int z) {
  Image out(img.width() * z, img.height() * z);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.set(x, y, img.get(x / z, y / z));
  return out;
}

}  // namespace

void writePng(const std::string& path, const Image& img) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) throw std::runtime_error("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) throw std::runtime_error("libpng failed for " + path);
  std::vector<png_byte> row(static_cast<std::size_t>(img.width()) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot write " + path);
  }
  png_init_io(png, f.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(img.width()),
               static_cast<png_uint_32>(img.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      Rgb c = img.get(x, y);
      row[static_cast<std::size_t>(x) * 3] = c.r;
      row[static_cast<std::size_t>(x) * 3 + 1] = c.g;
      row[static_cast<std::size_t>(x) * 3 + 2] = c.b;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

void writeSheet(const ArtSet& art, const std::vector<std::string>& lists, int zoom,
                const std::string& pngPath) {
  // First pass lays the blocks out, second draws them.
  struct Placed {
    const CellList* cl;
    int y;
  };
  std::vector<Placed> placed;
  int y = 4;
  for (const auto& [name, cl] : art.lists()) {
    if (!lists.empty() && std::find(lists.begin(), lists.end(), name) == lists.end()) continue;
    const int cw = cl.info().w * zoom + 2, ch = cl.info().h * zoom + 2;
    const int perRow = std::max(1, (kSheetWidth - 8) / cw);
    const int rows = (cl.count() + perRow - 1) / perRow;
    placed.push_back({&cl, y});
    y += 12 + rows * ch + 6;
  }
  Image sheet(kSheetWidth, std::max(y, 8), Rgb{20, 20, 28});
  for (const Placed& p : placed) {
    const ListInfo& s = p.cl->info();
    drawText(sheet, 6, p.y,
             std::string(s.list) + "  " + std::to_string(s.w) + "x" + std::to_string(s.h),
             Rgb{220, 220, 240});
    const int cw = s.w * zoom + 2, ch = s.h * zoom + 2;
    const int perRow = std::max(1, (kSheetWidth - 8) / cw);
    for (int i = 0; i < s.count; ++i) {
      const int cx = 4 + (i % perRow) * cw, cy = p.y + 12 + (i / perRow) * ch;
      strokeRect(sheet, cx, cy, cw, ch, kFrame);
      Image v = zoomed(cellView(*p.cl, i), zoom);
      for (int yy = 0; yy < v.height(); ++yy)
        for (int xx = 0; xx < v.width(); ++xx) sheet.set(cx + 1 + xx, cy + 1 + yy, v.get(xx, yy));
    }
  }
  writePng(pngPath, sheet);
}

}  // namespace ag
