#pragma once
// TskSkinForm: the skinned frame on a real form. It installs itself as the form's message filter
// (so it sees every message before the form's own procedure), removes the caption and border
// icons the platform would draw, and turns non-client messages into calls on the portable frame
// engine (TskSkinFrame), carrying out what the engine asks through SkinFrameHost: repaint an
// object, timers, capture, bounds, closing. The frame is composed off-screen into four strips,
// kept as DIB sections while nothing that shows in them changes, and copied to the window with
// four block transfers around the client area.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap32.h"
#include "base/dib_win32.h"
#include "forms/controls_win32.h"
#include "forms/menu_win32.h"
#include "forms/window_win32.h"
#include "skin/frame/skin_frame.h"
#include "skin/skin_data.h"

namespace netscry {

class TskSkinForm : public forms::MessageFilter, public SkinFrameHost {
 public:
  // Window timer identifiers on the form's window (high enough not to meet the form's own).
  static constexpr UINT_PTR kHoverTimerId = 0x5E01, kMorphTimerId = 0x5E02, kAnimationTimerId = 0x5E03;
  static constexpr UINT kHoverInterval = 50, kMorphInterval = 20, kAnimationInterval = 25;

  explicit TskSkinForm(forms::Form& form);
  ~TskSkinForm() override;
  TskSkinForm(const TskSkinForm&) = delete;
  TskSkinForm& operator=(const TskSkinForm&) = delete;

  // The engine with the published settings (Sizeable, BorderIcons, MinWidth, ShowIcon, ...).
  TskSkinFrame& Frame() { return frame_; }
  const TskSkinFrame& Frame() const { return frame_; }

  // Takes over the form's window (made already): the caption style and the platform's border
  // icons go, the platform's own frame rendering is switched off where desktop composition
  // would draw it, and the window is resized so that its client area keeps its size inside
  // the new frame. Does nothing when the form has no window or is taken over already.
  void Attach();
  // Gives the window back to the form's own procedure (the styles stay as they are).
  void Detach();
  bool Attached() const { return attached_; }

  // The skin of the frame; assigning it applies it at once (ApplySkin). The skin data's
  // notifications (WM_SKINCHANGING, WM_SKINCHANGED) then reach this component's window.
  void SetSkinData(TskSkinData* data);
  TskSkinData* SkinData() const { return skin_data_; }
  // The menu the system menu button and a right click on the caption open (may be empty: then
  // nothing opens). UseDefaultSysMenu is not supported: the program's windows turn it off.
  forms::PopupMenu* SystemMenu = nullptr;
  std::function<bool(const std::string& id_name)> OnActivateCustomObject;

  // A notification of the skin data (WM_SKINCHANGING, WM_SKINCHANGED, ...), delivered to the
  // window as that message, or straight to the engine while there is no window.
  void HandleSkinNotification(std::uint32_t message, std::int32_t param);
  // Applies the skin data to the frame: objects, minimum size, geometry, shape, repaint.
  void ApplySkin();
  // Sets the width one pixel away and back, so the platform sends the size and non-client
  // messages again.
  void ForceRelayout();
  // Composes (when anything that shows changed) and copies the frame onto the window.
  void RepaintFrame();

  // --- what tests and tools read ---
  bool TimerRunning(FrameTimer timer) const { return timers_[std::size_t(timer)]; }
  // How many times the strips were composed anew (the cache's misses).
  int Compositions() const { return compositions_; }
  // The current window region as rectangles, as last set (nullopt: none).
  const std::optional<std::vector<Rect>>& AppliedShape() const { return applied_shape_; }

  // --- SkinFrameHost ---
  bool IsFormActive() override;
  std::string CaptionText() override;
  const Bitmap32* SmallIcon(std::optional<Color>* transparent) override;
  Size SmallIconSize() override;
  Size CaptionButtonSize() override;
  void RepaintObject(int index) override;
  void SetTimer(FrameTimer timer, bool running) override;
  void SetCapture(bool captured) override;
  void CloseForm() override;
  void MinimizeApplication() override;
  void MinimizeToTray() override;
  bool OpenSystemMenu(Point at) override;
  bool ActivateCustomObject(const std::string& id_name) override;
  bool IsMainForm() override;
  Rect WindowBounds() override;
  void SetWindowBounds(const Rect& bounds) override;
  MonitorInfo Monitor() override;
  std::vector<Rect> ParkedForms() override;
  void Relayout() override;
  PlainFrameColors PlainColors() override;
  void ObjectEvent(FrameObjectEvent event, const std::string& id_name, const Rect& object_rect) override;

  // --- MessageFilter ---
  bool FilterMessage(forms::Window& window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  // What the composed strips show: they are composed anew only when this changes.
  struct FrameKey {
    int width = 0, height = 0;
    bool skin = false, active = false;
    int state = 0;
    std::string caption;
    HICON icon = nullptr;
    std::vector<int> objects;
    friend bool operator==(const FrameKey&, const FrameKey&) = default;
  };
  FrameKey CurrentKey();
  // Composes the strips into the cached DIB sections; false when nothing is to be drawn.
  bool Compose();
  // Draws the cached strips onto a window DC, the client area excluded.
  void PaintFrame(HDC window_dc);
  Rect ClientInWindow() const;
  Point WindowPointFromScreen(LPARAM lp) const;
  Point WindowPointFromClient(LPARAM lp) const;
  Size WindowSize() const;
  // Sets the window region from the engine's shape (only when it changed).
  void ApplyShape();
  // Notes a new window size; lays out, reshapes and repaints when it changed.
  void SizeChanged(int width, int height);
  void OnTimer(UINT_PTR id);
  void NcButton(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // The frame's message handlers: the result of a message the frame handles. Those that pass the
  // message to the form's own procedure first return its result, and do the rest only while the
  // window still exists. A nullopt leaves the message to the form.
  LRESULT OnNcCalcSize(WPARAM wp, LPARAM lp);
  LRESULT OnNcPaint();
  LRESULT OnPrint(WPARAM wp, LPARAM lp);
  LRESULT OnNcActivate(WPARAM wp);
  LRESULT OnActivate(WPARAM wp, LPARAM lp);
  LRESULT OnGetMinMaxInfo(WPARAM wp, LPARAM lp);
  LRESULT OnSize(WPARAM wp, LPARAM lp);
  LRESULT OnSizing(WPARAM wp, LPARAM lp);
  LRESULT OnEnterSizeMove(WPARAM wp, LPARAM lp);
  LRESULT OnExitSizeMove(WPARAM wp, LPARAM lp);
  LRESULT OnSetText(WPARAM wp, LPARAM lp);
  LRESULT OnEraseBackground(WPARAM wp);
  LRESULT OnShowWindow(WPARAM wp, LPARAM lp);
  std::optional<LRESULT> OnSysCommand(WPARAM wp);
  LRESULT OnNcMouseMove(WPARAM wp, LPARAM lp);
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp);
  LRESULT OnMoving(LPARAM lp);
  std::optional<LRESULT> OnTimerMessage(WPARAM wp);
  void OnDestroy();    // then the form's handling as well
  void OnNcDestroy();  // then the form's handling as well
  LRESULT OnSkinChanging();
  LRESULT OnSkinChanged();
  LRESULT OnSkinStringsChanged();
  LRESULT OnReapply();
  HWND Hwnd() const { return form_.Handle(); }
  void DisableDwmFrame();

  forms::Form& form_;
  TskSkinFrame frame_{*this};
  TskSkinData* skin_data_ = nullptr;
  bool attached_ = false;
  bool nc_active_ = false;
  bool size_move_started_ = false;  // a move or size loop began inside the current press
  bool full_drag_ = false;
  bool reapply_pending_ = false;  // a skin change began and nothing was applied since
  std::array<bool, 3> timers_{};
  // The composed strips (top, bottom, left, right) with their window positions.
  std::array<std::unique_ptr<Dib32>, 4> strips_;
  std::array<Point, 4> strip_at_{};
  bool strips_valid_ = false;
  FrameKey key_;
  int compositions_ = 0;
  std::optional<std::vector<Rect>> applied_shape_;
  // The window icon at the small-icon size on a key colour, remade when the icon changes.
  HICON icon_handle_ = nullptr;
  Bitmap32 icon_;
};

// How a window's skinned frame behaves. Both windows show the icon, use no default hints and
// open `system_menu` (which may be empty) from the caption.
struct CarriedFrameSettings {
  bool sizeable = true;
  TskBorderIcons border_icons = biSystemMenu;
  int min_width = 0, min_height = 0;  // 0: none of the window's own
  forms::PopupMenu* system_menu = nullptr;
};

// Dresses the form's window in the skin package carried in the program's RCDATA resource
// `resource`, known by `file_name`, and takes the window over with the frame `settings`.
// Without a loadable skin the frame is the plain one. The three components are the form's own.
void AttachCarriedSkin(TskSkinForm& form, TskCompressedStoredSkin& stored, TskSkinData& data, const char* resource,
                       const char* file_name, const CarriedFrameSettings& settings);

}  // namespace netscry
