// component.h — toolkit components: ownership by a form and the palette.
//
// A TComponent may have an owner; the owner destroys the components it owns
// (the most recently added first) when it is destroyed, and a component
// destroyed first leaves its owner's list. A TWinControl is a component that
// is a window (a form); components placed on it find that window through
// OwnerWindow(). A component with an owner must be made with new, because
// the owner deletes it. Not thread-safe: components live on the application's
// thread.
//
// The palette records which component classes each unit registered and on
// which page, with a factory that creates one with a given owner.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Form;

class TComponent {
 public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const {
    return components_.at(static_cast<std::size_t>(index));
  }
  // The window of this component when it is a windowed control, else null.
  virtual Form* WindowHandle() const { return nullptr; }
  // The owner's window when the owner is a windowed control, else null.
  Form* OwnerWindow() const { return owner_ ? owner_->WindowHandle() : nullptr; }

 private:
  TComponent* owner_;
  std::vector<TComponent*> components_;  // owned
};

// A form as a component: the owner of the components placed on it.
class TWinControl : public TComponent {
 public:
  explicit TWinControl(Form& window, TComponent* owner = nullptr)
      : TComponent(owner), window_(&window) {}
  Form* WindowHandle() const override { return window_; }

 private:
  Form* window_;
};

// The component palette.
using ComponentFactory = std::function<TComponent*(TComponent* owner)>;
struct PaletteEntry {
  std::string page;
  std::string className;
  ComponentFactory create;
};
// Adds (or, for a class already registered, replaces) a palette entry.
void RegisterComponents(std::string_view page, std::string_view className, ComponentFactory create);
std::vector<PaletteEntry> PaletteEntries();
// Creates a registered class with `owner`; null for an unknown class name.
TComponent* CreateComponent(std::string_view className, TComponent* owner);

}  // namespace plat
