// Vxerror.h — the engine's exception classes.
//
// Each class derives directly from the toolkit's Exception. Its message is
// the class banner (the component name, " エラー" and two line feeds)
// followed by the detail given to the constructor; details that name a
// resource end in a line feed, a label such as "バッファ名：" and the name.
#pragma once

#include <string>

#include "plat/exception.h"

namespace VexmoraSystem {

// The detail of every operation that needs an initialised component.
inline constexpr const char* kNotInitialised = "まだ初期化されてません。";

#define VX_DECLARE_ERROR(Class, banner)                                                          \
  class Class : public plat::Exception {                                                         \
   public:                                                                                       \
    static constexpr const char* Banner = banner;                                                \
    explicit Class(const std::string& detail) : plat::Exception(std::string(Banner) + detail) {} \
  }

VX_DECLARE_ERROR(EVxAutoPtr, "TVexmoraAutoPtr エラー\n\n");
VX_DECLARE_ERROR(EVxDraw, "TVexmoraDraw(Ex) エラー\n\n");
VX_DECLARE_ERROR(EVxDrawSurface, "TVexmoraDraw(Ex)Surface エラー\n\n");
VX_DECLARE_ERROR(EVx3D, "TVexmora3D エラー\n\n");
VX_DECLARE_ERROR(EVx3DTexture, "TVexmora3DTexture エラー\n\n");
VX_DECLARE_ERROR(EVx3DFile, "TVexmora3DFile エラー\n\n");
VX_DECLARE_ERROR(EVxSound, "TVexmoraSound エラー\n\n");
VX_DECLARE_ERROR(EVxSoundBuffer, "TVexmoraSoundBuffer エラー\n\n");
VX_DECLARE_ERROR(EVxMidi, "TVexmoraMidi エラー\n\n");

#undef VX_DECLARE_ERROR

}  // namespace VexmoraSystem
