#include "skin/controls/KVListBox.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

namespace kvlist {

bool DrawRowOutsideList(const TCustomListBox& list, const TMessage& m) {
  if (m.Msg != CN_DRAWITEM) return false;
  const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  const int index = static_cast<int>(dis.itemID);
  if (index >= 0 && index < list.Count()) return false;
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(list.Color())));
  FillRect(dis.hDC, &dis.rcItem, brush.Get());
  return true;
}

}  // namespace kvlist

KX_PUBLISH(TkvListBox) {
  p.Color("BorderColor", &TkvListBox::BorderColor, &TkvListBox::SetBorderColor);
  p.Property("VScrollBar", &TkvListBox::VScrollBar, &TkvListBox::SetVScrollBar);
}

namespace {

struct ListBoxModule {
  ListBoxModule() { RegisterClasses({&TkvListBox::StaticClass()}); }
} listBoxModule;

}  // namespace

TkvListBox::TkvListBox(TComponent* owner) : TCustomListBox(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvListBox::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvListBox::SetVScrollBar(TkvScrollBar* bar) {
  if (bars_.Link(true, bar) && bar) bars_.Place();
}

void TkvListBox::Notification(TComponent* component, TOperation operation) {
  TCustomListBox::Notification(component, operation);
  if (operation == opRemove) bars_.Forget(component);
}

void TkvListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  kvborder::RemoveNativeBorder(params);
}

void TkvListBox::CreateWindowHandle(const TCreateParams& params) {
  TCustomListBox::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
  bars_.Sync();
}

void TkvListBox::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TCustomListBox::WndProc(m); },
          [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  if (kvlist::DrawRowOutsideList(*this, m)) {
    m.Result = TRUE;
    return;
  }
  TCustomListBox::WndProc(m);
  bars_.AfterMessage(m);
}

}  // namespace kx
