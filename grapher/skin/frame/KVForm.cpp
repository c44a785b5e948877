// The skinned frame: creation, properties, style and face. Its life on the
// host (messages, border, sizing band, key hook) is in KVFormHost.cpp.
#include "skin/frame/KVForm.h"

#include <algorithm>
#include <utility>

#include "skin/controls/KVImagePanel.h"
#include "skin/controls/KVMenu.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvForm) {
  p.Property("UIStyle", &TkvForm::UIStyle, &TkvForm::SetUIStyle);
  p.Property("UIStyleAutoUpdateSub", &TkvForm::UIStyleAutoUpdateSub, &TkvForm::SetUIStyleAutoUpdateSub);
  p.Color("BorderColor", &TkvForm::BorderColor, &TkvForm::SetBorderColor);
  p.Property("BorderWidth", &TkvForm::BorderWidth, &TkvForm::SetBorderWidth);
  p.Property("TitleBarVisible", &TkvForm::TitleBarVisible, &TkvForm::SetTitleBarVisible).Default(true);
  p.Property("Caption", &TkvForm::Caption, &TkvForm::SetCaption);
  p.Property("FormPanel", &TkvForm::FormPanel, &TkvForm::SetFormPanel);
  p.Property("TitleBarButtons", &TkvForm::TitleBarButtons, &TkvForm::SetTitleBarButtons);
  p.Property("TitleBarSections", &TkvForm::TitleBarSections, &TkvForm::SetTitleBarSections);
  p.Property("TitleBarDrawAppIcon", &TkvForm::TitleBarDrawAppIcon, &TkvForm::SetTitleBarDrawAppIcon);
  p.Property("Font", &TkvForm::TitleBarFont, &TkvForm::SetTitleBarFont);
  p.Property("Menu", &TkvForm::Menu, &TkvForm::SetMenu);
  p.Color("MenuBarColor", &TkvForm::MenuBarColor, &TkvForm::SetMenuBarColor);
  p.Property("MenuBarHeight", &TkvForm::MenuBarHeight, &TkvForm::SetMenuBarHeight).Default(22);
  p.Property("Height", &TkvForm::Height, &TkvForm::SetHeight);
  p.Property("Width", &TkvForm::Width, &TkvForm::SetWidth);
  p.Property("RoundCorner", &TkvForm::RoundCorner, &TkvForm::SetRoundCorner);
  p.Property("OnTitleBarCustomBtnsClick", &TkvForm::OnTitleBarCustomBtnsClick, &TkvForm::SetOnTitleBarCustomBtnsClick);
  p.Property("OnTitleBarHelpBtnClick", &TkvForm::OnTitleBarHelpBtnClick, &TkvForm::SetOnTitleBarHelpBtnClick);
}

namespace {

struct FormModule {
  FormModule() { RegisterClasses({&TkvForm::StaticClass()}); }
} formModule;

}  // namespace

TkvForm* TkvForm::FindOn(const TComponent* host) {
  auto* container = dynamic_cast<const TWinControl*>(host);
  if (!container) return nullptr;
  for (int i = 0; i < container->ControlCount(); ++i)
    if (auto* form = dynamic_cast<TkvForm*>(container->Controls(i))) return form;
  return nullptr;
}

TkvForm::TkvForm(TComponent* owner) : TCustomPanel(owner) {
  auto* host = dynamic_cast<TCustomForm*>(owner);
  if (!host) return;
  // Refused before anything of the host changes, so the host stays as the
  // first frame left it.
  if (FindOn(host)) throw EComponentError("Sorry, You can create only one TkvForm component in one form!");
  host_ = host;
  SetParent(host);  // where the other controls' lookups find the frame
  host->Constraints()->SetMinHeight(50);
  host->Constraints()->SetMinWidth(125);
  createBounds_ = RECT{host->Left(), host->Top(), host->Left() + host->Width(), host->Top() + host->Height()};
  maximizedAtCreate_ = host->WindowState() == wsMaximized;

  titleBar_ = new TkvTitleBar(this);
  titleBar_->SetParent(this);
  menuBarColor_ = Color();
  menuBarHeight_ = 22;
  originalBorderStyle_ = host->BorderStyle();

  SetUIStyle(TkvUIStyle::DeepBlue);
  uiStyleAutoUpdateSub_ = false;
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  TCustomPanel::SetBorderWidth(0);
  SetAlign(alNone);
  SetCaption(host->Caption());
  SetTitleBarVisible(true);
  SetText(" ");

  const RECT area = QueryDesktopWorkArea();
  host->Constraints()->SetMaxHeight(area.bottom - area.top);
  host->Constraints()->SetMaxWidth(area.right - area.left);
  // An MDI window keeps its border: the system frames and sizes it.
  if (!IsMDIHost()) host->SetBorderStyle(bsNone);
  host->SetAutoScroll(false);
  HookHost();
  DropHostCaption();
  InstallKeyHook();
}

TkvForm::~TkvForm() {
  RemoveKeyHook();
  UnhookHost();
  if (menu_) {
    if (auto* link = dynamic_cast<TkvMenuBarLink*>(menu_)) link->SetMenuBarForm(nullptr);
    menu_->RemoveFreeNotification(this);
    menu_ = nullptr;
  }
  if (formPanel_) formPanel_->RemoveFreeNotification(this);
  delete std::exchange(menuBar_, nullptr);
  delete titleBar_;
  if (host_ && !host_->IsDestroying()) host_->Invalidate();
}

void TkvForm::Notification(TComponent* component, TOperation operation) {
  TCustomPanel::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == formPanel_) {
    formPanel_ = nullptr;
    ShowMDIClientInPanel();
  }
  if (component != menu_) return;
  // The menu is going: nothing of it may be called any more.
  menu_ = nullptr;
  DestroyMenuBar();
}

// ---------------------------------------------------------------------------
// Properties

void TkvForm::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  if (style == TkvUIStyle::Custom) return;
  SetBorderColor(ThemeColor(style, 2));
  SetBorderWidth(ThemeInteger(style, 4));
  SetColor(ThemeColor(style, 3));
  SetMenuBarColor(Color());
  if (titleBar_) titleBar_->SetUIStyle(style);
  if (auto* menu = dynamic_cast<TkvMenuLook*>(menu_); menu && menu->UIStyle() != TkvUIStyle::Custom)
    menu->SetUIStyle(style);
  if (menuBar_) menuBar_->Invalidate();
  if (uiStyleAutoUpdateSub_) {
    ApplyStyleToNestedContainers(*this, style);
    ApplyStyleToControls(*this, style);
  }
  ArrangeInForm();
  Invalidate();
  PaintFormBorder();
}

void TkvForm::SetBorderColor(TColor color) {
  borderColor_ = color;
  ArrangeInForm();
  PaintFormBorder();
}

void TkvForm::SetBorderWidth(int pixels) {
  borderWidth_ = pixels;
  SetWidth(Width());
  ArrangeInForm();
  SetHeight(Height());
  PaintFormBorder();
}

bool TkvForm::TitleBarVisible() const { return titleBar_ && titleBar_->Visible(); }

void TkvForm::SetTitleBarVisible(bool on) {
  if (!titleBar_ || on == titleBar_->Visible()) return;
  titleBar_->SetVisible(on);
  titleBar_->SetTop(0);
  ArrangeInForm();
  PaintFormBorder();
}

std::string TkvForm::Caption() const { return titleBar_ ? titleBar_->Caption() : TCustomPanel::Caption(); }

void TkvForm::SetCaption(const std::string& caption) {
  if (!titleBar_) {
    TCustomPanel::SetCaption(caption);
    return;
  }
  titleBar_->SetCaption(caption);
  host_->SetCaption(caption);
}

TkvTitleBarButtons* TkvForm::TitleBarButtons() const { return titleBar_ ? titleBar_->Buttons() : nullptr; }

void TkvForm::SetTitleBarButtons(TkvTitleBarButtons* buttons) {
  if (titleBar_) titleBar_->SetButtons(buttons);
}

TkvTitleBarSections* TkvForm::TitleBarSections() const { return titleBar_ ? titleBar_->Sections() : nullptr; }

void TkvForm::SetTitleBarSections(TkvTitleBarSections* sections) {
  if (titleBar_) titleBar_->SetSections(sections);
}

TkvTitleBarButtonClickEvent TkvForm::OnTitleBarCustomBtnsClick() const {
  return titleBar_ ? titleBar_->OnCustomBtnsClick : TkvTitleBarButtonClickEvent();
}

void TkvForm::SetOnTitleBarCustomBtnsClick(TkvTitleBarButtonClickEvent handler) {
  if (titleBar_) titleBar_->OnCustomBtnsClick = std::move(handler);
}

TkvTitleBarButtonClickEvent TkvForm::OnTitleBarHelpBtnClick() const {
  return titleBar_ ? titleBar_->OnHelpBtnClick : TkvTitleBarButtonClickEvent();
}

void TkvForm::SetOnTitleBarHelpBtnClick(TkvTitleBarButtonClickEvent handler) {
  if (titleBar_) titleBar_->OnHelpBtnClick = std::move(handler);
}

void TkvForm::SetFormPanel(TCustomPanel* panel) {
  if (panel == this) {
    ShowSkinError("Sorry, you can't select the Form assign to FormPanel property");
    return;
  }
  if (formPanel_) formPanel_->RemoveFreeNotification(this);
  formPanel_ = panel;
  if (!panel) {
    ShowMDIClientInPanel();
    return;
  }
  panel->FreeNotification(this);
  panel->SetAlign(alClient);
  ShowMDIClientInPanel();
  if (dynamic_cast<TPanel*>(panel)) {
    panel->SetBevelInner(bvNone);
    panel->SetBevelOuter(bvNone);
    panel->SetBorderWidth(0);
    panel->SetCaption("");
  } else if (dynamic_cast<TkvImagePanel*>(panel)) {
    panel->SetCaption("");
  }
}

bool TkvForm::TitleBarDrawAppIcon() const { return titleBar_ && titleBar_->DrawAppIcon(); }

void TkvForm::SetTitleBarDrawAppIcon(bool on) {
  if (titleBar_) titleBar_->SetDrawAppIcon(on);
}

TFont* TkvForm::TitleBarFont() const { return titleBar_ ? titleBar_->Font() : Font(); }

void TkvForm::SetTitleBarFont(TFont* font) { TitleBarFont()->Assign(font); }

int TkvForm::RoundCorner() const { return titleBar_ ? titleBar_->RoundCorner() : 0; }

void TkvForm::SetRoundCorner(int radius) {
  if (titleBar_) titleBar_->SetRoundCorner(radius);
}

void TkvForm::SetMenu(TMainMenu* menu) {
  if (menu != menu_) {
    if (menu_) {
      if (auto* link = dynamic_cast<TkvMenuBarLink*>(menu_)) link->SetMenuBarForm(nullptr);
      menu_->RemoveFreeNotification(this);
    }
    menu_ = menu;
    if (menu_) {
      menu_->FreeNotification(this);
      if (auto* link = dynamic_cast<TkvMenuBarLink*>(menu_)) link->SetMenuBarForm(this);
    }
  }
  if (!menu_) {
    DestroyMenuBar();
    return;
  }
  if (!menuBar_) CreateMenuBar();
  RebuildMenuBar();
}

void TkvForm::SetWidth(int width) {
  if (!host_) {
    TCustomPanel::SetWidth(width);
    return;
  }
  host_->SetWidth(width + 2 * borderWidth_);
  ArrangeInForm();
}

void TkvForm::SetHeight(int height) {
  if (!host_) {
    TCustomPanel::SetHeight(height);
    return;
  }
  host_->SetHeight(height + borderWidth_ + borderWidth_ / 2);
  ArrangeInForm();
}

// ---------------------------------------------------------------------------
// Layout and face

bool TkvForm::IsMDIHost() const {
  return host_ && (host_->FormStyle() == fsMDIChild || host_->FormStyle() == fsMDIForm);
}

bool TkvForm::IsMDIChild() const { return host_ && host_->FormStyle() == fsMDIChild; }

void TkvForm::DropHostCaption() {
  if (!IsMDIHost() || !host_->HandleAllocated()) return;
  const HWND wnd = host_->Handle();
  const LONG_PTR style = GetWindowLongPtrA(wnd, GWL_STYLE);
  if (!(style & WS_CAPTION)) return;
  SetWindowLongPtrA(wnd, GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TkvForm::ScrollContents(int dy) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c == titleBar_ || c->Align() != alNone) continue;  // the aligned ones are placed anew
    c->SetBounds(c->Left(), c->Top() + dy, c->Width(), c->Height());
  }
}

void TkvForm::ArrangeInForm() {
  if (!host_) return;
  const int top = TitleBarVisible() ? 0 : borderWidth_;
  // An MDI child's system border takes a little more of its client area.
  const int width = host_->ClientWidth() - (IsMDIChild() ? 2 * (borderWidth_ + 1) + 1 : 2 * borderWidth_);
  const int height = host_->ClientHeight() - borderWidth_ - top - (IsMDIChild() ? 3 : 0);
  // A minimised host has no client area: the frame waits at no size.
  SetBounds(borderWidth_, top, std::max(width, 0), std::max(height, 0));
  // The MDI client follows the panel's new place.
  if (host_->FormStyle() == fsMDIForm) host_->Realign();
}

void TkvForm::ShowMDIClientInPanel() {
  // The frame and its panel cover the host's whole client area: the MDI
  // client lies over the panel, or over the frame below its bars.
  if (host_ && host_->FormStyle() == fsMDIForm)
    host_->SetMDIClientArea(formPanel_ ? static_cast<TWinControl*>(formPanel_) : this);
}

void TkvForm::PaintTo(TBitmap& bmp) {
  bmp.SetSize(Width(), Height());
  const RECT r{0, 0, Width(), Height()};
  const char* pattern = uiStyle_ == TkvUIStyle::MacOS     ? "MACOS_FORM_BACKGROUND"
                        : uiStyle_ == TkvUIStyle::Protein ? "PROTEIN_FORM_BACKGROUND"
                                                          : nullptr;
  if (pattern) {
    TBitmap tile;
    tile.LoadFromResourceName(GetModuleHandleA(nullptr), pattern);
    TGdiHandle<HBRUSH> brush(CreatePatternBrush(tile.Handle()));
    HDC dc = bmp.Canvas()->Handle();
    SetBrushOrgEx(dc, 0, 0, nullptr);  // the pattern starts at the frame's origin
    FillRect(dc, &r, brush.Get());
    return;
  }
  bmp.Canvas()->Brush()->SetStyle(bsSolid);
  bmp.Canvas()->Brush()->SetColor(Color());
  bmp.Canvas()->FillRect(r);
}

void TkvForm::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap bmp;
  PaintTo(bmp);
  Canvas()->Draw(0, 0, &bmp);
}

void TkvForm::CreateWnd() {
  TCustomPanel::CreateWnd();
  DropHostCaption();  // the host's window is made just before the frame's
  ShowMDIClientInPanel();
  ArrangeInForm();
  PaintFormBorder();
}

void TkvForm::Loaded() {
  TCustomPanel::Loaded();
  // The sizes read from the form resource moved the frame while it could
  // not lay out its title bar.
  ArrangeInForm();
  Realign();
  PaintFormBorder();
}

void TkvForm::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    PaintFormBorder();  // the paint covers the whole frame
    m.Result = 1;
    return;
  }
  TCustomPanel::WndProc(m);
}

}  // namespace kx
