#include "skin/KVEdit.h"

#include "skin/KVPublic.h"
#include "skin/KVThemesControls.h"

namespace kx {

namespace kvborder {

void RemoveNativeBorder(TCreateParams& params) {
  params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void RemeasureFrame(TWinControl& control) {
  if (!control.HandleAllocated()) return;
  SetWindowPos(control.Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kvborder

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
