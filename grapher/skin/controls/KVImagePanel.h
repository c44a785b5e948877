// A panel that paints a picture (as it is, stretched or tiled) or its
// colour, optionally over its parent's background, and its caption. The
// picture panel publishes it; the track bar uses one as its slider.
#pragma once

#include <memory>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Graphics.h"
#include "skin/look/KVThemes.h"

namespace kx {

enum TkvDrawStyle { kvNormal, kvStretch, kvTile };
KX_ENUM_NAMES(TkvDrawStyle, "kvNormal", "kvStretch", "kvTile")

class TkvCustomPanel : public TCustomPanel {
  KX_CLASS(TkvCustomPanel, TCustomPanel)
 public:
  explicit TkvCustomPanel(TComponent* owner);
  ~TkvCustomPanel() override;

  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* picture);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on) { DoSetTransparent(on); }
  bool AutoSize() const { return autoSize_; }
  // Fits the panel to a picture it holds; no repaint of its own.
  void SetAutoSize(bool on);
  TkvDrawStyle DrawStyle() const { return drawStyle_; }
  void SetDrawStyle(TkvDrawStyle style);

  // The panel as it paints now, into `bitmap` (resized to the panel).
  virtual void PaintTo(TBitmap& bitmap);

 protected:
  virtual void PrepareBackground();
  virtual void TextChanged() {}
  virtual void PictureChanged();
  virtual void DoSetTransparent(bool on);
  // The panel's own picture, colour and caption: the first steps of PaintTo.
  void PaintPanel(TBitmap& bitmap);

  void Paint() override;
  void Resize() override;
  void WndProc(TMessage& m) override;

 private:
  void FitToPicture();

  std::unique_ptr<TPicture> picture_;
  bool transparent_ = false;
  bool autoSize_ = false;
  TkvDrawStyle drawStyle_ = kvNormal;
};

class TkvImagePanel : public TkvCustomPanel {
  KX_CLASS(TkvImagePanel, TkvCustomPanel)
 public:
  explicit TkvImagePanel(TComponent* owner) : TkvCustomPanel(owner) {}
  // ApplyStyleToControls on the panel's own controls.
  void ApplyStyleToPanel(TkvUIStyle style);
};

}  // namespace kx
