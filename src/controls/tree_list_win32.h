#pragma once
// The list control as a Win32 child window of the window layer: messages in, painting, scroll
// bars, timers, popup menus and tooltips out. Everything it decides comes from the portable
// TStringTreeList. The window may go before the object (destroyed with its parent): the object
// then lets go of it and of everything made for it, and touches none of them again.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>

#include "base/gdi_canvas_win32.h"
#include "controls/tree_list.h"
#include "forms/window_win32.h"

namespace netscry {

// The state images from a platform image list.
class ImageListStateImages : public StateImageSource {
 public:
  explicit ImageListStateImages(HIMAGELIST list) : list_(list) {}
  int Count() const override;
  Size ImageSize() const override;
  void Draw(Canvas& canvas, int index, int x, int y) const override;

 private:
  HIMAGELIST list_;
};

class TreeListWindow : public forms::Window, public TreeListHost {
 public:
  static constexpr const char* kClassName = "NetscryTreeList";
  static constexpr UINT_PTR kSearchTimer = 1;
  static constexpr UINT_PTR kHotTimer = 2;
  static constexpr UINT_PTR kAutoFitTimer = 3;
  static constexpr UINT kUpdateScrollMessage = WM_APP + 0x4C1;

  TreeListWindow();
  ~TreeListWindow() override;
  TreeListWindow(const TreeListWindow&) = delete;
  TreeListWindow& operator=(const TreeListWindow&) = delete;

  // Creates the child window (plain 1-pixel border, scroll bars as needed).
  HWND Create(HWND parent, int id, const Rect& bounds);
  TStringTreeList& List() { return list_; }

  // Paints header and rows as on screen into dc (client coordinates).
  void PaintTo(HDC dc, const RECT& update);
  // The tooltip window while one is shown, else null.
  HWND TooltipWindow() const;
  // Whether the header is drawn with the platform's visual theme (else flat).
  bool HeaderThemed() const { return theme_ != nullptr; }
  // toThemeAware: use the platform's theme when one is active (on by default).
  void SetThemeAware(bool on);
  // How many off-screen paint surfaces the window has made so far (they are kept between paints).
  int PaintSurfacesMade() const { return paint_surfaces_made_; }

  // TreeListHost
  void InvalidateRows() override;
  void InvalidateHeader() override;
  void ScrollChanged() override;
  void TakeFocus() override;
  void Beep() override;
  void ShowPopup(TPopupMenu menu, Point client_point) override;
  Size CellTextExtent(std::string_view ansi_text) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnHandleDestroyed() override;

 private:
  class TipWindow;
  // The rows' area: the client area below the header, never negative.
  Size RowsClientSize() const;
  void OnSize();
  void OnScroll(int bar, int code);
  void UpdateScrollBars();
  void OpenTheme();
  void OnMouseButton(TMouseButton button, bool down, bool dbl, LPARAM lp);
  void OnMouseMove(LPARAM lp);
  void OnHover(LPARAM lp);
  // The message handlers; a nullopt leaves the message to the default handling.
  LRESULT OnPaintMessage(UINT msg, WPARAM wp);
  void OnUpdateScrollMessage();
  void OnSetFocus();
  void OnKillFocus();
  void OnThemeChanged();
  void OnSysColorChange();
  LRESULT OnGetDlgCode(LPARAM lp);
  void OnMouseLeave();
  void OnCaptureChanged(LPARAM lp);
  std::optional<LRESULT> OnSetCursor(LPARAM lp);
  void OnMouseWheel(WPARAM wp);
  std::optional<LRESULT> OnKeyDown(WPARAM wp);
  void OnContextMenu(LPARAM lp);
  std::optional<LRESULT> OnChar(WPARAM wp);
  void OnTimer(WPARAM id);
  void OnDestroy();
  void HideTip();
  void UpdateTimers();
  void ReadSystemColors();
  static TShiftState CurrentShift();
  // An off-screen surface and the canvas over it, kept from paint to paint (with the canvas's
  // fonts and brushes) while the window keeps its width.
  struct PaintSurface;
  PaintSurface& Surface(std::unique_ptr<PaintSurface>& surface, int width, int height);
  void ReleasePaintSurfaces();

  TStringTreeList list_;
  std::unique_ptr<TipWindow> tip_;
  bool tip_visible_ = false;
  TreeTooltip tip_info_;
  RECT tip_rows_rect_{};
  HDC measure_dc_ = nullptr;
  std::unique_ptr<GdiCanvas> measure_canvas_;
  std::unique_ptr<PaintSurface> header_surface_;
  std::unique_ptr<PaintSurface> strip_surface_;
  int paint_surfaces_made_ = 0;
  std::unique_ptr<HeaderTheme> theme_;
  bool theme_aware_ = true;  // while the platform's visual theme is active
  bool updating_scroll_ = false;
  bool scroll_pending_ = false;
  bool rows_invalid_ = false;
  bool header_capture_ = false;
  bool tracking_hover_ = false;
  unsigned char pending_lead_ = 0;
};

}  // namespace netscry
