// component.cpp — component ownership and the component palette.
//
// An owner destroys its components newest first, so a component never sees
// an owned component that was made after it disappear before it does.
#include "plat/component.h"

#include <algorithm>

namespace plat {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    c->owner_ = nullptr;  // it must not search our list while we clear it
    components_.pop_back();
    delete c;
  }
  if (owner_) {
    auto& list = owner_->components_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

namespace {

std::vector<PaletteEntry>& Palette() {
  static std::vector<PaletteEntry> entries;
  return entries;
}

}  // namespace

void RegisterComponents(std::string_view page, std::string_view className,
                        ComponentFactory create) {
  auto& entries = Palette();
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const PaletteEntry& e) { return e.className == className; });
  PaletteEntry entry{std::string(page), std::string(className), std::move(create)};
  if (it != entries.end()) {
    *it = std::move(entry);
  } else {
    entries.push_back(std::move(entry));
  }
}

std::vector<PaletteEntry> PaletteEntries() {
  return Palette();
}

TComponent* CreateComponent(std::string_view className, TComponent* owner) {
  for (const PaletteEntry& e : Palette()) {
    if (e.className == className && e.create) return e.create(owner);
  }
  return nullptr;
}

}  // namespace plat
