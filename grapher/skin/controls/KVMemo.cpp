#include "skin/controls/KVMemo.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvMemo) {
  p.Color("BorderColor", &TkvMemo::BorderColor, &TkvMemo::SetBorderColor);
  p.Property("WantReturns", &TkvMemo::WantReturns, &TkvMemo::SetWantReturns).Default(true);
  p.Property("VScrollBar", &TkvMemo::VScrollBar, &TkvMemo::SetVScrollBar);
  p.Property("HScrollBar", &TkvMemo::HScrollBar, &TkvMemo::SetHScrollBar);
  p.Property("WantTabs", &TkvMemo::WantTabs, &TkvMemo::SetWantTabs).Default(false);
}

namespace {

struct MemoModule {
  MemoModule() { RegisterClasses({&TkvMemo::StaticClass()}); }
} memoModule;

}  // namespace

TkvMemo::TkvMemo(TComponent* owner) : TMemo(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvMemo::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvMemo::SetVScrollBar(TkvScrollBar* bar) { LinkBar(true, bar); }

void TkvMemo::SetHScrollBar(TkvScrollBar* bar) { LinkBar(false, bar); }

void TkvMemo::LinkBar(bool vertical, TkvScrollBar* bar) {
  if (!bars_.Link(vertical, bar)) return;
  // The native bars exist exactly where a skinned bar lies over them.
  const bool v = bars_.Bar(true), h = bars_.Bar(false);
  SetScrollBars(v && h ? ssBoth : v ? ssVertical : h ? ssHorizontal : ssNone);
  if (bar) bars_.Place();
}

void TkvMemo::Notification(TComponent* component, TOperation operation) {
  TMemo::Notification(component, operation);
  if (operation == opRemove) bars_.Forget(component);
}

void TkvMemo::CreateParams(TCreateParams& params) {
  TMemo::CreateParams(params);
  kvborder::RemoveNativeBorder(params);
}

void TkvMemo::CreateWindowHandle(const TCreateParams& params) {
  TMemo::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
  bars_.Sync();
}

void TkvMemo::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TMemo::WndProc(m); }, [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  if (m.Msg == WM_CHAR && ((m.WParam == '\r' && !wantReturns_) || (m.WParam == '\t' && !wantTabs_))) {
    char key = static_cast<char>(m.WParam);
    KeyPress(key);
    return;
  }
  TMemo::WndProc(m);
  bars_.AfterMessage(m);
}

}  // namespace kx
