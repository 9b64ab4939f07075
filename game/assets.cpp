// assets.cpp — the bitmap table and the form-resource lists.
#include "game/assets.h"

#include <cstdio>

#include "game/Kx_main.h"
#include "plat/kernel.h"

namespace kx {
namespace {

struct ListFiles {
  plat::ImageList TForm1::*list;
  const char* prefix;
  int first, count;
  bool zeroPadded;  // two digits with a leading zero up to 99
};

// Cell i of a list is the i-th name, lists in this order.
constexpr ListFiles kFileLists[] = {
    {&TForm1::BK, "BK_", 1, 3, true},       {&TForm1::Bo32, "B30_", 0, 16, false},
    {&TForm1::Bo64, "B64_", 0, 31, false},  {&TForm1::Bo96, "B96_", 0, 16, false},
    {&TForm1::IL96, "96_", 0, 16, true},    {&TForm1::IL74, "74_", 1, 104, true},
    {&TForm1::IL24, "24_", 1, 52, true},    {&TForm1::IL64, "64_", 1, 105, true},
    {&TForm1::IL26, "26_", 1, 6, true},     {&TForm1::IL40, "40_", 1, 21, true},
    {&TForm1::IL50, "50_", 1, 71, true},    {&TForm1::IL80, "80_", 1, 26, true},
    {&TForm1::IL100, "100_", 1, 95, true},  {&TForm1::IL150, "150_", 1, 25, true},
};

struct FormList {
  plat::ImageList TForm1::*list;
  const char* name;
  int cells;
};
constexpr FormList kFormLists[] = {
    {&TForm1::Font0, "Font0", 44}, {&TForm1::IL20, "IL20", 26}, {&TForm1::Font2, "Font2", 46},
    {&TForm1::ISC, "ISC", 9},      {&TForm1::Spa8, "Spa8", 6},  {&TForm1::CONT, "CONT", 1},
};

void AddFile(plat::ImageList& list, plat::Bitmap& bmp, const std::string& path) {
  bmp.SetSize(list.CellWidth(), list.CellHeight());
  bmp.LoadFromFile(path);
  list.AddMasked(bmp, plat::clBlack);
}

void LoadFormList(plat::ImageList& list, const FormList& f) {
  plat::Bitmap strip;
  if (!strip.LoadFromResourceName(f.name))
    throw plat::EBitmapLoad(std::string(f.name) + ": the program carries no such form picture");
  const int w = list.CellWidth(), h = list.CellHeight();
  if (strip.Width() < w * f.cells || strip.Height() < h)
    throw plat::EBitmapLoad(std::string(f.name) + ": the strip holds fewer than " +
                            std::to_string(f.cells) + " cells of " + std::to_string(w) + " x " +
                            std::to_string(h));
  plat::Bitmap cell(w, h);
  for (int i = 0; i < f.cells; ++i) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) cell.Row(y)[x] = strip.Row(y)[i * w + x];
    list.AddMasked(cell, plat::clBlack);
  }
}

}  // namespace

std::string DataPath(const std::string& dataDir, const std::string& relative) {
  std::string path = dataDir.empty() ? relative : dataDir + "/" + relative;
  return plat::NativePath(path);
}

void LoadAssets(TForm1& form, const std::string& dataDir) {
  for (const auto& f : kFormLists) {
    (form.*f.list).Clear();
    LoadFormList(form.*f.list, f);
  }

  plat::Bitmap bmp;  // one bitmap reused for every file, sized per list
  form.IT.Clear();
  AddFile(form.IT, bmp, DataPath(dataDir, "bmp\\title.bmp"));
  for (const auto& f : kFileLists) {
    auto& list = form.*f.list;
    list.Clear();
    for (int i = 0; i < f.count; ++i) {
      const int n = f.first + i;
      char name[32];
      std::snprintf(name, sizeof name, f.zeroPadded ? "bmp\\%s%02d.bmp" : "bmp\\%s%d.bmp",
                    f.prefix, n);
      AddFile(list, bmp, DataPath(dataDir, name));
    }
  }
  form.IL200.Clear();
  AddFile(form.IL200, bmp, DataPath(dataDir, "bmp\\200.bmp"));
}

}  // namespace kx
