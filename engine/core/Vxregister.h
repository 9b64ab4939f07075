// Vxregister.h — putting engine components on the toolkit's palette page
// "Vexmora". Each component unit's Register() calls RegisterVexmoraComponent
// with its class; the palette can then create it with a form as owner.
#pragma once

#include <string_view>

#include "plat/component.h"

namespace VexmoraSystem {

inline constexpr const char* kVexmoraPalettePage = "Vexmora";

// C must be constructible from its owner (a plat::TComponent*).
template <class C>
void RegisterVexmoraComponent(std::string_view className) {
  plat::RegisterComponents(
      kVexmoraPalettePage, className,
      [](plat::TComponent* owner) -> plat::TComponent* { return new C(owner); });
}

}  // namespace VexmoraSystem
