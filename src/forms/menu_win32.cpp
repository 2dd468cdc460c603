#include "forms/menu_win32.h"

#include <map>

#include "forms/window_win32.h"

namespace netscry::forms {
namespace {

// Command identifiers of menu items, process-wide. They start above the dialog manager's
// identifiers (IDOK, IDCANCEL …) so that those never reach a menu item.
constexpr UINT kFirstCommand = 0x1000;
constexpr UINT kLastCommand = 0xEFFF;

std::map<UINT, MenuItem*>& Commands() {
  static std::map<UINT, MenuItem*> commands;
  return commands;
}

UINT AllocateCommand(MenuItem* item) {
  static UINT next = kFirstCommand;
  auto& commands = Commands();
  for (UINT tries = 0; tries <= kLastCommand - kFirstCommand; ++tries) {
    const UINT id = next;
    next = next == kLastCommand ? kFirstCommand : next + 1;
    if (commands.emplace(id, item).second) return id;
  }
  return 0;
}

}  // namespace

MenuItem::MenuItem(HMENU menu, std::string caption, bool separator)
    : menu_(menu), caption_(std::move(caption)), separator_(separator) {
  if (!separator_) command_ = AllocateCommand(this);
}

MenuItem::~MenuItem() {
  if (command_) Commands().erase(command_);
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (menu_ && command_) EnableMenuItem(menu_, command_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MenuItem::Click() {
  if (separator_ || !enabled_) return;
  if (OnClick) OnClick();
}

bool MenuItem::DispatchCommand(UINT command) {
  auto& commands = Commands();
  auto it = commands.find(command);
  if (it == commands.end()) return false;
  it->second->Click();
  return true;
}

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {}

PopupMenu::~PopupMenu() {
  items_.clear();
  if (menu_) DestroyMenu(menu_);
}

MenuItem& PopupMenu::Add(const std::string& caption, std::function<void()> on_click) {
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(menu_, caption, false)));
  MenuItem& item = *items_.back();
  item.OnClick = std::move(on_click);
  if (menu_) AppendMenuA(menu_, MF_STRING, item.Command(), caption.c_str());
  return item;
}

MenuItem& PopupMenu::AddSeparator() {
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(menu_, "-", true)));
  if (menu_) AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
  return *items_.back();
}

void PopupMenu::Popup(Point screen, const Window& owner) {
  if (OnPopup) OnPopup();
  if (!menu_ || !owner.Handle()) return;
  // The menu's message loop needs the owner in the foreground to close on a click elsewhere.
  SetForegroundWindow(owner.Handle());
  const UINT chosen = UINT(TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                          screen.x, screen.y, 0, owner.Handle(), nullptr));
  PostMessageA(owner.Handle(), WM_NULL, 0, 0);
  if (chosen) MenuItem::DispatchCommand(chosen);
}

}  // namespace netscry::forms
