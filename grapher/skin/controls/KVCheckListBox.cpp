#include "skin/controls/KVCheckListBox.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVListBox.h"
#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvCheckListBox) {
  p.Property("UIStyle", &TkvCheckListBox::UIStyle, &TkvCheckListBox::SetUIStyle);
  p.Color("BorderColor", &TkvCheckListBox::BorderColor, &TkvCheckListBox::SetBorderColor);
  p.Property("VScrollBar", &TkvCheckListBox::VScrollBar, &TkvCheckListBox::SetVScrollBar);
  p.Property("BorderStyle", &TkvCheckListBox::BorderStyle, &TkvCheckListBox::SetBorderStyle).NotStored();
  p.Property("BorderWidth", &TkvCheckListBox::BorderWidth, &TkvCheckListBox::SetBorderWidth).NotStored();
}

namespace {

struct CheckListBoxModule {
  CheckListBoxModule() { RegisterClasses({&TkvCheckListBox::StaticClass()}); }
} checkListBoxModule;

// The style pictures are 11 x 11 in every style.
constexpr int kPictureSize = 11;

}  // namespace

TkvCheckListBox::TkvCheckListBox(TComponent* owner) : TCheckListBox(owner) {
  borderColor_ = FormSkinBorderColor(owner);
  SetUIStyle(FormSkinStyle(owner));
}

void TkvCheckListBox::SetUIStyle(TkvUIStyle style) {
  if (style == TkvUIStyle::Custom) return;
  uiStyle_ = style;
  borderColor_ = ThemeColor(style, 8);
  Repaint();
}

void TkvCheckListBox::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

std::string TkvCheckListBox::CheckPictureName(bool checked) const {
  const int entry = Enabled() ? (checked ? 94 : 95) : (checked ? 92 : 93);
  return ThemeResourceName(uiStyle_, entry);
}

void TkvCheckListBox::SetVScrollBar(TkvScrollBar* bar) {
  if (bars_.Link(true, bar) && bar) bars_.Place();
}

void TkvCheckListBox::Notification(TComponent* component, TOperation operation) {
  TCheckListBox::Notification(component, operation);
  if (operation == opRemove) bars_.Forget(component);
}

void TkvCheckListBox::CreateParams(TCreateParams& params) {
  TCheckListBox::CreateParams(params);
  kvborder::RemoveNativeBorder(params);
}

void TkvCheckListBox::CreateWindowHandle(const TCreateParams& params) {
  TCheckListBox::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
  bars_.Sync();
}

void TkvCheckListBox::DrawFrame() {
  HWND wnd = Handle();
  RECT r{};
  GetWindowRect(wnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(borderColor_)));
  HDC dc = GetWindowDC(wnd);
  FrameRect(dc, &r, brush.Get());
  ReleaseDC(wnd, dc);
}

void TkvCheckListBox::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth(), [&] { TCheckListBox::WndProc(m); }, [&] { DrawFrame(); }))
    return;
  if (kvlist::DrawRowOutsideList(*this, m)) {
    m.Result = TRUE;
    return;
  }
  TCheckListBox::WndProc(m);
  bars_.AfterMessage(m);
}

void TkvCheckListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  const bool checked = Checked(index);
  TCheckListBox::DrawItem(index, rect, state);
  // A Custom box names no pictures: the framework's own check box stays.
  const std::string name = CheckPictureName(checked);
  if (name.empty()) return;
  TBitmap picture;
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), name);
  TCanvas& c = *Canvas();
  RECT box{0, rect.top, 14, rect.bottom};
  if (c.TextHeight("W") < 12) ++box.bottom;
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(Color());
  c.FillRect(box);
  c.Brush()->SetStyle(bsClear);
  c.Draw(1, box.top + (box.bottom - box.top - kPictureSize) / 2, &picture);
}

}  // namespace kx
