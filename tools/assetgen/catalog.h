// catalog.h — the game's image lists: cell sizes, counts and file names, and
// the ArtSet that the picture groups fill. Every cell must be drawn exactly
// once; writing refuses a set with an empty cell, because a missing picture
// stops the game at start-up.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "image.h"

namespace ag {

enum class Home { BmpFiles, FormStrip };

struct ListInfo {
  const char* list;  // image-list name, e.g. "IL74"
  int w, h, count;   // cell size and number of cells
  Home home;
  const char* prefix;  // file name before the number ("74_"); whole name if count is 1
  int first;           // number of cell 0 in its file name
  int digits;          // minimum digits (0 = plain number)
};

const std::vector<ListInfo>& listInfos();
// File name without folder or extension of cell i of a file-loaded list.
std::string cellFileName(const ListInfo& info, int cell);

class CellList {
 public:
  explicit CellList(const ListInfo& info);
  const ListInfo& info() const { return *info_; }
  int count() const { return info_->count; }
  // Stores a picture; throws if the size is wrong or the cell is already drawn.
  void put(int cell, const Image& img);
  // Fills a never-shown cell with a copy of a drawn one.
  void copy(int dst, int src) { put(dst, at(src)); }
  const Image& at(int cell) const;
  bool drawn(int cell) const { return drawn_.at(static_cast<std::size_t>(cell)); }
  // A blank picture of this list's cell size.
  Image blank() const { return Image(info_->w, info_->h); }

 private:
  const ListInfo* info_;
  std::vector<Image> cells_;
  std::vector<bool> drawn_;
};

class ArtSet {
 public:
  ArtSet();
  CellList& operator[](const std::string& list);
  const std::map<std::string, CellList>& lists() const { return lists_; }
  // Names of cells still empty, as "IL74:12".
  std::vector<std::string> missing() const;

 private:
  std::map<std::string, CellList> lists_;
};

// Writes DIR/bmp/<name>.bmp for file lists and DIR/form/<List>.bmp strips
// (cells not drawn are skipped, or left black in a strip; callers check
// missing() first). Returns the number of files written.
int writeArtSet(const ArtSet& art, const std::string& dir);

}  // namespace ag
