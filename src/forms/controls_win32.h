#pragma once
// The components both windows are declared with, each a small object over a plain Win32 control
// (or a window class of ours where there is no such control): containers that lay out aligned
// children, the form, a panel with a bevel, a self-sizing label, a check box, push buttons and a
// read-only edit. Each is made from one parameter struct.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/color.h"
#include "base/geometry.h"
#include "forms/colors.h"
#include "forms/gdi_objects_win32.h"
#include "forms/layout.h"
#include "forms/window_win32.h"

namespace netscry::forms {

// The form's and the panels' common part: a background colour, a font the children take unless
// they name their own, and children aligned to an edge or to the client area.
class Container : public Window {
 public:
  Color BackgroundColor() const { return color_; }
  void SetBackgroundColor(Color color);
  const FontDesc& Font() const { return font_; }
  // The rectangle aligned children share (the client area less a panel's bevel).
  virtual Rect AlignArea() const { return ClientRect(); }
  // Children are aligned in the order they are added (see AlignBoxes). A child window that is
  // not one of ours can be aligned by its handle.
  void AddAligned(const Window& child, TAlign align) { AddAligned(child.Handle(), align); }
  void AddAligned(HWND child, TAlign align);
  void Realign();
  // The container of a window of ours, or null.
  static Container* ParentOf(const Window& child);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void PaintBackground(HDC dc);

  Color color_ = clBtnFace;
  FontDesc font_;
  SolidBrush brush_;

 private:
  struct Aligned {
    HWND window;
    TAlign align;
  };
  std::vector<Aligned> aligned_;
};

// What closing a form does once its close query said yes.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

struct FormParams {
  std::string caption;
  Size client_size;
  bool center_on_desktop = true;  // else centred on the owner
  bool stay_on_top = false;
  bool sizeable = true;
  bool system_menu = true, minimize_box = true, maximize_box = true;
  Color color = clBtnFace;
  FontDesc font{{"Arial", 11}, ANSI_CHARSET};
  HWND owner = nullptr;
  HICON icon = nullptr;
};

class Form : public Container {
 public:
  Form() = default;
  ~Form() override;

  // Makes the (hidden) window: the client area of the given size, centred as asked.
  HWND CreateForm(const FormParams& params);

  // Before closing: may veto (CanClose arrives true).
  std::function<void(bool& CanClose)> OnCloseQuery;
  // On closing: may change the action (arrives as caHide; the main form's closing ends the program).
  std::function<void(TCloseAction& Action)> OnClose;

  void Show(int show_command = SW_SHOWNORMAL);
  // Asks OnCloseQuery and OnClose and acts; a modal form ends its modal loop instead.
  void Close();
  bool CloseQuery();

  // Shows the form modally: its owner is disabled, a nested message loop runs until the modal
  // result is set (Close sets 2) or the form is destroyed, then the owner is enabled again before
  // the form is hidden or, with caFree, destroyed. Returns the modal result.
  int ShowModal();
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  bool IsModal() const { return modal_; }

  // The object deletes itself once its window is gone (a dialog that frees itself on close).
  void SetDeleteWhenDestroyed(bool on) { delete_when_destroyed_ = on; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnHandleDestroyed() override;

 private:
  void DoClose(TCloseAction action);
  int modal_result_ = 0;
  bool modal_ = false;
  bool delete_when_destroyed_ = false;
};

enum class TBevel { bvNone, bvRaised, bvLowered };

struct PanelParams {
  Rect bounds;
  Color color = clBtnFace;
  TBevel bevel_outer = TBevel::bvRaised;
  int bevel_width = 1;
};

class Panel : public Container {
 public:
  HWND Create(Container& parent, const PanelParams& params);
  Rect AlignArea() const override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint();
  TBevel bevel_outer_ = TBevel::bvRaised;
  int bevel_width_ = 1;
};

struct LabelParams {
  std::string caption;
  Rect bounds;
  FontAttrs font{"Arial", 11};
  int charset = ANSI_CHARSET;
  Color color = clWindowText;          // text colour
  TTextAlign alignment = TTextAlign::taLeftJustify;
  bool center_vertically = false;      // the text in the middle of the label's height
  bool auto_size = true;
  bool enabled = true;                 // a disabled label draws its text greyed
  bool link = false;                   // reports clicks (OnClick) and shows the hand cursor
};

class Label : public Window {
 public:
  HWND Create(Container& parent, const LabelParams& params);
  // Changes the text and, for a self-sizing label, the size.
  void SetCaption(const std::string& text);
  std::string Caption() const { return Text(); }
  Color FontColor() const { return color_; }
  HFONT FontHandle() const { return font_ ? font_->Handle() : nullptr; }
  // The text's extent in the label's font.
  Size TextExtent() const;
  void SetFontColor(Color color);
  // A click on a link label.
  std::function<void()> OnClick;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void AutoSize();
  bool link_ = false;
  std::shared_ptr<SharedFont> font_;
  Color color_ = clWindowText;
  TTextAlign alignment_ = TTextAlign::taLeftJustify;
  bool auto_size_ = true;
  SolidBrush brush_;
};

struct CheckBoxParams {
  std::string caption;
  Rect bounds;
  int tag = 0;
  bool checked = false;
  FontAttrs font{"Arial", 11};
  int charset = ANSI_CHARSET;
  Color font_color = clWindowText;
  // The box's own background; unset: the parent's.
  bool own_color = false;
  Color color = clBtnFace;
};

class CheckBox : public Window {
 public:
  HWND Create(Container& parent, const CheckBoxParams& params);
  int Tag() const { return tag_; }
  bool Checked() const;
  // Changing the state from code runs OnClick, as a click by the user does.
  void SetChecked(bool checked);
  std::function<void()> OnClick;

 protected:
  bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void Clicked();
  std::shared_ptr<SharedFont> font_;
  int tag_ = 0;
  Color font_color_ = clWindowText;
  bool own_color_ = false;
  Color color_ = clBtnFace;
  SolidBrush brush_;
};

// What the windows need of any push button: a click event that code can raise too. The plain
// push button below and the hot-track buttons derive from it.
class ButtonBase : public Window {
 public:
  std::function<void()> OnClick;
  // The same as the user's click; runs even while the button is disabled.
  void Click() {
    if (OnClick) OnClick();
  }
  int Tag = 0;
};

struct ButtonParams {
  std::string caption;
  Rect bounds;
  FontAttrs font{"Arial", 11};
  int charset = ANSI_CHARSET;
};

// The system's push button.
class PushButton : public ButtonBase {
 public:
  HWND Create(Container& parent, const ButtonParams& params);

 protected:
  bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  std::shared_ptr<SharedFont> font_;
};

struct EditParams {
  std::string text;
  Rect bounds;
  Color color = clWindow;
  FontAttrs font{"Arial", 11};
  int charset = ANSI_CHARSET;
  bool flat_border = true;
};

// A single-line edit that shows text the user can select and copy but not change.
class ReadOnlyEdit : public Window {
 public:
  HWND Create(Container& parent, const EditParams& params);

 protected:
  bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  std::shared_ptr<SharedFont> font_;
  Color color_ = clWindow;
  SolidBrush brush_;
};

// Orders sibling windows for the Tab key: the first gets the focus first.
void SetTabOrder(std::initializer_list<const Window*> windows);

}  // namespace netscry::forms
