// Timers, panels, bevels and images.
#pragma once

#include <memory>

#include "framework/windows/Controls.h"

namespace kx {

class TTimer : public TComponent {
  KX_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  void Loaded() override;

  TNotifyEvent OnTimer;

 private:
  void UpdateTimer();
  void StopTimer();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
KX_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
// Bevels round a windowed control's edit area (kept for form resources).
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
KX_ENUM_NAMES(TBevelEdge, "beLeft", "beTop", "beRight", "beBottom")
using TBevelEdges = TSet<TBevelEdge>;
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
KX_ENUM_NAMES(TBevelKind, "bkNone", "bkTile", "bkSoft", "bkFlat")

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
KX_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

// Draws a 3D frame inside the rectangle and shrinks it by the frame.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width);

class TCustomPanel : public TCustomControl {
  KX_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v) {
    bevelInner_ = v;
    Realign();
    Invalidate();
  }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v) {
    bevelOuter_ = v;
    Realign();
    Invalidate();
  }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v) {
    bevelWidth_ = v;
    Realign();
    Invalidate();
  }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v) {
    borderWidth_ = v;
    Realign();
    Invalidate();
  }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
  }
  // A resize repaints the whole panel: what it draws from its size (bevels,
  // a centred caption, the skinned title bar's buttons) moves with it.
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool on) { fullRepaint_ = on; }
  // Kept for form resources: the panel has no docked controls to lock.
  bool Locked() const { return locked_; }
  void SetLocked(bool on) { locked_ = on; }

 protected:
  void Paint() override;
  void AlignControls(RECT& rect) override;
  void Resize() override;

 private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
  bool fullRepaint_ = true;
  bool locked_ = false;
};

class TPanel : public TCustomPanel {
  KX_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
KX_ENUM_NAMES(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer")
enum TBevelStyle { bsLowered, bsRaised };
KX_ENUM_NAMES(TBevelStyle, "bsLowered", "bsRaised")

class TBevel : public TGraphicControl {
  KX_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* owner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape v) {
    shape_ = v;
    Invalidate();
  }
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle v) {
    style_ = v;
    Invalidate();
  }

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

class TImage : public TGraphicControl {
  KX_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* picture) { picture_->Assign(picture); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
  }
  bool Center() const { return center_; }
  void SetCenter(bool on) {
    center_ = on;
    Invalidate();
  }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
};

}  // namespace kx
