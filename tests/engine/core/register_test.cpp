// Palette registration on the page "Vexmora", and components created with a
// form as owner: they find its window and die with it.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Vxregister.h"
#include "plat/app.h"
#include "plat/component.h"

namespace {

struct TProbe : plat::TComponent {
  static inline int live = 0;
  explicit TProbe(plat::TComponent* owner) : TComponent(owner) { ++live; }
  ~TProbe() override { --live; }
};

TEST(Registration, ComponentGoesOnTheVexmoraPageAndIsOwnedByItsForm) {
  VexmoraSystem::RegisterVexmoraComponent<TProbe>("TProbe");
  const auto entries = plat::PaletteEntries();
  auto it = std::find_if(entries.begin(), entries.end(),
                         [](const plat::PaletteEntry& e) { return e.className == "TProbe"; });
  ASSERT_NE(it, entries.end());
  EXPECT_EQ(it->page, "Vexmora");

  plat::Form window(plat::Form::Desc{});
  {
    plat::TWinControl form(window);
    plat::TComponent* a = plat::CreateComponent("TProbe", &form);
    plat::TComponent* b = plat::CreateComponent("TProbe", &form);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Owner(), &form);
    EXPECT_EQ(a->OwnerWindow(), &window);
    EXPECT_EQ(form.ComponentCount(), 2);
    delete b;  // leaves its owner's list
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(TProbe::live, 1);
  }
  EXPECT_EQ(TProbe::live, 0);
  EXPECT_EQ(plat::CreateComponent("TNoSuchClass", nullptr), nullptr);
  plat::TComponent plain;
  EXPECT_EQ(TProbe(&plain).OwnerWindow(), nullptr);  // not a windowed owner
}

}  // namespace
