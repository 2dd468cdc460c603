#pragma once
// The live elements of a skinned frame: caption buttons and the caption text, each made from one
// frame object description of the skin, placed for the current size, drawn in its state and
// driven by the mouse through the frame (TskSkinFrame).
#include <memory>
#include <optional>
#include <string>

#include "base/bitmap32.h"
#include "base/canvas.h"
#include "skin/frame/frame_types.h"
#include "skin/skin_data.h"

namespace netscry {

class TskSkinFrame;

// Number of 20 ms morph steps of a full cross-fade between normal (0) and hot (1).
constexpr int kMorphSteps = 5;

// Blends two colours channel by channel as (1 − k) × a + k × b, rounded, k limited to 0 … 1.
Color MorphBlend(Color a, Color b, double k);
// Blends two equally sized areas of two pictures into a new picture ("mkdefault").
Bitmap32 MorphBlendPictures(const Bitmap32& a, const Rect& a_rect, const Bitmap32& b, const Rect& b_rect,
                            double k);

class TskActiveSkinObject {
 public:
  TskActiveSkinObject(TskSkinFrame& owner, const TskDataSkinObject& data);
  virtual ~TskActiveSkinObject() = default;
  TskActiveSkinObject(const TskActiveSkinObject&) = delete;
  TskActiveSkinObject& operator=(const TskActiveSkinObject&) = delete;

  // Draws the object at ObjectRect moved by −origin. part_of_frame: drawing inside the frame
  // composition, where a normal image that belongs to the frame picture is already there.
  virtual void Draw(Canvas& canvas, bool part_of_frame, Point origin = {});
  virtual void DblClick() {}
  virtual void MouseDown(int x, int y, TskMouseButton button);
  virtual void MouseUp(int x, int y, TskMouseButton button);
  virtual void MouseMove(int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool IsMorphing() const;

  // Moves MorphFactor one step towards hot (when Hot) or normal; false when already there.
  bool MorphStep();
  double MorphFactor() const { return double(morph_step_) / kMorphSteps; }
  void SetMorphFactor(double k);
  // Back to normal: not hot, mouse not inside, no cross-fade.
  void ResetState();

  bool HasHotImage() const { return !ActiveSkinRect.IsEmpty(); }
  const SkinBitmap* OwnPicture() const { return own_picture_; }

  std::string IDName, Hint;
  Rect SkinRect, ActiveSkinRect, InActiveSkinRect;
  bool SkinRectInAPicture = false;
  bool Morphing = false;
  SkinMorphKind MorphKind = SkinMorphKind::Default;
  bool RollUp = false;
  int CursorIndex = -1;
  Rect ObjectRect;
  bool Hot = false, MouseInside = false;
  bool Enabled = true, Visible = true;

 protected:
  // Asks for a repaint: a cross-fading object starts the owner's morph timer instead.
  void Repaint();
  const Bitmap32& FramePicture() const;
  void DrawImage(Canvas& canvas, const Bitmap32& picture, const Rect& src, Point origin) const;
  // The cross-fade between a normal image and a hot image at the current factor.
  void DrawMorph(Canvas& canvas, const Bitmap32& normal_pic, const Rect& normal, const Rect& hot, Point origin) const;

  TskSkinFrame& owner_;
  const SkinBitmap* own_picture_ = nullptr;
  int morph_step_ = 0;
};

class TskSkinButtonObject : public TskActiveSkinObject {
 public:
  TskSkinButtonObject(TskSkinFrame& owner, const TskDataSkinButton& data);
  void Draw(Canvas& canvas, bool part_of_frame, Point origin = {}) override;

  Rect DownRect, DisableSkinRect;
  int GroupIndex = -1;
  bool Down = false;
};

class TskSkinStdButtonObject : public TskSkinButtonObject {
 public:
  TskSkinStdButtonObject(TskSkinFrame& owner, const TskDataSkinStdButton& data);
  void Draw(Canvas& canvas, bool part_of_frame, Point origin = {}) override;
  void MouseDown(int x, int y, TskMouseButton button) override;
  void MouseUp(int x, int y, TskMouseButton button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void DblClick() override;
  bool IsMorphing() const override;

  // The button undoes the frame's current state (maximise while maximised, ...) and has the
  // images for it.
  bool InRestoreState() const;
  // The system menu button that shows the window icon instead of its image.
  bool ShowsIcon() const;

  SkinCommand Command = SkinCommand::Default;
  Rect RestoreRect, RestoreActiveRect, RestoreDownRect;
  bool FromSkin = true;

 private:
  // The plain frame's look: a small square with a built-in glyph.
  void DrawPlain(Canvas& canvas, Point origin);
};

class TskSkinCaptionObject : public TskActiveSkinObject {
 public:
  TskSkinCaptionObject(TskSkinFrame& owner, const TskDataSkinCaption& data);
  void Draw(Canvas& canvas, bool part_of_frame, Point origin = {}) override;

  // Where the text goes for the current ObjectRect (window coordinates).
  Rect TextBand() const;
  // The text as drawn into a band width: unchanged when it fits, else shortened by whole
  // characters (double-byte characters of the ANSI code page stay whole) and ended with "...".
  static std::string FitText(Canvas& canvas, const std::string& text, int band_width);

  bool DefaultCaption = false;
  Rect TextRect;
  FontAttrs Font;
  Color FontColor = 0, ActiveFontColor = 0;
  SkinAlignment Alignment = SkinAlignment::Center;
  bool Shadow = false;
  Color ShadowColor = 0, ActiveShadowColor = 0;
  Rect FrameRect, ActiveFrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;

 private:
  // The text frame image src, widened for text_width pixels of text, drawn at (x, y).
  void DrawTextFrame(Canvas& canvas, const Rect& src, int text_width, int x, int y) const;
};

// The frame object for a description, or nullptr for kinds that have none here (menu items and
// the object kinds the program's skins do not use).
std::unique_ptr<TskActiveSkinObject> CreateFrameObject(TskSkinFrame& owner, const TskDataSkinObject& data);

}  // namespace netscry
