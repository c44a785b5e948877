// The skinned frame on its host: the host's messages, the border, the
// sizing band, the maximised window and the application's key hook.
#include <windowsx.h>

#include "skin/frame/KVForm.h"
#include "skin/look/KVPublic.h"

namespace kx {

// What the host's procedure and the key hook know of the frame. They may
// outlive it (whatever chained onto the host's procedure keeps a copy), so
// the frame clears `Form` when it goes.
struct TkvForm::HostLink {
  TkvForm* Form;
  TWndMethod Previous;  // the host's procedure before the frame's
};

// The host's message procedure while a frame is on it.
struct TkvFormHostProcedure {
  std::shared_ptr<TkvForm::HostLink> Link;

  void operator()(TMessage& m) const {
    // The procedure may be replaced (and this object freed) while it runs.
    const std::shared_ptr<TkvForm::HostLink> link = Link;
    link->Previous(m);
    if (link->Form) link->Form->FormWindowProc(m);
  }
};

void TkvForm::HookHost() {
  link_ = std::make_shared<HostLink>(HostLink{this, host_->WindowProc});
  host_->WindowProc = TkvFormHostProcedure{link_};
}

void TkvForm::UnhookHost() {
  if (!link_) return;
  link_->Form = nullptr;
  // Still the host's procedure: put the previous one back. Otherwise a later
  // procedure holds ours, which now only passes messages on.
  auto* procedure = host_->WindowProc.target<TkvFormHostProcedure>();
  if (procedure && procedure->Link == link_) host_->WindowProc = link_->Previous;
}

namespace {

bool IsKeyDown(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

// The first enabled, visible item with the shortcut, not below a disabled
// or hidden one.
TMenuItem* UsableItemWithShortCut(const TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Enabled() || !item->Visible()) continue;
    if (item->ShortCut() == shortCut) return item;
    if (TMenuItem* found = UsableItemWithShortCut(*item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

void TkvForm::InstallKeyHook() {
  if (!Application || Application->OnMessage) return;
  // The name tells this frame's hook from any the program puts in its place.
  static unsigned installed = 0;
  keyHookName_ = "TkvForm.ApplicationKeyHook." + std::to_string(++installed);
  // Only keys typed into this frame's window: a shortcut of its menu must
  // not run while another window (a dialog) has the keyboard. Alt and a
  // key come as WM_SYSKEYDOWN.
  Application->OnMessage = TMessageEvent(
      [link = link_](MSG& msg, bool& handled) {
        TkvForm* form = link->Form;
        if (!form || !IsKeyDown(msg.message) || !form->host_->HandleAllocated()) return;
        const HWND host = form->host_->Handle();
        if (msg.hwnd != host && !IsChild(host, msg.hwnd)) return;
        handled = form->HandleMenuShortcut(msg.wParam, msg.lParam);
      },
      keyHookName_);
  hookInstalled_ = true;
}

void TkvForm::RemoveKeyHook() {
  if (!hookInstalled_) return;
  hookInstalled_ = false;
  if (Application && Application->OnMessage && Application->OnMessage.HandlerName() == keyHookName_)
    Application->OnMessage = TMessageEvent();
}

bool TkvForm::HandleMenuShortcut(WPARAM key, LPARAM keyData) {
  if (!menu_) return false;
  // Bit 29 of a key message's data: Alt was down.
  const bool alt = (keyData & (LPARAM(1) << 29)) != 0;
  TShortCut shortCut = static_cast<TShortCut>(key & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) shortCut |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) shortCut |= scCtrl;
  if (alt) shortCut |= scAlt;
  // The command may free this frame: nothing of it is touched after it.
  if (TMenuItem* item = UsableItemWithShortCut(*menu_->Items(), shortCut)) {
    item->Click();
    return true;
  }
  if (shortCut != (scAlt | (key & 0xFF)) || !menuBar_) return false;
  for (int i = 0; i < menuBar_->ButtonCount(); ++i) {
    TToolButton& button = *menuBar_->Buttons(i);
    const TMenuItem* item = button.MenuItem();
    if (!item || !button.Visible() || !button.Enabled() || item->Accelerator() != static_cast<char>(key)) continue;
    button.Click();
    return true;
  }
  return false;
}

void TkvForm::FormWindowProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      m.Result = HandleMenuShortcut(m.WParam, m.LParam) ? 1 : 0;
      break;
    case WM_ACTIVATE:
      titleBar_->SetFormActive(LOWORD(m.WParam) != WA_INACTIVE);
      break;
    case WM_MDIACTIVATE:
      // An MDI child hears of its activation only so, never by WM_ACTIVATE.
      if (IsMDIChild()) titleBar_->SetFormActive(reinterpret_cast<HWND>(m.LParam) == host_->Handle());
      break;
    case WM_SHOWWINDOW:
      DropHostCaption();
      break;
    case WM_SIZE:
      HostSized();
      break;
    case WM_ERASEBKGND:
    case WM_PAINT:
      // The host's own paint of a strip a resize uncovered fills the border too.
      PaintFormBorder();
      break;
    case WM_NCHITTEST:
      HostHitTest(m);
      break;
    default:
      break;
  }
}

void TkvForm::HostSized() {
  if (maximizedAtCreate_ && !placing_) {
    if (host_->WindowState() != wsMaximized) {
      // Restored for the first time: back to where the host was made.
      // Cleared first, as the moves send size messages of their own.
      maximizedAtCreate_ = false;
      SetControlRect(*host_, createBounds_);
    } else if (maximizeCount_ == 2) {
      const RECT area = QueryDesktopWorkArea();
      placing_ = true;
      try {
        host_->SetWindowState(wsMaximized);
        host_->SetLeft(area.left);
        host_->SetTop(area.top);
      } catch (...) {
        placing_ = false;
        throw;
      }
      placing_ = false;
    } else {
      ++maximizeCount_;
    }
    maximizeSeen_ = true;
  }
  ArrangeInForm();
  PaintFormBorder();
  if (IsMDIChild()) {
    // Maximised, the child shows no title bar of its own; its contents move
    // up into the bar's place, and back down when it is restored.
    const bool maximised = host_->WindowState() == wsMaximized;
    SetTitleBarVisible(!maximised);
    if (maximised != contentsScrolledUp_) {
      contentsScrolledUp_ = maximised;
      ScrollContents(maximised ? -titleBar_->Height() : titleBar_->Height());
    }
  }
  titleBar_->UpdateFormRegion();
}

void TkvForm::HostHitTest(TMessage& m) {
  if (host_->WindowState() == wsMaximized) return;
  // The frame's own area lets the mouse through to the MDI client beneath.
  if (host_->FormStyle() == fsMDIForm && m.Result == HTCLIENT) m.Result = HTTRANSPARENT;
  if (originalBorderStyle_ != bsSizeable) return;
  const POINT p = host_->ScreenToClient(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  const int cw = host_->ClientWidth(), ch = host_->ClientHeight();
  // Five pixels on the left and top, four on the right and bottom.
  const bool left = p.x<5, top = p.y<5, right = p.x> cw - 5, bottom = p.y> ch - 5;
  if (left && top)
    m.Result = HTTOPLEFT;
  else if (right && top)
    m.Result = HTTOPRIGHT;
  else if (right && bottom)
    m.Result = HTBOTTOMRIGHT;
  else if (left && bottom)
    m.Result = HTBOTTOMLEFT;
  else if (left)
    m.Result = HTLEFT;
  else if (top)
    m.Result = HTTOP;
  else if (right)
    m.Result = HTRIGHT;
  else if (bottom)
    m.Result = HTBOTTOM;
}

void TkvForm::PaintFormBorder() {
  if (!host_ || !host_->HandleAllocated()) return;
  TCanvas& c = *host_->Canvas();
  const int cw = host_->ClientWidth(), ch = host_->ClientHeight(), bw = borderWidth_;
  c.Pen()->SetStyle(psSolid);
  c.Pen()->SetColor(borderColor_);
  c.Pen()->SetWidth(bw);
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(borderColor_);
  // An MDI child's strips reach the few pixels its system border leaves.
  const int extra = IsMDIChild() ? 3 : 0;
  c.FillRect(RECT{0, 0, bw, ch - (IsMDIChild() ? 2 : 0)});
  c.FillRect(RECT{0, ch - bw - extra, cw, ch});
  c.FillRect(RECT{cw - bw - extra, 0, cw, ch});
  c.MoveTo(0, 0);
  c.LineTo(cw, 0);
}

}  // namespace kx
