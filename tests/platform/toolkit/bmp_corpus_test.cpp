// The BMP reader against the public BMP test suite: good files decode to
// their reference renders, bad files are rejected naming the file, and each
// questionable file gets the outcome chosen for it below.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "plat/canvas.h"

namespace {

namespace fs = std::filesystem;
const fs::path kDir = fs::path(KX_CORPORA_DIR) / "bmp";

// "file render" pairs (names without extension). Render "-": rejected; "?":
// loads, not compared; a trailing "~": each channel may be 1 off.
constexpr const char* kGood = R"(
  pal1 pal1  pal1wb pal1  pal1bg pal1bg  pal4 pal4  pal4gs pal4gs  pal4rle pal4  pal8 pal8
  pal8-0 pal8  pal8gs pal8gs  pal8rle pal8  pal8w126 pal8w126  pal8w125 pal8w125
  pal8w124 pal8w124  pal8topdown pal8  pal8nonsquare pal8nonsquare-e  pal8os2 pal8  pal8v4 pal8
  pal8v5 pal8  rgb16 rgb16  rgb16bfdef rgb16  rgb16-565 rgb16-565  rgb16-565pal rgb16-565
  rgb24 rgb24  rgb24pal rgb24  rgb32 rgb24  rgb32bfdef rgb24  rgb32bf rgb24)";

// Rejected: compressions we do not decode (OS/2 Huffman, RLE24, embedded JPEG
// and PNG) and 64 bits a pixel. Pixels skipped by RLE deltas stay black (the
// "-b" renders). Alpha is not decoded, so alpha images compare by colour;
// renders stored with 16-bit samples are not compared. The 11-bit channels of
// rgb32-111110 round to within 1 of its render.
constexpr const char* kQuestionable = R"(
  pal1huffmsb -  pal1p1 pal1p1  pal2 pal2  pal2color pal2color  pal4rlecut pal4rlecut-b
  pal4rletrns pal4rletrns-b  pal8rlecut pal8rlecut-b  pal8rletrns pal8rletrns-b  pal8offs pal8
  pal8oversizepal pal8  pal8os2-hs pal8  pal8os2-sz pal8  pal8os2sp pal8  pal8os2v2 pal8
  pal8os2v2-16 pal8  pal8os2v2-40sz pal8  pal8os2v2-sz pal8  rgb16-231 rgb16-231
  rgb16-3103 rgb16-3103  rgb16faketrns rgb16  rgb24jpeg -  rgb24png -  rgb24rle24 -
  rgb24largepal rgb24  rgb24lprof rgb24  rgb32-111110 rgb24~  rgb32-7187 ?  rgb32-xbgr rgb24
  rgb32fakealpha rgb24  rgb32h52 rgb24  rgba16-1924 rgba16-1924  rgba16-4444 rgba16-4444
  rgba16-5551 rgba16-5551  rgba32-1 rgba32  rgba32-2 rgba32  rgba32-1010102 rgba32-1010102
  rgba32-61754 ?  rgba32-81284 ?  rgba32abf rgba32  rgba32h56 rgba32  rgba64 -)";

// Compares colour wherever the render is not fully transparent.
void ExpectMatchesRender(const plat::Bitmap& bmp, std::string render) {
  const int tolerance = render.ends_with('~') ? 1 : 0;
  if (tolerance) render.pop_back();
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_NE(
      png_image_begin_read_from_file(&image, (kDir / "reference" / (render + ".png")).c_str()), 0);
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
  ASSERT_NE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr), 0);
  ASSERT_EQ(bmp.Width(), static_cast<int>(image.width));
  ASSERT_EQ(bmp.Height(), static_cast<int>(image.height));
  int wrong = 0;
  for (std::size_t i = 0; i < bmp.Pixels().size(); ++i) {
    const plat::RgbColor got = bmp.Pixels()[i];
    int worst = 0;
    for (int c = 0; c < 3; ++c)
      worst =
          std::max(worst, std::abs(static_cast<int>(got >> (16 - 8 * c) & 255) - rgba[4 * i + c]));
    wrong += rgba[4 * i + 3] != 0 && worst > tolerance;
  }
  EXPECT_EQ(wrong, 0) << "pixels differing from " << render;
}

void ExpectOutcomes(const char* folder, const char* table) {
  std::istringstream in(table);
  std::size_t cases = 0;
  for (std::string file, render; in >> file >> render; ++cases) {
    SCOPED_TRACE(file);
    const std::string path = (kDir / folder / (file + ".bmp")).string();
    plat::Bitmap bmp;
    if (render == "-") {
      EXPECT_THROW(bmp.LoadFromFile(path), plat::EBitmapLoad);
      continue;
    }
    ASSERT_NO_THROW(bmp.LoadFromFile(path));
    if (render != "?") ExpectMatchesRender(bmp, render);
  }
  EXPECT_EQ(cases,
            static_cast<std::size_t>(std::distance(fs::directory_iterator(kDir / folder), {})));
}

TEST(BmpCorpus, GoodFilesMatchTheirRenders) {
  ExpectOutcomes("good", kGood);
}
TEST(BmpCorpus, QuestionableFilesLoadOrFailAsChosen) {
  ExpectOutcomes("questionable", kQuestionable);
}

TEST(BmpCorpus, BadFilesAreRejectedNamingTheFile) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(kDir / "bad")) {
    const std::string path = entry.path().string();
    plat::Bitmap bmp(3, 3);
    ++files;
    try {
      bmp.LoadFromFile(path);
      ADD_FAILURE() << path << " loaded";
    } catch (const plat::EBitmapLoad& e) {
      const std::string what = e.what();
      EXPECT_TRUE(what.starts_with(path + ": ") && what.size() > path.size() + 2) << what;
    }
    EXPECT_EQ(bmp.Width(), 3) << path << ": a failed load changed the bitmap";
  }
  EXPECT_EQ(files, 20);
}

}  // namespace
