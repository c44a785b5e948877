// What form resources can name on every control: the published members of
// TControl, TWinControl and their size constraints.
#include "framework/windows/Controls.h"

#include "framework/windows/Menus.h"

namespace kx {

KX_PUBLISH(TSizeConstraints) {
  p.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
  p.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
  p.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
  p.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
}

KX_PUBLISH(TControl) {
  p.Property("Align", &TControl::Align, &TControl::SetAlign);
  p.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(int64_t(kDefaultAnchors.Bits()));
  // A value the parent gives is not written, so a reread inherits it again.
  p.Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode).StoredWhen([](const TControl& c) {
    return !c.ParentBiDiMode();
  });
  p.Property("Caption", &TControl::Caption, &TControl::SetCaption);
  p.Color("Color", &TControl::Color, &TControl::SetColor);
  p.Property("Constraints", &TControl::Constraints, nullptr);
  p.Property("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D).StoredWhen([](const TControl& c) {
    return !c.ParentCtl3D();
  });
  p.Property("Cursor", &TControl::Cursor, &TControl::SetCursor);
  p.Property("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Default(crDrag).Idents(kDragCursorIdents);
  p.Property("DragKind", &TControl::DragKind, &TControl::SetDragKind).Default(dkDrag);
  p.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
  p.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled);
  p.Property("Font", &TControl::Font, nullptr);
  p.Property("Height", &TControl::Height, &TControl::SetHeight);
  p.Property("Hint", &TControl::Hint, &TControl::SetHint);
  p.Property("Left", &TControl::Left, &TControl::SetLeft);
  p.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  p.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
  p.Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  p.Property("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D).Default(true);
  p.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  p.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  p.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).StoredWhen([](const TControl& c) {
    return !c.ParentShowHint();
  });
  p.Property("Top", &TControl::Top, &TControl::SetTop);
  p.Property("Visible", &TControl::Visible, &TControl::SetVisible);
  p.Property("Width", &TControl::Width, &TControl::SetWidth);
  p.Field("OnClick", &TControl::OnClick);
  p.Field("OnDblClick", &TControl::OnDblClick);
  p.Field("OnMouseDown", &TControl::OnMouseDown);
  p.Field("OnMouseEnter", &TControl::OnMouseEnter);
  p.Field("OnMouseLeave", &TControl::OnMouseLeave);
  p.Field("OnMouseMove", &TControl::OnMouseMove);
  p.Field("OnMouseUp", &TControl::OnMouseUp);
  p.Field("OnCanResize", &TControl::OnCanResize);
  p.Field("OnResize", &TControl::OnResize);
  p.Field("OnConstrainedResize", &TControl::OnConstrainedResize);
  p.Field("OnContextPopup", &TControl::OnContextPopup);
  p.Field("OnMouseWheel", &TControl::OnMouseWheel);
  p.Field("OnMouseWheelDown", &TControl::OnMouseWheelDown);
  p.Field("OnMouseWheelUp", &TControl::OnMouseWheelUp);
  p.Field("OnDragDrop", &TControl::OnDragDrop);
  p.Field("OnDragOver", &TControl::OnDragOver);
  p.Field("OnEndDock", &TControl::OnEndDock);
  p.Field("OnEndDrag", &TControl::OnEndDrag);
  p.Field("OnStartDock", &TControl::OnStartDock);
  p.Field("OnStartDrag", &TControl::OnStartDrag);
}

KX_PUBLISH(TWinControl) {
  p.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  p.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  p.Field("OnEnter", &TWinControl::OnEnter);
  p.Field("OnExit", &TWinControl::OnExit);
  p.Field("OnKeyDown", &TWinControl::OnKeyDown);
  p.Field("OnKeyPress", &TWinControl::OnKeyPress);
  p.Field("OnKeyUp", &TWinControl::OnKeyUp);
  p.Property("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).Default(false);
  p.Property("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode).Default(imDontCare);
  p.Property("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName).StoredWhen([](const TWinControl& c) {
    return !c.ImeName().empty();
  });
  p.Property("UseDockManager", &TWinControl::UseDockManager, &TWinControl::SetUseDockManager).Default(false);
  p.Field("OnDockDrop", &TWinControl::OnDockDrop);
  p.Field("OnDockOver", &TWinControl::OnDockOver);
  p.Field("OnGetSiteInfo", &TWinControl::OnGetSiteInfo);
  p.Field("OnUnDock", &TWinControl::OnUnDock);
}

}  // namespace kx
