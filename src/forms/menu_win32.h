#pragma once
// Popup menus: items with captions (an "&" marks the accelerator key), separators and enabled
// state. A click on an item, by the user or from code, runs its handler; a disabled item ignores
// clicks from code too.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"

namespace netscry::forms {

class Window;

class MenuItem {
 public:
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;
  ~MenuItem();

  const std::string& Caption() const { return caption_; }
  bool IsSeparator() const { return separator_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // The command identifier the item's menu reports; unique in the process.
  UINT Command() const { return command_; }

  std::function<void()> OnClick;
  // Runs OnClick unless the item is disabled or a separator.
  void Click();

  // Runs the item with this command (a WM_COMMAND from a menu); false when none has it.
  static bool DispatchCommand(UINT command);

 private:
  friend class PopupMenu;
  MenuItem(HMENU menu, std::string caption, bool separator);

  HMENU menu_;
  std::string caption_;
  bool separator_;
  bool enabled_ = true;
  UINT command_ = 0;
};

class PopupMenu {
 public:
  PopupMenu();
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  MenuItem& Add(const std::string& caption, std::function<void()> on_click = nullptr);
  MenuItem& AddSeparator();
  int Count() const { return int(items_.size()); }
  MenuItem& Item(int index) { return *items_.at(std::size_t(index)); }
  HMENU Handle() const { return menu_; }

  // Runs just before the menu opens.
  std::function<void()> OnPopup;
  // Opens the menu at a screen point, owned by owner's window, and runs the chosen item.
  void Popup(Point screen, const Window& owner);

 private:
  HMENU menu_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace netscry::forms
