#include "skin/controls/KVGroupBox.h"

#include <cstdlib>

#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvCustomGroupBox) {
  p.Property("Caption", &TkvCustomGroupBox::Caption, &TkvCustomGroupBox::SetCaption);
  p.Property("Transparent", &TkvCustomGroupBox::Transparent, &TkvCustomGroupBox::SetTransparent).Default(false);
}

KX_PUBLISH(TkvGroupBox) { p.Color("BorderColor", &TkvGroupBox::BorderColor, &TkvGroupBox::SetBorderColor); }

namespace {

struct GroupBoxModule {
  GroupBoxModule() { RegisterClasses({&TkvGroupBox::StaticClass()}); }
} groupBoxModule;

}  // namespace

TkvCustomGroupBox::TkvCustomGroupBox(TComponent* owner) : TkvCustomPanel(owner) {
  TControl::SetText(" ");
  SetBounds(Left(), Top(), 185, 105);
  SetParentColor(true);
  SetTransparent(false);
  const TkvUIStyle style = FormSkinStyle(owner);
  borderColor_ = ThemeColor(style, 8);
  Font()->SetColor(ThemeColor(style, 10));
}

void TkvCustomGroupBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  Invalidate();
}

void TkvCustomGroupBox::SetBorderColor(TColor color) {
  borderColor_ = color;
  Invalidate();
}

void TkvCustomGroupBox::SetEnabled(bool enabled) {
  TkvCustomPanel::SetEnabled(enabled);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(enabled);
  Invalidate();
}

void TkvCustomGroupBox::ApplyUIStyle(TkvUIStyle style) { ApplyStyleToControls(*this, style); }

void TkvCustomGroupBox::FontChanged() {
  TkvCustomPanel::FontChanged();
  Invalidate();
}

RECT TkvCustomGroupBox::InnerRect() const {
  RECT r = ClientRect();
  r.left += 3;
  r.top += std::abs(Font()->Height());
  r.right -= 2;
  r.bottom -= 2;
  return r;
}

void TkvCustomGroupBox::PaintTo(TBitmap& b) {
  const RECT r = ClientRect();
  if (Transparent()) {
    PaintPanel(b);  // the parent's background, and no text
  } else {
    b.SetSize(Width(), Height());
    b.Canvas()->Brush()->SetStyle(bsSolid);
    b.Canvas()->Brush()->SetColor(Color());
    b.Canvas()->FillRect(r);
  }
  TCanvas& c = *b.Canvas();
  c.Font()->Assign(Font());
  const int y = std::abs(Font()->Height()) / 2 + r.top + 1;
  c.Pen()->SetColor(borderColor_);
  c.MoveTo(r.left + 2, y);
  c.LineTo(r.left, y);
  c.LineTo(r.left, r.bottom - 1);
  c.LineTo(r.right - 1, r.bottom - 1);
  c.LineTo(r.right - 1, y);
  // The top line stops short of the caption, or closes the frame without one.
  c.LineTo(caption_.empty() ? r.left : r.left + c.TextWidth(caption_) + 6, y);
  if (!Enabled()) c.Font()->SetColor(clGray);
  c.Brush()->SetStyle(bsClear);
  c.TextOut(5, 0, caption_);
}

}  // namespace kx
