#pragma once
// The portable core of the skinned window frame: everything TskSkinForm decides without a
// window. The window glue feeds it sizes, points and mouse events from window messages and
// carries out what it asks for through SkinFrameHost (repaint an object, timers, bounds, close).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/canvas.h"
#include "skin/frame/frame_geometry.h"
#include "skin/frame/frame_objects.h"
#include "skin/frame/frame_strips.h"
#include "skin/frame/frame_types.h"
#include "skin/skin_data.h"

namespace netscry {

enum class FrameTimer { Hover, Morph, Animation };

// One item of the engine's own system menu.
struct SysMenuItem {
  std::string name;     // "DSF_MINITEM", ...
  std::string caption;  // ANSI text with its "&" accelerator
  std::string shortcut; // "Alt+F4" for the close item, else empty
  SkinCommand command;  // what choosing it does (Default: restore or roll down, see below)
};

// What the frame needs from its window. Every member is an action or a fact only the window
// has; none has a default, so a window that forgets one does not compile.
class SkinFrameHost {
 public:
  virtual ~SkinFrameHost() = default;
  virtual bool IsFormActive() = 0;
  virtual std::string CaptionText() = 0;
  // The window icon at the small-icon size, or nullptr. Pixels equal to *transparent (when set)
  // are not drawn.
  virtual const Bitmap32* SmallIcon(std::optional<Color>* transparent) = 0;
  // The platform's small-icon size and caption-button size (used when the former is 0).
  virtual Size SmallIconSize() = 0;
  virtual Size CaptionButtonSize() = 0;
  // Draw frame object index directly onto the window's frame (TskSkinFrame::DrawObject).
  virtual void RepaintObject(int index) = 0;
  virtual void SetTimer(FrameTimer timer, bool running) = 0;
  virtual void SetCapture(bool captured) = 0;
  // The form's close path (including its close query).
  virtual void CloseForm() = 0;
  virtual void MinimizeApplication() = 0;
  virtual void MinimizeToTray() = 0;
  // Opens the system menu at a point in window coordinates; false when it has no items.
  virtual bool OpenSystemMenu(Point at) = 0;
  // OnActivateCustomObject: may a caption button with command none be shown?
  virtual bool ActivateCustomObject(const std::string& id_name) = 0;
  virtual bool IsMainForm() = 0;
  virtual Rect WindowBounds() = 0;
  virtual void SetWindowBounds(const Rect& bounds) = 0;
  virtual MonitorInfo Monitor() = 0;
  // Bounds of the other minimised skinned forms parked on the same monitor.
  virtual std::vector<Rect> ParkedForms() = 0;
  // Invalidate the form and recompute the frame at the same size (ForceRelayout).
  virtual void Relayout() = 0;
  virtual PlainFrameColors PlainColors() = 0;
  // The owner's object events, with the object's IDName and ObjectRect.
  virtual void ObjectEvent(FrameObjectEvent event, const std::string& id_name, const Rect& object_rect) = 0;
};

class TskSkinFrame {
 public:
  explicit TskSkinFrame(SkinFrameHost& host) : host_(host) {}
  TskSkinFrame(const TskSkinFrame&) = delete;
  TskSkinFrame& operator=(const TskSkinFrame&) = delete;

  // Published settings (the defaults of a new component).
  bool SupportNCArea = true;
  bool Sizeable = true;
  TskBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  bool MaximizeOnFullScreen = false;
  bool ShowIcon = false;
  bool HideCaptionButtons = false;
  bool AlwaysMinimizeToTray = false;
  bool ShowObjectHint = false, UseDefaultObjectHint = true;
  bool IsMDIChild = false;
  bool Magnetic = false;         // snap to the work-area edges while moving
  int MagneticSize = 10;
  bool HasBorderStyle = true;    // the form has a border (a shape applies only then)
  int PlainCaptionHeight = 19;   // caption band of the plain frame (15 for tool windows)
  // The plain frame's caption font (its colour: button text, or button shadow when inactive).
  FontAttrs DefCaptionFont{"MS Sans Serif", 11, true};

  // Run-time state.
  TskFrameState FrameState = TskFrameState::Normal;
  bool RolledUp = false;
  Rect SavedBounds;
  bool InSizeMove = false;
  std::vector<std::unique_ptr<TskActiveSkinObject>> FrameObjects;
  // The plain frame's own caption buttons (system menu, close, maximise, minimise, roll up,
  // tray), in use while no skin is applied.
  std::vector<std::unique_ptr<TskActiveSkinObject>> PlainObjects;
  int HoverIndex = -1, PressedIndex = -1;  // indexes into LiveObjects()

  // --- skin ---
  // Stores the skin and applies it (ApplySkin).
  void SetSkinData(const TskSkinData* data);
  const TskSkinData* SkinData() const { return skin_; }
  bool SkinActive() const { return skin_ != nullptr && !skin_->Empty; }
  // Creates the frame objects from the skin and sets their flags; lays out for the current size.
  void ApplySkin();
  // WM_SKINCHANGING: drop the objects and the active skin until the next ApplySkin.
  void SkinChanging();
  // The size the window must take when the skin is applied (at least the minimum).
  Size SizeForSkin(Size current) const;

  // --- size and geometry ---
  // Notes the window size; with a skin and at least the minimum size: geometry, layout and the
  // window shape (Shape()). True when the frame was laid out anew.
  bool SetSize(int width, int height);
  // The window shape from the last layout: rectangles whose union is the window region, or
  // nullopt for no region.
  const std::optional<std::vector<Rect>>& Shape() const { return shape_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void ComputeGeometry();
  const FrameGeometry& Geometry() const { return geometry_; }
  void LayoutObjects();
  int MinTrackWidth() const;
  int MinTrackHeight() const;
  int MaxTrackWidth(const MonitorInfo& m) const;
  int MaxTrackHeight(const MonitorInfo& m) const;
  // The window insets of the client area: left, top, right, bottom (WM_NCCALCSIZE).
  Rect ClientInsets() const;
  // WM_NCCALCSIZE: the proposed window rectangle shrunk by the insets; right and bottom never
  // fall below left and top.
  Rect ClientFromWindow(const Rect& proposed) const;
  // WM_MOVING: a maximised window stays where it is; with Magnetic every edge within
  // MagneticSize of the matching work-area edge snaps to it.
  Rect Moving(const Rect& proposed, const Rect& current, const Rect& work_area) const;
  // ForceRelayout's first step: one pixel wider when the width is at most the minimum, else
  // one narrower (the glue then sets the width back).
  int ForceRelayoutWidth(int current_width) const;

  // --- hit testing, shape, composition ---
  int HitTest(Point p) const;
  // WM_NCHITTEST: HitTest, and over a frame object with hover tracking off, hover it and start
  // the hover timer.
  int NcHitTest(Point p);
  // Rebuilds the mask strips and returns the window shape as rectangles; nullopt when the
  // window has no shape (no skin, no mask or no border).
  std::optional<std::vector<Rect>> UpdateShape();
  const FrameStrips& MaskStrips() const { return mask_strips_; }
  // Makes a canvas that draws into a strip; the glue gives one that can draw real text.
  using CanvasFactory = std::function<std::unique_ptr<Canvas>(Bitmap32&)>;
  // Composes the four strips with the objects drawn in; false when nothing is to be drawn
  // (no skin, or smaller than the minimum size).
  bool ComposeFrame(FrameStrips& out, const CanvasFactory& make_canvas);
  // The plain frame of a window without a skin, in the same four strips (caption band 19 high,
  // borders 3 wide). False when the window is too small for it.
  bool ComposePlainFrame(FrameStrips& out, const CanvasFactory& make_canvas);
  // Draws one object of LiveObjects() onto a canvas over the whole window frame (direct repaint).
  void DrawObject(int index, Canvas& window_canvas);
  // WM_ERASEBKGND: the client area (client_size, client coordinates) tiled with the skin's
  // background picture, or with the client part of the frame picture, or filled with face.
  void PaintClientBackground(Canvas& canvas, Size client_size, Color face) const;

  // --- objects and mouse ---
  bool IsFormActive() const { return host_.IsFormActive(); }
  SkinFrameHost& Host() const { return host_; }
  // The caption object that shows the form's caption text, or nullptr.
  TskSkinCaptionObject* CaptionObject() const { return caption_; }
  // The frame objects with a skin, the plain caption buttons without.
  std::vector<std::unique_ptr<TskActiveSkinObject>>& LiveObjects() { return SkinActive() ? FrameObjects : PlainObjects; }
  const std::vector<std::unique_ptr<TskActiveSkinObject>>& LiveObjects() const {
    return SkinActive() ? FrameObjects : PlainObjects;
  }
  int IndexOf(const TskActiveSkinObject& object) const;
  bool ShownInRollState(const TskActiveSkinObject& object) const;
  // Is p inside a caption object shown in the current roll state?
  bool InCaptionObject(Point p) const;
  void UpdateHover(Point p);
  void ClearHover();
  // Every object other than captions back to normal (activation, start of a move or size loop).
  void ResetObjects();
  void NcMouseMove(Point p);
  void NcButtonDown(Point p, TskMouseButton button, int hit_code);
  void ButtonUp(Point p, TskMouseButton button);
  void NcDblClick(Point p, TskMouseButton button, int hit_code);
  // WM_NCACTIVATE and WM_ACTIVATE: captions with a hot image repaint (cross-fading); on
  // WM_ACTIVATE (reset) the hover is cleared and every other object returns to normal first.
  void ActivationChanged(bool reset);
  void EnterSizeMove();
  void ExitSizeMove();
  // One 20 ms tick: moves every cross-fading object one step and repaints it; false (and the
  // timer stopped) when nothing moved.
  bool MorphTimerTick();
  // One 50 ms hover tick with the cursor in window coordinates.
  void HoverTimerTick(Point cursor);
  // A repaint request from an object; a cross-fading one starts the morph timer instead.
  void RequestRepaint(TskActiveSkinObject& object);

  // --- texts ---
  // With UseDefaultObjectHint, every caption button's hint becomes the engine's text for its
  // command ("关闭", ...) or the replacement text of strings when it has one.
  void ApplyDefaultHints(const TskResourceStrData* strings);
  // The engine's own system menu items that apply now, top to bottom, with the place of the
  // form's own items before the last (close) item. "DSF_RESTORE" carries command Default: it
  // rolls down when rolled up, else restores.
  std::vector<SysMenuItem> DefaultSystemMenuItems(const TskResourceStrData* strings) const;

  // --- commands and state ---
  void RunCommand(SkinCommand command);
  void SetFrameState(TskFrameState state);
  void SetRolledUp(bool rolled_up);

 private:
  void CreatePlainObjects();
  void LayoutPlainObjects();
  Rect PlainCaptionBand() const { return {3, 3, width_ - 3, 3 + PlainCaptionHeight}; }
  // The skin's [FORMINFO] with its coordinates bounded (see BoundFormInfo).
  TskSkinFormInfo Info() const;
  int PlainHitTest(Point p) const;
  void DropObjects();
  // The skin's objects and what was made from them (mask strips, shape), hover and press.
  void ForgetSkinObjects();
  bool MaskProbeBlack(Point p) const;

  SkinFrameHost& host_;
  const TskSkinData* skin_ = nullptr;
  int width_ = 0, height_ = 0;
  FrameGeometry geometry_;
  FrameStrips mask_strips_;
  std::optional<std::vector<Rect>> shape_;
  bool has_mask_strips_ = false;
  TskSkinCaptionObject* caption_ = nullptr;
  bool morph_timer_ = false;
  bool hover_timer_ = false;
  int kept_height_ = 0;
};

}  // namespace netscry
