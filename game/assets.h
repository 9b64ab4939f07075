// assets.h — fills the main window's image lists at start-up.
//
// File lists: each cell is "bmp/<name>.bmp" under the data folder, loaded
// into one reused bitmap of the list's cell size and added masked (black is
// transparent), lists in a fixed order. Form lists (Font0, Font2, IL20, ISC,
// Spa8, CONT) come with the program: a "BITMAP" module resource named like
// the list, a horizontal strip of its cells. A missing or malformed file throws plat::EBitmapLoad naming
// the file, which stops start-up.
#pragma once

#include <string>

namespace kx {

class TForm1;
void LoadAssets(TForm1& form, const std::string& dataDir);
// "bmp\\name.bmp" style relative paths resolved under dataDir (or the working
// directory when empty).
std::string DataPath(const std::string& dataDir, const std::string& relative);

}  // namespace kx
