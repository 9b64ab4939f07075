// catalog.cpp — list table, file naming and output of the whole picture set.
#include "catalog.h"

#include <filesystem>
#include <stdexcept>

#include "bmp.h"

namespace ag {

const std::vector<ListInfo>& listInfos() {
  static const std::vector<ListInfo> specs = {
      {"IT", 359, 61, 1, Home::BmpFiles, "title", 0, 0},
      {"BK", 800, 300, 3, Home::BmpFiles, "BK_", 1, 2},
      {"Bo32", 32, 32, 16, Home::BmpFiles, "B30_", 0, 0},
      {"Bo64", 64, 64, 31, Home::BmpFiles, "B64_", 0, 0},
      {"Bo96", 96, 96, 16, Home::BmpFiles, "B96_", 0, 0},
      {"IL96", 96, 96, 16, Home::BmpFiles, "96_", 0, 2},
      {"IL74", 74, 74, 104, Home::BmpFiles, "74_", 1, 2},
      {"IL24", 24, 24, 52, Home::BmpFiles, "24_", 1, 2},
      {"IL64", 64, 64, 105, Home::BmpFiles, "64_", 1, 2},
      {"IL26", 26, 26, 6, Home::BmpFiles, "26_", 1, 2},
      {"IL40", 40, 40, 21, Home::BmpFiles, "40_", 1, 2},
      {"IL50", 50, 50, 71, Home::BmpFiles, "50_", 1, 2},
      {"IL80", 80, 80, 26, Home::BmpFiles, "80_", 1, 2},
      {"IL100", 100, 100, 95, Home::BmpFiles, "100_", 1, 2},
      {"IL150", 150, 150, 25, Home::BmpFiles, "150_", 1, 2},
      {"IL200", 200, 170, 1, Home::BmpFiles, "200", 0, 0},
      {"Font0", 16, 16, 44, Home::FormStrip, "", 0, 0},
      {"Font2", 16, 16, 46, Home::FormStrip, "", 0, 0},
      {"IL20", 20, 20, 26, Home::FormStrip, "", 0, 0},
      {"ISC", 75, 17, 9, Home::FormStrip, "", 0, 0},
      {"Spa8", 10, 10, 6, Home::FormStrip, "", 0, 0},
      {"CONT", 130, 20, 1, Home::FormStrip, "", 0, 0},
      {"Logo", 359, 61, 1, Home::FormStrip, "", 0, 0},
  };
  return specs;
}

std::string cellFileName(const ListInfo& info, int cell) {
  if (info.count == 1) return info.prefix;
  std::string num = std::to_string(info.first + cell);
  while (static_cast<int>(num.size()) < info.digits) num.insert(num.begin(), '0');
  return info.prefix + num;
}

CellList::CellList(const ListInfo& info)
    : info_(&info),
      cells_(static_cast<std::size_t>(info.count)),
      drawn_(static_cast<std::size_t>(info.count), false) {}

void CellList::put(int cell, const Image& img) {
  const std::string where = std::string(info_->list) + ":" + std::to_string(cell);
  if (cell < 0 || cell >= info_->count) throw std::logic_error("no cell " + where);
  if (img.width() != info_->w || img.height() != info_->h)
    throw std::logic_error("wrong picture size for " + where);
  if (drawn_[static_cast<std::size_t>(cell)]) throw std::logic_error("drawn twice: " + where);
  cells_[static_cast<std::size_t>(cell)] = img;
  cells_[static_cast<std::size_t>(cell)].liftDarks();
  drawn_[static_cast<std::size_t>(cell)] = true;
}

const Image& CellList::at(int cell) const {
  if (!drawn(cell))
    throw std::logic_error(std::string("not drawn yet: ") + info_->list + ":" +
                           std::to_string(cell));
  return cells_[static_cast<std::size_t>(cell)];
}

ArtSet::ArtSet() {
  for (const ListInfo& s : listInfos()) lists_.emplace(s.list, CellList(s));
}

CellList& ArtSet::operator[](const std::string& list) {
  auto it = lists_.find(list);
  if (it == lists_.end()) throw std::logic_error("unknown image list " + list);
  return it->second;
}

std::vector<std::string> ArtSet::missing() const {
  std::vector<std::string> out;
  for (const auto& [name, cl] : lists_)
    for (int i = 0; i < cl.count(); ++i)
      if (!cl.drawn(i)) out.push_back(name + ":" + std::to_string(i));
  return out;
}

int writeArtSet(const ArtSet& art, const std::string& dir) {
  namespace fs = std::filesystem;
  const fs::path root(dir);
  fs::create_directories(root / "bmp");
  fs::create_directories(root / "form");
  int files = 0;
  for (const auto& [name, cl] : art.lists()) {
    const ListInfo& s = cl.info();
    if (s.home == Home::BmpFiles) {
      for (int i = 0; i < s.count; ++i)
        if (cl.drawn(i)) {
          writeBmp((root / "bmp" / (cellFileName(s, i) + ".bmp")).string(), cl.at(i));
          ++files;
        }
    } else {
      Image strip(s.w * s.count, s.h);
      for (int i = 0; i < s.count; ++i)
        if (cl.drawn(i)) strip.blit(cl.at(i), i * s.w, 0);
      writeBmp((root / "form" / (name + ".bmp")).string(), strip);
      ++files;
    }
  }
  return files;
}

}  // namespace ag
