#include "skin/frame/skin_frame.h"

#include <algorithm>


namespace netscry {

namespace {

bool IconAllows(TskBorderIcons icons, SkinCommand command) {
  switch (command) {
    case SkinCommand::MinimizeToTray: return (icons & biMinimizeToTray) != 0;
    case SkinCommand::RollUp: return (icons & biRollUp) != 0;
    case SkinCommand::Maximize: return (icons & biMaximize) != 0;
    case SkinCommand::Minimize: return (icons & biMinimize) != 0;
    case SkinCommand::SysMenu: return (icons & biSystemMenu) != 0;
    default: return true;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Skin

void TskSkinFrame::SetSkinData(const TskSkinData* data) {
  skin_ = data;
  ApplySkin();
}

void TskSkinFrame::SkinChanging() {
  DropObjects();
}

void TskSkinFrame::DropObjects() {
  hover_timer_ = false;
  host_.SetTimer(FrameTimer::Hover, false);
  host_.SetTimer(FrameTimer::Morph, false);
  host_.SetTimer(FrameTimer::Animation, false);
  morph_timer_ = false;
  ForgetSkinObjects();
}

void TskSkinFrame::ForgetSkinObjects() {
  HoverIndex = PressedIndex = -1;
  caption_ = nullptr;
  FrameObjects.clear();
  has_mask_strips_ = false;
  mask_strips_ = {};
  shape_.reset();
}

void TskSkinFrame::ApplySkin() {
  ForgetSkinObjects();
  if (!SkinActive()) {
    CreatePlainObjects();
    if (width_ > 0 && height_ > 0) SetSize(width_, height_);
    return;
  }
  for (const auto& data : skin_->Objects) {
    if (auto object = CreateFrameObject(*this, *data)) FrameObjects.push_back(std::move(object));
  }
  for (auto& object : FrameObjects) {
    auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
    if (button == nullptr) continue;
    if (button->Command == SkinCommand::Default) {
      button->Visible = host_.ActivateCustomObject(button->IDName);
      continue;
    }
    const bool keep = button->Command == SkinCommand::Close || IconAllows(BorderIcons, button->Command);
    if (HideCaptionButtons || !keep) {
      // A disabled button stays visible only where its image is part of the frame picture.
      button->Enabled = false;
      button->Visible = !button->SkinRectInAPicture;
    }
  }
  for (auto& object : FrameObjects) {
    auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get());
    if (caption == nullptr) continue;
    if (caption_ == nullptr) caption_ = caption;
    if (caption->DefaultCaption) {
      caption_ = caption;
      break;
    }
  }
  if (width_ > 0 && height_ > 0) SetSize(width_, height_);
  hover_timer_ = true;
  host_.SetTimer(FrameTimer::Hover, true);
}

void TskSkinFrame::CreatePlainObjects() {
  HoverIndex = PressedIndex = -1;
  PlainObjects.clear();
  const std::pair<const char*, SkinCommand> buttons[] = {
      {"sysmenubutton", SkinCommand::SysMenu},   {"closebutton", SkinCommand::Close},
      {"maximizebutton", SkinCommand::Maximize}, {"minimizebutton", SkinCommand::Minimize},
      {"rollupbutton", SkinCommand::RollUp},     {"traybutton", SkinCommand::MinimizeToTray},
  };
  for (const auto& [name, command] : buttons) {
    TskDataSkinStdButton data(name);
    data.Command = command;
    auto button = std::make_unique<TskSkinStdButtonObject>(*this, data);
    button->FromSkin = false;
    // Buttons whose command is not among the border icons show, disabled.
    const bool allowed = command == SkinCommand::Close || IconAllows(BorderIcons, command);
    button->Enabled = allowed && !HideCaptionButtons;
    PlainObjects.push_back(std::move(button));
  }
}

void TskSkinFrame::LayoutPlainObjects() {
  const Rect band = PlainCaptionBand();
  const int size = PlainCaptionHeight >= 19 ? 17 : 13;
  const int top = band.top + (band.Height() - size) / 2;
  int x = band.right;
  for (auto& object : PlainObjects) {
    auto& button = static_cast<TskSkinStdButtonObject&>(*object);
    if (button.Command == SkinCommand::SysMenu) {
      button.ObjectRect = {band.left, top, band.left + size, top + size};
    } else {
      button.ObjectRect = {x - size, top, x, top + size};
      x -= size;
    }
  }
}

Size TskSkinFrame::SizeForSkin(Size current) const {
  Size s = current;
  const int min_w = MinTrackWidth(), min_h = MinTrackHeight();
  if (s.cx < min_w && s.cy < min_h) {
    s = {min_w, min_h};
  } else if (s.cy < min_h) {
    s.cy = min_h;
  } else if (s.cx < min_w) {
    s.cx = min_w;
  }
  if (RolledUp || FrameState == TskFrameState::Minimized) s.cy = min_h;
  if (FrameState == TskFrameState::Minimized) s.cx = min_w;
  return s;
}

// ---------------------------------------------------------------------------------------------
// Size and geometry

TskSkinFormInfo TskSkinFrame::Info() const { return BoundFormInfo(skin_->FormInfo); }

bool TskSkinFrame::SetSize(int width, int height) {
  width_ = std::clamp(width, 0, kFrameCoordLimit);
  height_ = std::clamp(height, 0, kFrameCoordLimit);
  if (!SkinActive()) {
    if (PlainObjects.empty()) CreatePlainObjects();
    LayoutPlainObjects();
    shape_.reset();
    return true;
  }
  if (width < MinTrackWidth() || height < MinTrackHeight()) return false;
  ComputeGeometry();
  LayoutObjects();
  UpdateShape();
  return true;
}

void TskSkinFrame::ComputeGeometry() {
  if (!SkinActive()) {
    geometry_ = {};
    return;
  }
  geometry_ = netscry::ComputeGeometry(Info(), {skin_->Picture.Width(), skin_->Picture.Height()}, width_,
                                       height_);
}

void TskSkinFrame::LayoutObjects() {
  if (!SkinActive()) return;
  const TskSkinFormInfo info = Info();
  const FrameGeometry& g = geometry_;
  for (auto& object : FrameObjects) object->ObjectRect = AnchorObjectRect(object->SkinRect, info, g);

  const bool use_buttons = !g.buttons.IsEmpty();
  const Rect band = use_buttons ? g.buttons : g.caption;
  if (band.IsEmpty()) return;

  std::vector<TskSkinStdButtonObject*> taking_part;
  TskSkinStdButtonObject* sys_menu = nullptr;
  for (auto& object : FrameObjects) {
    auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
    if (button == nullptr || !button->Visible || !button->SkinRectInAPicture) continue;
    if (button->Command == SkinCommand::SysMenu) {
      if (sys_menu == nullptr) sys_menu = button;
    } else {
      taking_part.push_back(button);
    }
  }
  auto size_of = [&](const TskSkinStdButtonObject& b) {
    if (b.ShowsIcon()) {
      const Size icon = host_.SmallIconSize();
      return icon.cx > 0 && icon.cy > 0 ? icon : host_.CaptionButtonSize();
    }
    return Size{b.SkinRect.Width(), b.SkinRect.Height()};
  };
  // Close, maximise, minimise, roll up, tray: the first button of each; then the custom ones.
  std::vector<TskSkinStdButtonObject*> order;
  for (SkinCommand c : {SkinCommand::Close, SkinCommand::Maximize, SkinCommand::Minimize, SkinCommand::RollUp,
                        SkinCommand::MinimizeToTray}) {
    auto it = std::find_if(taking_part.begin(), taking_part.end(), [c](auto* b) { return b->Command == c; });
    if (it != taking_part.end()) order.push_back(*it);
  }
  for (auto* b : taking_part) {
    if (b->Command == SkinCommand::Default) order.push_back(b);
  }
  const int offset = info.ButtonsOffset;
  // Each size and the offset are bounded, but a skin may name any number of buttons: the running
  // position is bounded again after every step so that the sum cannot overflow.
  if (!info.ButtonsInLeft) {
    int x = band.right;
    for (auto* b : order) {
      const Size s = size_of(*b);
      b->ObjectRect = {x - s.cx, band.top, x, band.top + s.cy};
      x = BoundCoord(x - s.cx - offset);
    }
    if (!use_buttons && caption_ != nullptr) caption_->ObjectRect.right = x + offset;
    if (sys_menu != nullptr) {
      const Size s = size_of(*sys_menu);
      const int top = band.top + band.Height() / 2 - s.cy / 2;
      sys_menu->ObjectRect = {band.left, top, band.left + s.cx, top + s.cy};
      if (caption_ != nullptr) caption_->ObjectRect.left = sys_menu->ObjectRect.right;
    }
  } else {
    int x = band.left;
    for (auto* b : order) {
      const Size s = size_of(*b);
      b->ObjectRect = {x, band.top, x + s.cx, band.top + s.cy};
      x = BoundCoord(x + s.cx + offset);
    }
    if (!use_buttons) {
      if (sys_menu != nullptr) {
        const Size s = size_of(*sys_menu);
        sys_menu->ObjectRect = {x, band.top, x + s.cx, band.top + s.cy};
        x = BoundCoord(x + s.cx + offset);
      }
      if (caption_ != nullptr) caption_->ObjectRect.left = x + offset;
    }
  }
}

int TskSkinFrame::MinTrackWidth() const {
  if (SkinActive()) {
    const int pw = skin_->Picture.Width();
    return MinWidth > pw && FrameState != TskFrameState::Minimized ? MinWidth : pw;
  }
  return MinWidth > 0 ? MinWidth : 130;
}

int TskSkinFrame::MinTrackHeight() const {
  const bool exempt = RolledUp || FrameState == TskFrameState::Minimized;
  const int own = SkinActive() ? skin_->Picture.Height() - Info().ClientRect.Height() : PlainCaptionHeight + 6;
  return MinHeight > own && !exempt ? MinHeight : own;
}

int TskSkinFrame::MaxTrackWidth(const MonitorInfo& m) const {
  const int w = (MaximizeOnFullScreen ? m.monitor : m.work_area).Width();
  return MaxWidth > 0 && MaxWidth < w ? MaxWidth : w;
}

int TskSkinFrame::MaxTrackHeight(const MonitorInfo& m) const {
  const int h = (MaximizeOnFullScreen ? m.monitor : m.work_area).Height();
  return MaxHeight > 0 && MaxHeight < h ? MaxHeight : h;
}

Rect TskSkinFrame::ClientInsets() const {
  if (SkinActive() && !Info().ClientRect.IsEmpty()) {
    const Rect cr = Info().ClientRect;
    return {cr.left, cr.top, skin_->Picture.Width() - cr.right, skin_->Picture.Height() - cr.bottom};
  }
  return {3, PlainCaptionHeight + 3, 3, 3};
}

Rect TskSkinFrame::ClientFromWindow(const Rect& proposed) const {
  const Rect in = ClientInsets();
  Rect r{proposed.left + in.left, proposed.top + in.top, proposed.right - in.right, proposed.bottom - in.bottom};
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

Rect TskSkinFrame::Moving(const Rect& proposed, const Rect& current, const Rect& work_area) const {
  if (FrameState == TskFrameState::Maximized) return current;
  if (!Magnetic) return proposed;
  Rect r = proposed;
  auto near = [this](int a, int b) { return a - b <= MagneticSize && b - a <= MagneticSize; };
  // One axis: the low edge snaps first, else the high one; the size stays.
  auto snap = [&](int& low, int& high, int area_low, int area_high) {
    const int size = high - low;
    if (near(low, area_low)) {
      low = area_low;
      high = low + size;
    } else if (near(high, area_high)) {
      high = area_high;
      low = high - size;
    }
  };
  snap(r.left, r.right, work_area.left, work_area.right);
  snap(r.top, r.bottom, work_area.top, work_area.bottom);
  return r;
}

int TskSkinFrame::ForceRelayoutWidth(int current_width) const {
  return current_width <= MinTrackWidth() ? current_width + 1 : current_width - 1;
}

// ---------------------------------------------------------------------------------------------
// Hit testing and shape

bool TskSkinFrame::ShownInRollState(const TskActiveSkinObject& object) const {
  // Objects marked "rollup" belong to the rolled-up frame; the others to the normal one. The
  // plain frame's buttons are always there.
  return !SkinActive() || object.RollUp == RolledUp;
}

bool TskSkinFrame::InCaptionObject(Point p) const {
  for (const auto& object : FrameObjects) {
    if (dynamic_cast<const TskSkinCaptionObject*>(object.get()) && object->Visible && ShownInRollState(*object) &&
        object->ObjectRect.Contains(p)) {
      return true;
    }
  }
  return false;
}

bool TskSkinFrame::MaskProbeBlack(Point p) const {
  if (geometry_.mask_rect.Contains(p)) return true;
  const FrameStrips& m = mask_strips_;
  for (const auto& [strip, at] : {std::pair<const Bitmap32*, Point>{&m.top, m.top_at}, {&m.bottom, m.bottom_at},
                                  {&m.left, m.left_at}, {&m.right, m.right_at}}) {
    const Point local{p.x - at.x, p.y - at.y};
    if (strip->InBounds(local.x, local.y)) return (strip->Pixel(local.x, local.y) & 0x00FFFFFF) == 0;
  }
  return false;
}

int TskSkinFrame::PlainHitTest(Point p) const {
  const int w = width_, h = height_;
  if (Sizeable && FrameState == TskFrameState::Normal) {
    constexpr int kEdge = 2, kCorner = 16;
    const bool left = p.x < kEdge, right = p.x >= w - kEdge, top = p.y < kEdge, bottom = p.y >= h - kEdge;
    const bool near_left = p.x < kCorner, near_right = p.x >= w - kCorner;
    const bool near_top = p.y < kCorner, near_bottom = p.y >= h - kCorner;
    if ((left && near_top) || (top && near_left)) return kHitTopLeft;
    if ((right && near_top) || (top && near_right)) return kHitTopRight;
    if ((left && near_bottom) || (bottom && near_left)) return kHitBottomLeft;
    if ((right && near_bottom) || (bottom && near_right)) return kHitBottomRight;
    if (left) return kHitLeft;
    if (right) return kHitRight;
    if (top) return kHitTop;
    if (bottom) return kHitBottom;
  }
  // The caption buttons take their clicks; the rest of the band moves the window.
  for (const auto& object : PlainObjects) {
    if (object->Visible && object->ObjectRect.Contains(p)) return kHitObject;
  }
  if (PlainCaptionBand().Contains(p)) return kHitCaption;
  if (Rect{3, PlainCaptionHeight + 3, w - 3, h - 3}.Contains(p)) return kHitClient;
  return kHitObject;
}

int TskSkinFrame::HitTest(Point p) const {
  if (!SkinActive()) return PlainHitTest(p);
  const FrameGeometry& g = geometry_;
  const bool in_caption = InCaptionObject(p);
  if (RolledUp || FrameState == TskFrameState::Minimized) return in_caption ? kHitCaption : kHitObject;
  if (HoverIndex != -1 && !in_caption && !g.client.Contains(p) && !InSizeMove) return kHitObject;
  if (Sizeable && FrameState != TskFrameState::Maximized) {
    const int b = Info().BorderWidth;
    const Point probes[4] = {{p.x - b, p.y}, {p.x, p.y - b}, {p.x + b, p.y}, {p.x, p.y + b}};
    bool sizing = false;
    if (skin_->Mask.IsEmpty() || !has_mask_strips_) {
      const Rect window{0, 0, width_, height_};
      for (const Point& q : probes) sizing = sizing || !window.Contains(q);
    } else if (!g.mask_rect.Contains(p)) {
      for (const Point& q : probes) sizing = sizing || !MaskProbeBlack(q);
    }
    if (sizing) {
      const Point tl = g.hit_lt, tr = g.hit_rt, bl = g.hit_lb, br = g.hit_rb;
      const Rect& ncr = g.client;
      if (p.x <= tl.x && p.y <= tl.y) return kHitTopLeft;
      if (p.x >= tr.x && p.y <= tr.y) return kHitTopRight;
      if (p.x <= bl.x && p.y >= bl.y) return kHitBottomLeft;
      if (p.x >= br.x && p.y >= br.y) return kHitBottomRight;
      if (Rect{tl.x, 0, tr.x, ncr.top}.Contains(p)) return kHitTop;
      if (Rect{bl.x, ncr.bottom, br.x, height_}.Contains(p)) return kHitBottom;
      if (Rect{0, tl.y, ncr.left, bl.y}.Contains(p)) return kHitLeft;
      if (Rect{ncr.right, tr.y, width_, br.y}.Contains(p)) return kHitRight;
    }
  }
  if (g.client.Contains(p)) return kHitClient;
  return in_caption ? kHitCaption : kHitObject;
}

int TskSkinFrame::NcHitTest(Point p) {
  const int hit = HitTest(p);
  if (hit == kHitObject && !hover_timer_) {
    UpdateHover(p);
    hover_timer_ = true;
    host_.SetTimer(FrameTimer::Hover, true);
  }
  return hit;
}

std::optional<std::vector<Rect>> TskSkinFrame::UpdateShape() {
  has_mask_strips_ = false;
  mask_strips_ = {};
  shape_.reset();
  if (!SkinActive() || skin_->Mask.IsEmpty() || !HasBorderStyle) return shape_;
  mask_strips_ = CutMaskStrips(skin_->Mask, Info(), geometry_);
  has_mask_strips_ = true;
  shape_ = ShapeRectangles(mask_strips_, geometry_.mask_rect);
  return shape_;
}

// ---------------------------------------------------------------------------------------------
// Composition

namespace {

void ApplyInactiveEffect(Bitmap32& bmp, SkinEffect effect) {
  // Only split blur reads neighbours; it keeps the row as it was. The others work in place.
  std::vector<Color> row;
  const int w = bmp.Width();
  for (int y = 0; y < bmp.Height(); ++y) {
    DibPixel* pixels = bmp.Row(y);
    if (effect == SkinEffect::SplitBlur) {
      row.resize(std::size_t(w));
      std::transform(pixels, pixels + w, row.begin(), ColorOfDibPixel);
    }
    for (int x = 0; x < w; ++x) {
      const Color c = ColorOfDibPixel(pixels[x]);
      const int r = RedOf(c), gr = GreenOf(c), b = BlueOf(c);
      Color out = c;
      switch (effect) {
        case SkinEffect::Brightness: out = MorphBlend(c, kWhite, 0.5); break;
        case SkinEffect::Darkness: out = MorphBlend(c, kBlack, 0.3); break;
        case SkinEffect::Grayscale: {
          const auto v = std::uint8_t((r * 30 + gr * 59 + b * 11) / 100);
          out = Rgb(v, v, v);
          break;
        }
        case SkinEffect::Noise: {
          // A fixed pattern from the position, so every repaint looks the same.
          const std::uint32_t h = (std::uint32_t(x) * 73856093u) ^ (std::uint32_t(y) * 19349663u);
          const int n = int(h % 101) - 50;
          auto ch = [n](int v) { return std::uint8_t(std::clamp(v + n, 0, 255)); };
          out = Rgb(ch(r), ch(gr), ch(b));
          break;
        }
        case SkinEffect::SplitBlur:
          out = MorphBlend(row[std::size_t(std::max(0, x - 1))], row[std::size_t(std::min(w - 1, x + 1))], 0.5);
          break;
        case SkinEffect::Invert: out = c ^ 0x00FFFFFF; break;
      }
      pixels[x] = DibPixelOf(out);
    }
  }
}

}  // namespace

bool TskSkinFrame::ComposeFrame(FrameStrips& out, const CanvasFactory& make_canvas) {
  out = {};
  if (!SkinActive() || width_ < MinTrackWidth() || height_ < MinTrackHeight()) return false;
  ComputeGeometry();
  LayoutObjects();
  const bool active = IsFormActive();
  const Bitmap32& source = active || skin_->InActivePicture.IsEmpty() ? skin_->Picture : skin_->InActivePicture;
  const TskSkinFormInfo info = Info();
  out = CutFrameStrips(source, info, geometry_);
  if (!active && info.AutoRenderingInActiveImage) {
    for (Bitmap32* strip : {&out.top, &out.bottom, &out.left, &out.right}) ApplyInactiveEffect(*strip, info.InActiveEffect);
  }
  std::unique_ptr<Canvas> top = out.top.IsEmpty() ? nullptr : make_canvas(out.top);
  std::unique_ptr<Canvas> bottom = out.bottom.IsEmpty() ? nullptr : make_canvas(out.bottom);
  for (auto& object : FrameObjects) {
    if (!object->Visible || !ShownInRollState(*object)) continue;
    if (object->ObjectRect.bottom <= geometry_.client.top) {
      if (top) object->Draw(*top, true, {0, 0});
    } else if (bottom) {
      object->Draw(*bottom, true, {0, geometry_.client.bottom});
    }
  }
  return true;
}

bool TskSkinFrame::ComposePlainFrame(FrameStrips& out, const CanvasFactory& make_canvas) {
  out = {};
  const int w = width_, h = height_;
  const int top_h = PlainCaptionHeight + 3;
  if (w < 6 || h < top_h + 3) return false;
  if (PlainObjects.empty()) CreatePlainObjects();
  LayoutPlainObjects();
  const PlainFrameColors c = host_.PlainColors();
  out.top = Bitmap32(w, top_h);
  out.bottom = Bitmap32(w, 3);
  out.left = Bitmap32(3, h - top_h - 3);
  out.right = Bitmap32(3, h - top_h - 3);
  out.top_at = {0, 0};
  out.bottom_at = {0, h - 3};
  out.left_at = {0, top_h};
  out.right_at = {w - 3, top_h};
  const bool active = IsFormActive();
  const std::pair<Bitmap32*, Point> strips[] = {
      {&out.top, out.top_at}, {&out.bottom, out.bottom_at}, {&out.left, out.left_at}, {&out.right, out.right_at}};
  for (const auto& [strip, at] : strips) {
    std::unique_ptr<Canvas> canvas = make_canvas(*strip);
    const int ox = -at.x, oy = -at.y;
    // Three nested frames: 3-D light over 3-D dark shadow, highlight over shadow, then face.
    const Color tl[3] = {c.light3d, c.highlight, c.face}, br[3] = {c.dark_shadow3d, c.shadow, c.face};
    for (int i = 0; i < 3; ++i) {
      const Rect r{i + ox, i + oy, w - i + ox, h - i + oy};
      canvas->Line(r.left, r.top, r.right - 1, r.top, tl[i]);
      canvas->Line(r.left, r.top, r.left, r.bottom - 1, tl[i]);
      canvas->Line(r.left, r.bottom - 1, r.right, r.bottom - 1, br[i]);
      canvas->Line(r.right - 1, r.top, r.right - 1, r.bottom, br[i]);
    }
    if (strip != &out.top) continue;
    const Rect band = PlainCaptionBand();
    canvas->FillRect(band, c.face);
    int buttons_left = band.right, text_left = band.left;
    for (const auto& object : PlainObjects) {
      const auto& b = static_cast<const TskSkinStdButtonObject&>(*object);
      if (b.Command == SkinCommand::SysMenu) {
        text_left = b.ObjectRect.right;
      } else {
        buttons_left = std::min(buttons_left, b.ObjectRect.left);
      }
    }
    // The ridged band between the system menu button and the caption buttons.
    const Rect ridges{text_left + 2, band.top + 2, buttons_left - 2, band.bottom - 4};
    for (int y = ridges.top; y < ridges.bottom; ++y) {
      canvas->Line(ridges.left, y, ridges.right, y, (y - ridges.top) % 2 == 0 ? c.highlight : c.shadow);
    }
    const std::string text = host_.CaptionText();
    if (!text.empty() && ridges.Width() > 0) {
      canvas->SetFont(DefCaptionFont);
      const std::string shown = TskSkinCaptionObject::FitText(*canvas, text, ridges.Width() - 8);
      const Size extent = canvas->TextExtent(shown);
      const int x = ridges.left + ridges.Width() / 2 - extent.cx / 2;
      const int y = band.top + band.Height() / 2 - extent.cy / 2;
      // The text sits on a plain patch of the band, clear of the ridges.
      canvas->FillRect({x - 4, band.top, x + extent.cx + 4, band.bottom}, c.face);
      canvas->TextOut(x, y, shown, active ? c.button_text : c.shadow, ridges);
    }
    for (const auto& object : PlainObjects) object->Draw(*canvas, true, {0, 0});
  }
  return true;
}

void TskSkinFrame::DrawObject(int index, Canvas& window_canvas) {
  if (index < 0 || index >= int(LiveObjects().size())) return;
  TskActiveSkinObject& object = *LiveObjects()[std::size_t(index)];
  if (!object.Visible || !ShownInRollState(object)) return;
  object.Draw(window_canvas, false, {0, 0});
}

void TskSkinFrame::PaintClientBackground(Canvas& canvas, Size client_size, Color face) const {
  const Rect all{0, 0, client_size.cx, client_size.cy};
  const Bitmap32* tile = nullptr;
  Rect part;
  if (SkinActive()) {
    if (const SkinBitmap* bg = skin_->ActivePicture(Info().BGPictureIndex)) {
      tile = bg;
      part = bg->Bounds();
    } else if (Info().BGPictureIndex == -1) {
      tile = &skin_->Picture;
      part = Info().ClientRect.Intersect(skin_->Picture.Bounds());
    }
  }
  if (tile == nullptr || part.IsEmpty()) {
    canvas.FillRect(all, face);
    return;
  }
  for (int y = 0; y < client_size.cy; y += part.Height()) {
    for (int x = 0; x < client_size.cx; x += part.Width()) canvas.DrawBitmap(*tile, part, x, y);
  }
}

// ---------------------------------------------------------------------------------------------
// Objects and mouse

int TskSkinFrame::IndexOf(const TskActiveSkinObject& object) const {
  for (std::size_t i = 0; i < LiveObjects().size(); ++i) {
    if (LiveObjects()[i].get() == &object) return int(i);
  }
  return -1;
}

void TskSkinFrame::RequestRepaint(TskActiveSkinObject& object) {
  if (object.Morphing && object.IsMorphing()) {
    if (!morph_timer_) {
      morph_timer_ = true;
      host_.SetTimer(FrameTimer::Morph, true);
    }
    return;
  }
  host_.RepaintObject(IndexOf(object));
}

bool TskSkinFrame::MorphTimerTick() {
  bool moved = false;
  for (std::size_t i = 0; i < LiveObjects().size(); ++i) {
    TskActiveSkinObject& object = *LiveObjects()[i];
    if (!object.Morphing || !object.IsMorphing()) continue;
    object.MorphStep();
    moved = true;
    host_.RepaintObject(int(i));
  }
  if (!moved && morph_timer_) {
    morph_timer_ = false;
    host_.SetTimer(FrameTimer::Morph, false);
  }
  return moved;
}

void TskSkinFrame::UpdateHover(Point p) {
  int hovered = -1;
  for (std::size_t i = 0; i < LiveObjects().size(); ++i) {
    const TskActiveSkinObject& o = *LiveObjects()[i];
    if (ShownInRollState(o) && o.Enabled && o.Visible && o.ObjectRect.Contains(p)) {
      hovered = int(i);
      break;
    }
  }
  if (PressedIndex != -1 && hovered != PressedIndex) hovered = -1;
  if (hovered == HoverIndex) return;
  const int old = HoverIndex;
  HoverIndex = hovered;
  if (old != -1 && old < int(LiveObjects().size())) LiveObjects()[std::size_t(old)]->MouseLeave();
  if (hovered != -1) LiveObjects()[std::size_t(hovered)]->MouseEnter();
}

void TskSkinFrame::ClearHover() {
  const int old = HoverIndex;
  HoverIndex = -1;
  if (old != -1 && old < int(LiveObjects().size())) LiveObjects()[std::size_t(old)]->MouseLeave();
}

void TskSkinFrame::ResetObjects() {
  for (auto& object : LiveObjects()) {
    if (dynamic_cast<TskSkinCaptionObject*>(object.get()) == nullptr) object->ResetState();
  }
}

void TskSkinFrame::HoverTimerTick(Point cursor) {
  if (InSizeMove) {
    hover_timer_ = false;
    host_.SetTimer(FrameTimer::Hover, false);
    return;
  }
  const Rect client = SkinActive() ? geometry_.client : Rect{3, PlainCaptionHeight + 3, width_ - 3, height_ - 3};
  if (client.Contains(cursor)) {
    ClearHover();
  } else {
    UpdateHover(cursor);
  }
}

void TskSkinFrame::NcMouseMove(Point p) {
  const int index = PressedIndex != -1 ? PressedIndex : HoverIndex;
  if (index >= 0 && index < int(LiveObjects().size())) LiveObjects()[std::size_t(index)]->MouseMove(p.x, p.y);
}

void TskSkinFrame::NcButtonDown(Point p, TskMouseButton button, int hit_code) {
  UpdateHover(p);
  if (HoverIndex == -1) return;
  TskActiveSkinObject& object = *LiveObjects()[std::size_t(HoverIndex)];
  const int index = HoverIndex;
  object.MouseDown(p.x, p.y, button);
  if (index >= int(LiveObjects().size()) || LiveObjects()[std::size_t(index)].get() != &object) return;
  PressedIndex = index;
  if (dynamic_cast<TskSkinCaptionObject*>(&object) == nullptr) host_.SetCapture(true);
  if (hit_code == kHitCaption) PressedIndex = -1;
}

void TskSkinFrame::ButtonUp(Point p, TskMouseButton button) {
  if (PressedIndex < 0 || PressedIndex >= int(LiveObjects().size())) {
    PressedIndex = -1;
    return;
  }
  TskActiveSkinObject& object = *LiveObjects()[std::size_t(PressedIndex)];
  PressedIndex = -1;
  if (dynamic_cast<TskSkinCaptionObject*>(&object) == nullptr) host_.SetCapture(false);
  object.MouseUp(p.x, p.y, button);
}

void TskSkinFrame::NcDblClick(Point p, TskMouseButton button, int hit_code) {
  NcButtonDown(p, button, hit_code);
  if (button != TskMouseButton::Left) return;
  if (HoverIndex != -1) LiveObjects()[std::size_t(HoverIndex)]->DblClick();
  if (hit_code != kHitCaption) return;
  if (Sizeable && FrameState == TskFrameState::Minimized) {
    SetFrameState(TskFrameState::Normal);
  } else if (Sizeable && FrameState != TskFrameState::Maximized && !RolledUp && (BorderIcons & biMaximize)) {
    SetFrameState(TskFrameState::Maximized);
  } else if (Sizeable && FrameState == TskFrameState::Maximized) {
    SetFrameState(TskFrameState::Normal);
  } else {
    SetRolledUp(!RolledUp);
  }
}

void TskSkinFrame::ActivationChanged(bool reset) {
  if (reset) {
    ClearHover();
    ResetObjects();
  }
  for (auto& object : LiveObjects()) {
    if (dynamic_cast<TskSkinCaptionObject*>(object.get()) && ShownInRollState(*object) && object->HasHotImage()) {
      object->Hot = IsFormActive();
      RequestRepaint(*object);
    }
  }
}

void TskSkinFrame::EnterSizeMove() {
  ResetObjects();
  hover_timer_ = false;
  host_.SetTimer(FrameTimer::Hover, false);
  HoverIndex = PressedIndex = -1;
  InSizeMove = true;
}

void TskSkinFrame::ExitSizeMove() {
  hover_timer_ = false;
  host_.SetTimer(FrameTimer::Hover, false);
  HoverIndex = PressedIndex = -1;
  InSizeMove = false;
}

// ---------------------------------------------------------------------------------------------
// Texts

namespace {

// A replacement text when the component has one, else the engine's own.
std::string Text(const TskResourceStrData* strings, const char* key, const char* own) {
  if (strings != nullptr) {
    std::string replaced = strings->GetResStr(key);
    if (!replaced.empty()) return replaced;
  }
  return own;
}

}  // namespace

void TskSkinFrame::ApplyDefaultHints(const TskResourceStrData* strings) {
  if (!UseDefaultObjectHint) return;
  for (auto& object : FrameObjects) {
    auto* button = dynamic_cast<TskSkinStdButtonObject*>(object.get());
    if (button == nullptr) continue;
    switch (button->Command) {
      case SkinCommand::Close: button->Hint = Text(strings, "CLOSEBUTTON_HINT", "关闭"); break;
      case SkinCommand::Maximize: button->Hint = Text(strings, "MAXBUTTON_HINT", "最大化"); break;
      case SkinCommand::Minimize: button->Hint = Text(strings, "MINBUTTON_HINT", "最小化"); break;
      case SkinCommand::SysMenu: button->Hint = Text(strings, "MENUBUTTON_HINT", "系统菜单"); break;
      case SkinCommand::RollUp: button->Hint = Text(strings, "ROLLUPBUTTON_HINT", "卷起"); break;
      case SkinCommand::MinimizeToTray: button->Hint = Text(strings, "TRAYBUTTON_HINT", "最小化到系统托盘区"); break;
      case SkinCommand::Default: break;
    }
  }
}

std::vector<SysMenuItem> TskSkinFrame::DefaultSystemMenuItems(const TskResourceStrData* strings) const {
  std::vector<SysMenuItem> items;
  const bool minimized = FrameState == TskFrameState::Minimized, maximized = FrameState == TskFrameState::Maximized;
  if ((BorderIcons & biMinimize) && !minimized) {
    items.push_back({"DSF_MINITEM", Text(strings, "MI_MINCAPTION", "最小化(&N)"), "", SkinCommand::Minimize});
  }
  if (minimized || maximized || RolledUp) {
    items.push_back({"DSF_RESTORE", Text(strings, "MI_RESTORECAPTION", "恢复(&R)"), "", SkinCommand::Default});
  }
  if ((BorderIcons & biMaximize) && !maximized) {
    items.push_back({"DSF_MAXITEM", Text(strings, "MI_MAXCAPTION", "最大化(&X)"), "", SkinCommand::Maximize});
  }
  if ((BorderIcons & biRollUp) && !RolledUp && !minimized) {
    items.push_back({"DSF_ROLLUP", Text(strings, "MI_ROLLUPCAPTION", "卷起(&L)"), "", SkinCommand::RollUp});
  }
  if (BorderIcons & biMinimizeToTray) {
    items.push_back(
        {"DSF_MINTOTRAY", Text(strings, "MI_MINTOTRAYCAPTION", "最小化到系统托盘区(&T)"), "", SkinCommand::MinimizeToTray});
  }
  items.push_back({"DSF_CLOSE", Text(strings, "MI_CLOSECAPTION", "关闭(&C)"), IsMDIChild ? "Ctrl+F4" : "Alt+F4",
                   SkinCommand::Close});
  return items;
}

// ---------------------------------------------------------------------------------------------
// Commands and frame state

void TskSkinFrame::RunCommand(SkinCommand command) {
  switch (command) {
    case SkinCommand::Close:
      host_.CloseForm();
      break;
    case SkinCommand::Maximize:
      SetFrameState(FrameState == TskFrameState::Maximized ? TskFrameState::Normal : TskFrameState::Maximized);
      break;
    case SkinCommand::Minimize:
      if (AlwaysMinimizeToTray) {
        host_.MinimizeToTray();
      } else {
        SetFrameState(FrameState == TskFrameState::Minimized ? TskFrameState::Normal : TskFrameState::Minimized);
      }
      break;
    case SkinCommand::RollUp:
      SetRolledUp(!RolledUp);
      break;
    case SkinCommand::MinimizeToTray:
      host_.MinimizeToTray();
      break;
    case SkinCommand::SysMenu:
    case SkinCommand::Default:
      break;
  }
}

void TskSkinFrame::SetFrameState(TskFrameState state) {
  if (state == FrameState) return;
  const Rect current = host_.WindowBounds();
  if (state == TskFrameState::Maximized) {
    if (SavedBounds.IsEmpty()) SavedBounds = current;
    const MonitorInfo m = host_.Monitor();
    Rect area = MaximizeOnFullScreen ? m.monitor : m.work_area;
    // A window exactly as large as the primary screen would be taken for a full-screen one.
    if (area == m.monitor && m.primary) area = area.Inflate(-1, -1);
    FrameState = TskFrameState::Maximized;
    host_.SetWindowBounds(area);
    return;
  }
  if (state == TskFrameState::Minimized) {
    if (host_.IsMainForm()) {
      host_.MinimizeApplication();
      return;
    }
    // Coming from maximised, the bounds to return to are already kept.
    if (SavedBounds.IsEmpty()) SavedBounds = current;
    FrameState = TskFrameState::Minimized;
    const int w = MinTrackWidth(), h = MinTrackHeight();
    const Rect work = host_.Monitor().work_area;
    const std::vector<Rect> parked = host_.ParkedForms();
    const int per_row = std::max(1, work.Width() / std::max(1, w));
    // The first free place from the bottom left, row by row upwards.
    for (int slot = 0;; ++slot) {
      const int x = work.left + (slot % per_row) * w;
      const int y = work.bottom - h - (slot / per_row) * h;
      const Rect place{x, y, x + w, y + h};
      const bool taken = std::any_of(parked.begin(), parked.end(),
                                     [&](const Rect& r) { return r.left == place.left && r.top == place.top; });
      if (!taken || slot > int(parked.size())) {
        host_.SetWindowBounds(place);
        return;
      }
    }
  }
  // Restore.
  FrameState = TskFrameState::Normal;
  const Rect saved = SavedBounds.IsEmpty() ? current : SavedBounds;
  SavedBounds = {};
  host_.SetWindowBounds(saved);
  hover_timer_ = true;
  host_.SetTimer(FrameTimer::Hover, true);
  if (saved.Width() == current.Width() && saved.Height() == current.Height()) host_.Relayout();
}

void TskSkinFrame::SetRolledUp(bool rolled_up) {
  if (!(BorderIcons & biRollUp) || FrameState == TskFrameState::Minimized || rolled_up == RolledUp) return;
  Rect bounds = host_.WindowBounds();
  if (rolled_up) {
    kept_height_ = bounds.Height();
    RolledUp = true;
    bounds.bottom = bounds.top + MinTrackHeight();
  } else {
    RolledUp = false;
    bounds.bottom = bounds.top + kept_height_;
  }
  host_.SetWindowBounds(bounds);
}

}  // namespace netscry
