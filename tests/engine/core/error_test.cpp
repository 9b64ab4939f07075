// Engine exception messages: class banner, blank line, detail; every class
// is the toolkit's Exception (and so a std::exception with the same text).
#include <gtest/gtest.h>

#include <string>

#include "core/Vxerror.h"

namespace {

using namespace VexmoraSystem;

template <class E>
void ExpectMessage(const std::string& component) {
  const std::string detail = "バッファが存在しません。\nバッファ名：01";
  try {
    throw E(detail);
  } catch (const plat::Exception& e) {
    EXPECT_EQ(e.Message(), component + " エラー\n\n" + detail);
    EXPECT_EQ(std::string(static_cast<const std::exception&>(e).what()), e.Message());
    EXPECT_NE(dynamic_cast<const E*>(&e), nullptr);
  }
}

TEST(EngineErrors, MessageIsBannerThenDetail) {
  ExpectMessage<EVxAutoPtr>("TVexmoraAutoPtr");
  ExpectMessage<EVxDraw>("TVexmoraDraw(Ex)");
  ExpectMessage<EVxDrawSurface>("TVexmoraDraw(Ex)Surface");
  ExpectMessage<EVx3D>("TVexmora3D");
  ExpectMessage<EVx3DTexture>("TVexmora3DTexture");
  ExpectMessage<EVx3DFile>("TVexmora3DFile");
  ExpectMessage<EVxSound>("TVexmoraSound");
  ExpectMessage<EVxSoundBuffer>("TVexmoraSoundBuffer");
  ExpectMessage<EVxMidi>("TVexmoraMidi");
}

}  // namespace
