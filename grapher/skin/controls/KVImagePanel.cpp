#include "skin/controls/KVImagePanel.h"

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvCustomPanel) {}

KX_PUBLISH(TkvImagePanel) {
  p.Property("Picture", &TkvImagePanel::Picture, &TkvImagePanel::SetPicture);
  p.Property("Transparent", &TkvImagePanel::Transparent, &TkvImagePanel::SetTransparent).Default(false);
  p.Property("AutoSize", &TkvImagePanel::AutoSize, &TkvImagePanel::SetAutoSize).Default(false);
  p.Property("DrawStyle", &TkvImagePanel::DrawStyle, &TkvImagePanel::SetDrawStyle).Default(kvNormal);
}

namespace {

struct ImagePanelModule {
  ImagePanelModule() { RegisterClasses({&TkvImagePanel::StaticClass()}); }
} imagePanelModule;

bool HoldsGraphic(const TPicture& picture) { return picture.Graphic() && !picture.Graphic()->Empty(); }

}  // namespace

TkvCustomPanel::TkvCustomPanel(TComponent* owner) : TCustomPanel(owner), picture_(std::make_unique<TPicture>()) {
  picture_->OnChange = TNotifyEvent([this](TObject*) { PictureChanged(); });
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  Invalidate();
}

TkvCustomPanel::~TkvCustomPanel() { picture_->OnChange = TNotifyEvent(); }

void TkvCustomPanel::SetPicture(TPicture* picture) {
  picture_->Assign(picture);
  PrepareBackground();
  Invalidate();
}

void TkvCustomPanel::SetAutoSize(bool on) {
  autoSize_ = on;
  if (HoldsGraphic(*picture_)) FitToPicture();
}

void TkvCustomPanel::SetDrawStyle(TkvDrawStyle style) {
  drawStyle_ = style;
  PrepareBackground();
  Invalidate();
}

void TkvCustomPanel::DoSetTransparent(bool on) {
  transparent_ = on;
  if (HoldsGraphic(*picture_)) picture_->Graphic()->SetTransparent(on);
  Invalidate();
}

// The framework has no foreign parent windows, so there is nothing to fill
// beyond the canvas's brush.
void TkvCustomPanel::PrepareBackground() { Canvas()->Brush()->SetColor(Color()); }

void TkvCustomPanel::PictureChanged() {
  if (HoldsGraphic(*picture_)) {
    FitToPicture();
    if (picture_->Graphic()->Transparent() != transparent_) picture_->Graphic()->SetTransparent(transparent_);
  }
  PrepareBackground();
  Invalidate();
}

void TkvCustomPanel::FitToPicture() {
  if (!autoSize_) return;
  const TAlign align = Align();
  if (align != alTop && align != alBottom && align != alClient) SetWidth(picture_->Width());
  if (align != alLeft && align != alRight && align != alClient) SetHeight(picture_->Height());
}

void TkvCustomPanel::PaintPanel(TBitmap& b) {
  b.SetSize(Width(), Height());
  TCanvas& c = *b.Canvas();
  const RECT client = ClientRect();
  if (transparent_) PaintParentBackground(c, *this);
  if (HoldsGraphic(*picture_)) {
    switch (drawStyle_) {
      case kvStretch:
        c.StretchDraw(client, picture_->Graphic());
        break;
      case kvTile:
        TilePicture(c, *picture_, client);
        break;
      case kvNormal:
        c.Draw(0, 0, picture_->Graphic());
        break;
    }
  } else if (!transparent_) {
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(client);
  }
  c.Brush()->SetStyle(bsClear);
  const std::string caption = Caption();
  if (caption.find_first_not_of(' ') == std::string::npos) return;
  c.Font()->Assign(Font());
  const UINT align = Alignment() == taLeftJustify ? DT_LEFT : Alignment() == taRightJustify ? DT_RIGHT : DT_CENTER;
  RECT r = client;
  c.TextRect(r, caption, align | DT_SINGLELINE | DT_VCENTER);
}

void TkvCustomPanel::PaintTo(TBitmap& b) { PaintPanel(b); }

void TkvCustomPanel::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap b;
  PaintTo(b);
  Canvas()->Draw(0, 0, &b);
}

void TkvCustomPanel::Resize() {
  TCustomPanel::Resize();
  Invalidate();
}

void TkvCustomPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // the paint covers every pixel
      return;
    case CM_TEXTCHANGED:
      TCustomPanel::WndProc(m);
      TextChanged();
      Invalidate();
      return;
    default:
      TCustomPanel::WndProc(m);
  }
}

void TkvImagePanel::ApplyStyleToPanel(TkvUIStyle style) { ApplyStyleToControls(*this, style); }

}  // namespace kx
