#include "skin/controls/KVEdit.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvEdit) { p.Color("BorderColor", &TkvEdit::BorderColor, &TkvEdit::SetBorderColor); }

namespace {

struct EditModule {
  EditModule() { RegisterClasses({&TkvEdit::StaticClass()}); }
} editModule;

}  // namespace

TkvEdit::TkvEdit(TComponent* owner) : TCustomEdit(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvEdit::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  kvborder::RemoveNativeBorder(params);
}

void TkvEdit::CreateWindowHandle(const TCreateParams& params) {
  TCustomEdit::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvEdit::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TCustomEdit::WndProc(m); }, [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TCustomEdit::WndProc(m);
}

}  // namespace kx
