#include "skin/frame/frame_objects.h"

#include <algorithm>
#include <cmath>

#include "base/ansi_text.h"
#include "skin/frame/frame_geometry.h"
#include "skin/frame/frame_strips.h"
#include "skin/frame/skin_frame.h"

namespace netscry {

Color MorphBlend(Color a, Color b, double k) {
  k = std::clamp(k, 0.0, 1.0);
  auto channel = [k](int ca, int cb) {
    const double v = std::floor((1.0 - k) * ca + k * cb + 0.5);
    return std::uint8_t(std::clamp(v, 0.0, 255.0));
  };
  return Rgb(channel(RedOf(a), RedOf(b)), channel(GreenOf(a), GreenOf(b)), channel(BlueOf(a), BlueOf(b)));
}

Bitmap32 MorphBlendPictures(const Bitmap32& a, const Rect& a_rect, const Bitmap32& b, const Rect& b_rect,
                            double k) {
  // Never larger than the pictures the two images come from.
  const int w = std::min({a_rect.Width(), b_rect.Width(), a.Width(), b.Width()});
  const int h = std::min({a_rect.Height(), b_rect.Height(), a.Height(), b.Height()});
  Bitmap32 out(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      out.SetPixel(x, y, MorphBlend(a.Pixel(a_rect.left + x, a_rect.top + y), b.Pixel(b_rect.left + x, b_rect.top + y), k));
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------------

TskActiveSkinObject::TskActiveSkinObject(TskSkinFrame& owner, const TskDataSkinObject& data)
    : IDName(data.IDName),
      Hint(data.Hint),
      SkinRect(BoundRect(data.SkinRect)),
      ActiveSkinRect(BoundRect(data.ActiveSkinRect)),
      InActiveSkinRect(BoundRect(data.InActiveSkinRect)),
      SkinRectInAPicture(data.SkinRectInAPicture),
      Morphing(data.Morphing),
      MorphKind(data.MorphKind),
      RollUp(data.RollUp),
      CursorIndex(data.CursorIndex),
      ObjectRect(BoundRect(data.SkinRect)),
      owner_(owner) {
  if (const TskSkinData* skin = owner.SkinData()) own_picture_ = skin->ActivePicture(data.ActivePictureIndex);
  // Without its own picture an object has no hot image either.
  if (own_picture_ == nullptr) ActiveSkinRect = {};
}

const Bitmap32& TskActiveSkinObject::FramePicture() const {
  static const Bitmap32 kNone;
  const TskSkinData* skin = owner_.SkinData();
  if (skin == nullptr) return kNone;
  return RollUp ? skin->RollUpPicture : skin->Picture;
}

void TskActiveSkinObject::DrawImage(Canvas& canvas, const Bitmap32& picture, const Rect& src, Point origin) const {
  if (src.IsEmpty() || picture.IsEmpty()) return;
  // An image never spills outside the object's place.
  const Rect clipped{src.left, src.top, src.left + std::min(src.Width(), ObjectRect.Width()),
                     src.top + std::min(src.Height(), ObjectRect.Height())};
  canvas.DrawBitmap(picture, clipped, ObjectRect.left - origin.x, ObjectRect.top - origin.y);
}

void TskActiveSkinObject::DrawMorph(Canvas& canvas, const Bitmap32& normal_pic, const Rect& normal, const Rect& hot,
                                    Point origin) const {
  if (own_picture_ == nullptr) return;
  const Bitmap32 blend = MorphBlendPictures(normal_pic, normal, *own_picture_, hot, MorphFactor());
  DrawImage(canvas, blend, blend.Bounds(), origin);
}

void TskActiveSkinObject::Draw(Canvas& canvas, bool part_of_frame, Point origin) {
  const Bitmap32 none;
  const Bitmap32& own = own_picture_ ? *own_picture_ : none;
  if (Enabled && !owner_.IsFormActive() && !InActiveSkinRect.IsEmpty() && own_picture_) {
    DrawImage(canvas, own, InActiveSkinRect, origin);
    return;
  }
  const Bitmap32& normal_pic = SkinRectInAPicture ? own : FramePicture();
  if (Morphing && IsMorphing() && HasHotImage()) {
    DrawMorph(canvas, normal_pic, SkinRect, ActiveSkinRect, origin);
  } else if (Hot && HasHotImage()) {
    DrawImage(canvas, own, ActiveSkinRect, origin);
  } else if (!part_of_frame || SkinRectInAPicture) {
    DrawImage(canvas, normal_pic, SkinRect, origin);
  }
}

void TskActiveSkinObject::MouseDown(int, int, TskMouseButton) {
  owner_.Host().ObjectEvent(FrameObjectEvent::MouseDown, IDName, ObjectRect);
}

void TskActiveSkinObject::MouseUp(int, int, TskMouseButton) {
  if (MouseInside) owner_.Host().ObjectEvent(FrameObjectEvent::MouseUp, IDName, ObjectRect);
}

void TskActiveSkinObject::MouseMove(int, int) {
  owner_.Host().ObjectEvent(FrameObjectEvent::MouseMove, IDName, ObjectRect);
}

void TskActiveSkinObject::MouseEnter() {
  MouseInside = true;
  Hot = true;
  if (HasHotImage()) Repaint();
  owner_.Host().ObjectEvent(FrameObjectEvent::MouseEnter, IDName, ObjectRect);
}

void TskActiveSkinObject::MouseLeave() {
  MouseInside = false;
  Hot = false;
  if (HasHotImage()) Repaint();
  owner_.Host().ObjectEvent(FrameObjectEvent::MouseLeave, IDName, ObjectRect);
}

bool TskActiveSkinObject::IsMorphing() const {
  return (Hot && morph_step_ < kMorphSteps) || (!Hot && morph_step_ > 0);
}

bool TskActiveSkinObject::MorphStep() {
  if (!IsMorphing()) return false;
  morph_step_ += Hot ? 1 : -1;
  return true;
}

void TskActiveSkinObject::SetMorphFactor(double k) {
  morph_step_ = int(std::lround(std::clamp(k, 0.0, 1.0) * kMorphSteps));
}

void TskActiveSkinObject::ResetState() {
  Hot = false;
  MouseInside = false;
  morph_step_ = 0;
}

void TskActiveSkinObject::Repaint() { owner_.RequestRepaint(*this); }

// ---------------------------------------------------------------------------------------------

TskSkinButtonObject::TskSkinButtonObject(TskSkinFrame& owner, const TskDataSkinButton& data)
    : TskActiveSkinObject(owner, data), DownRect(BoundRect(data.DownRect)), DisableSkinRect(BoundRect(data.DisableSkinRect)),
      GroupIndex(data.GroupIndex) {}

void TskSkinButtonObject::Draw(Canvas& canvas, bool part_of_frame, Point origin) {
  if (own_picture_ != nullptr) {
    if (!Enabled && !DisableSkinRect.IsEmpty()) {
      DrawImage(canvas, *own_picture_, DisableSkinRect, origin);
      return;
    }
    if (Down && !DownRect.IsEmpty() && (GroupIndex != -1 || MouseInside)) {
      DrawImage(canvas, *own_picture_, DownRect, origin);
      return;
    }
  }
  TskActiveSkinObject::Draw(canvas, part_of_frame, origin);
}

// ---------------------------------------------------------------------------------------------

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinFrame& owner, const TskDataSkinStdButton& data)
    : TskSkinButtonObject(owner, data), Command(data.Command), RestoreRect(BoundRect(data.RestoreRect)),
      RestoreActiveRect(BoundRect(data.RestoreActiveRect)), RestoreDownRect(BoundRect(data.RestoreDownRect)) {}

bool TskSkinStdButtonObject::InRestoreState() const {
  if (RestoreRect.IsEmpty() || own_picture_ == nullptr) return false;
  switch (Command) {
    case SkinCommand::Maximize: return owner_.FrameState == TskFrameState::Maximized;
    case SkinCommand::Minimize: return owner_.FrameState == TskFrameState::Minimized;
    case SkinCommand::RollUp: return owner_.RolledUp;
    default: return false;
  }
}

bool TskSkinStdButtonObject::ShowsIcon() const {
  // A skin's button needs its own picture for that; the plain frame's always shows the icon.
  return Command == SkinCommand::SysMenu && owner_.ShowIcon && (SkinRectInAPicture || !FromSkin);
}

bool TskSkinStdButtonObject::IsMorphing() const {
  // The icon button never fades.
  return !ShowsIcon() && TskSkinButtonObject::IsMorphing();
}

void TskSkinStdButtonObject::MouseEnter() {
  TskSkinButtonObject::MouseEnter();
  if (!FromSkin) Repaint();  // the plain look changes on hover without a hot image
}

void TskSkinStdButtonObject::MouseLeave() {
  TskSkinButtonObject::MouseLeave();
  if (!FromSkin) Repaint();
}

void TskSkinStdButtonObject::DrawPlain(Canvas& canvas, Point origin) {
  const Rect r = ObjectRect.Offset(-origin.x, -origin.y);
  const PlainFrameColors colors = owner_.Host().PlainColors();
  if (ShowsIcon()) {
    canvas.FillRect(r, colors.face);
    std::optional<Color> transparent;
    if (const Bitmap32* icon = owner_.Host().SmallIcon(&transparent)) {
      canvas.DrawBitmap(*icon, icon->Bounds(), r.left, r.top, transparent);
    }
    return;
  }
  constexpr Color kPressedFill = 11899781, kHotFill = 13811126, kDarkBlue = 8388608;
  const bool pressed = Down && MouseInside;
  canvas.FillRect(r, pressed ? kPressedFill : Hot ? kHotFill : colors.face);
  if (pressed || Hot) {
    canvas.Line(r.left, r.top, r.right, r.top, kDarkBlue);
    canvas.Line(r.left, r.bottom - 1, r.right, r.bottom - 1, kDarkBlue);
    canvas.Line(r.left, r.top, r.left, r.bottom, kDarkBlue);
    canvas.Line(r.right - 1, r.top, r.right - 1, r.bottom, kDarkBlue);
  }
  const Color ink = Enabled ? colors.button_text : colors.shadow;
  // Glyphs in a box of about half the button, centred.
  const int s = std::max(5, (r.Width() / 2) | 1);
  const int gx = r.left + (r.Width() - s) / 2, gy = r.top + (r.Height() - s) / 2;
  auto box = [&](int x, int y, int w, int h) {
    canvas.FillRect({x, y, x + w, y + 2}, ink);
    canvas.Line(x, y, x, y + h, ink);
    canvas.Line(x + w - 1, y, x + w - 1, y + h, ink);
    canvas.Line(x, y + h - 1, x + w, y + h - 1, ink);
  };
  switch (Command) {
    case SkinCommand::Close:
      for (int i = 0; i < s; ++i) {
        canvas.FillRect({gx + i, gy + i, gx + i + 2, gy + i + 1}, ink);
        canvas.FillRect({gx + s - 2 - i, gy + i, gx + s - i, gy + i + 1}, ink);
      }
      break;
    case SkinCommand::Maximize:
      if (owner_.FrameState == TskFrameState::Maximized) {
        box(gx + 2, gy, s - 2, s - 3);
        canvas.FillRect({gx, gy + 3, gx + s - 2, gy + s}, pressed ? kPressedFill : Hot ? kHotFill : colors.face);
        box(gx, gy + 3, s - 2, s - 3);
      } else {
        box(gx, gy, s, s);
      }
      break;
    case SkinCommand::Minimize:
      canvas.FillRect({gx, gy + s - 2, gx + s - 2, gy + s}, ink);
      break;
    case SkinCommand::RollUp:
      for (int i = 0; i <= s / 2; ++i) canvas.Line(gx + s / 2 - i, gy + 2 + i, gx + s / 2 + i + 1, gy + 2 + i, ink);
      break;
    case SkinCommand::MinimizeToTray:
      canvas.FillRect({gx + s / 2, gy + s - 3, gx + s, gy + s}, ink);
      break;
    default:
      canvas.FillRect({gx + 1, gy + s / 2 - 1, gx + s - 1, gy + s / 2 + 1}, ink);
      break;
  }
}

void TskSkinStdButtonObject::Draw(Canvas& canvas, bool part_of_frame, Point origin) {
  if (!FromSkin) {
    DrawPlain(canvas, origin);
    return;
  }
  const bool active = owner_.IsFormActive();
  if (Enabled && (active || InActiveSkinRect.IsEmpty())) {
    if (ShowsIcon()) {
      std::optional<Color> transparent;
      if (const Bitmap32* icon = owner_.Host().SmallIcon(&transparent)) {
        canvas.DrawBitmap(*icon, icon->Bounds(), ObjectRect.left - origin.x, ObjectRect.top - origin.y, transparent);
      }
      SetMorphFactor(0);
      return;
    }
    if (InRestoreState()) {
      const Bitmap32& own = *own_picture_;
      if (Down && MouseInside && !RestoreDownRect.IsEmpty()) {
        DrawImage(canvas, own, RestoreDownRect, origin);
      } else if (Morphing && TskActiveSkinObject::IsMorphing() && !RestoreActiveRect.IsEmpty()) {
        const Bitmap32 blend = MorphBlendPictures(own, RestoreRect, own, RestoreActiveRect, MorphFactor());
        DrawImage(canvas, blend, blend.Bounds(), origin);
      } else if (Hot && !RestoreActiveRect.IsEmpty()) {
        DrawImage(canvas, own, RestoreActiveRect, origin);
      } else {
        DrawImage(canvas, own, RestoreRect, origin);
      }
      return;
    }
  }
  TskSkinButtonObject::Draw(canvas, part_of_frame, origin);
}

void TskSkinStdButtonObject::MouseDown(int x, int y, TskMouseButton button) {
  TskSkinButtonObject::MouseDown(x, y, button);
  if (button != TskMouseButton::Left || !Enabled || Down) return;
  if (Morphing) SetMorphFactor(1);
  Down = true;
  Repaint();
  if (Command == SkinCommand::SysMenu) owner_.Host().OpenSystemMenu({ObjectRect.left, ObjectRect.bottom});
}

void TskSkinStdButtonObject::MouseUp(int x, int y, TskMouseButton button) {
  TskSkinButtonObject::MouseUp(x, y, button);
  if (button != TskMouseButton::Left || !Down) return;
  const bool run = Hot && Enabled;
  if (run && Command == SkinCommand::Close) {
    // Released first: closing may destroy the frame and this object with it.
    Down = false;
    Repaint();
    owner_.RunCommand(Command);
    return;
  }
  if (run) owner_.RunCommand(Command);
  Down = false;
  Repaint();
}

void TskSkinStdButtonObject::DblClick() {
  if (Command == SkinCommand::SysMenu && Enabled) owner_.Host().CloseForm();
}

// ---------------------------------------------------------------------------------------------

TskSkinCaptionObject::TskSkinCaptionObject(TskSkinFrame& owner, const TskDataSkinCaption& data)
    : TskActiveSkinObject(owner, data),
      DefaultCaption(data.DefaultCaption),
      TextRect(BoundRect(data.TextRect)),
      Font(data.Font),
      FontColor(data.FontColor),
      ActiveFontColor(data.ActiveFontColor),
      Alignment(data.Alignment),
      Shadow(data.Shadow),
      ShadowColor(data.ShadowColor),
      ActiveShadowColor(data.ActiveShadowColor),
      FrameRect(BoundRect(data.FrameRect)),
      ActiveFrameRect(BoundRect(data.ActiveFrameRect)),
      FrameTextRect(BoundRect(data.FrameTextRect)),
      FrameLeftOffset(BoundCoord(data.FrameLeftOffset)),
      FrameRightOffset(BoundCoord(data.FrameRightOffset)) {}

Rect TskSkinCaptionObject::TextBand() const {
  Rect band = TextRect.Offset(ObjectRect.left, ObjectRect.top);
  band.right += ObjectRect.Width() - SkinRect.Width();
  if (!FrameRect.IsEmpty()) {
    band.left += FrameTextRect.left;
    band.top += FrameTextRect.top;
    band.right -= FrameRect.Width() - FrameTextRect.right;
  }
  return band;
}

std::string TskSkinCaptionObject::FitText(Canvas& canvas, const std::string& text, int band_width) {
  if (canvas.TextWidth(text) <= band_width) return text;
  // Whole characters are dropped from the end, never half of a double-byte one.
  const std::vector<std::size_t> starts = AnsiCharStarts(text);
  std::size_t keep = starts.size() - 1;  // characters kept
  while (keep > 0 && canvas.TextWidth(text.substr(0, starts[keep]) + "...") > band_width) --keep;
  return text.substr(0, starts[keep]) + "...";
}

void TskSkinCaptionObject::DrawTextFrame(Canvas& canvas, const Rect& wanted, int text_width, int x, int y) const {
  if (own_picture_ == nullptr) return;
  const Rect src = wanted.Intersect(own_picture_->Bounds());
  // The frame widened by the text beyond its own text place. Whatever the description's
  // rectangles say, it is never wider than the picture and the text together, so the image
  // made here stays as small as the data it comes from.
  const int width = std::min(FrameRect.Width() + text_width - FrameTextRect.Width(), own_picture_->Width() + text_width);
  if (src.IsEmpty() || width <= 0) return;
  const int left = std::clamp(FrameLeftOffset, 0, src.Width());
  const int right = std::clamp(FrameRightOffset, 0, src.Width() - left);
  const int middle = src.Width() - left - right;
  Bitmap32 image(width, src.Height());
  // Left part, repeated middle, right part; a frame without a middle is only cut.
  CopyRect(*own_picture_, {src.left, src.top, src.left + left, src.bottom}, image, 0, 0);
  if (middle > 0) {
    for (int x0 = left; x0 < width - right; x0 += middle) {
      CopyRect(*own_picture_, {src.left + left, src.top, src.left + left + std::min(middle, width - right - x0), src.bottom},
               image, x0, 0);
    }
  }
  CopyRect(*own_picture_, {src.right - right, src.top, src.right, src.bottom}, image, width - right, 0);
  canvas.DrawBitmap(image, image.Bounds(), x, y);
}

void TskSkinCaptionObject::Draw(Canvas& canvas, bool part_of_frame, Point origin) {
  const bool active = owner_.IsFormActive();
  Hot = active;
  if (HasHotImage()) TskActiveSkinObject::Draw(canvas, part_of_frame, origin);
  if (this != owner_.CaptionObject()) return;
  const std::string text = owner_.Host().CaptionText();
  if (text.empty() || TextRect.IsEmpty()) return;
  const Rect band = TextBand();
  canvas.SetFont(Font);
  const std::string shown = FitText(canvas, text, band.Width());
  const Size extent = canvas.TextExtent(shown);
  const int y = band.top + band.Height() / 2 - extent.cy / 2;
  int x = band.left;
  if (Alignment == SkinAlignment::Right) x = band.right - extent.cx;
  if (Alignment == SkinAlignment::Center) x = band.left + band.Width() / 2 - extent.cx / 2;
  const Rect clip = band.Offset(-origin.x, -origin.y);
  if (!FrameRect.IsEmpty()) {
    const Rect& src = active && !ActiveFrameRect.IsEmpty() ? ActiveFrameRect : FrameRect;
    DrawTextFrame(canvas, src, extent.cx, x - FrameTextRect.left - origin.x, y - FrameTextRect.top - origin.y);
  }
  if (Shadow) canvas.TextOut(x + 1 - origin.x, y + 1 - origin.y, shown, active ? ActiveShadowColor : ShadowColor, clip);
  canvas.TextOut(x - origin.x, y - origin.y, shown, active ? ActiveFontColor : FontColor, clip);
}

// ---------------------------------------------------------------------------------------------

std::unique_ptr<TskActiveSkinObject> CreateFrameObject(TskSkinFrame& owner, const TskDataSkinObject& data) {
  // The order matters: the derived description classes come first.
  if (dynamic_cast<const TskDataSkinMainMenuItem*>(&data) || dynamic_cast<const TskDataSkinMenuItem*>(&data) ||
      dynamic_cast<const TskDataSkinMainMenuBarButton*>(&data)) {
    return nullptr;
  }
  if (auto* std_button = dynamic_cast<const TskDataSkinStdButton*>(&data)) {
    return std::make_unique<TskSkinStdButtonObject>(owner, *std_button);
  }
  if (auto* button = dynamic_cast<const TskDataSkinButton*>(&data)) {
    return std::make_unique<TskSkinButtonObject>(owner, *button);
  }
  if (auto* caption = dynamic_cast<const TskDataSkinCaption*>(&data)) {
    return std::make_unique<TskSkinCaptionObject>(owner, *caption);
  }
  if (dynamic_cast<const TskDataUserObject*>(&data)) {
    // Draws nothing itself; the owner's paint event would.
    auto object = std::make_unique<TskActiveSkinObject>(owner, data);
    object->ActiveSkinRect = {};
    return object;
  }
  return nullptr;
}

}  // namespace netscry
