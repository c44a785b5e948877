// The windowed control's message procedure: mouse messages handed to the
// graphic children, notifications reflected to the child they concern, and
// painting, focus, keys and the context menu.
#include "framework/windows/Controls.h"

#include <windowsx.h>

#include "framework/windows/ControlsDetail.h"
#include "framework/windows/Menus.h"

namespace kx {

using namespace controls_detail;

void TWinControl::ReflectToChild(TMessage& m, HWND child) {
  TWinControl* control = FindControl(child);
  if (control && control != this) {
    m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  } else {
    DefaultHandler(m);
  }
}

void TWinControl::WndProc(TMessage& m) {
  if (IsMouseMessage(m.Msg) && m.Msg != WM_MOUSEWHEEL) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    // A graphic child that holds the capture, or lies under the mouse, gets it.
    TControl* target = nullptr;
    if (g_captureControl && g_captureControl->Parent() == this && !dynamic_cast<TWinControl*>(g_captureControl)) {
      target = g_captureControl;
    } else if (!g_captureControl || g_captureControl == this) {
      target = ControlAtPos(p, false, true);
    }
    if (m.Msg == WM_MOUSEMOVE) {
      // A control holding the mouse hears of moves off it too; there the
      // mouse is over none of ours, so the control hears it leave.
      TControl* over = target ? target : this;
      const RECT bounds = target ? target->BoundsRect() : ClientRect();
      if (!PtInRect(&bounds, p)) over = nullptr;
      SetMouseControl(over);
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, wnd_, 0};
      TrackMouseEvent(&track);
    }
    if (target) {
      TMessage forwarded = m;
      forwarded.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
      target->WindowProc(forwarded);
      m.Result = forwarded.Result;
      return;
    }
    HandleMouseMessage(m);
    return;
  }
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_ERASEBKGND:
      WMEraseBkgnd(m);
      return;
    case WM_MOUSELEAVE:
      if (g_mouseControl && (g_mouseControl == this || g_mouseControl->Parent() == this)) SetMouseControl(nullptr);
      DefaultHandler(m);
      return;
    case WM_COMMAND:
      if (m.LParam) {
        ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
        return;
      }
      break;
    case WM_NOTIFY:
      ReflectToChild(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam) {
        ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
        return;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
      return;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (dis->CtlType == ODT_MENU) {
        m.Result = TMenuItem::HandleMenuDraw(*dis);
        return;
      }
      ReflectToChild(m, dis->hwndItem);
      return;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (mis->CtlType == ODT_MENU) {
        m.Result = TMenuItem::HandleMenuMeasure(*mis);
        return;
      }
      if (TWinControl* control = FindControlById(mis->CtlID)) {
        m.Result = control->Perform(CN_MEASUREITEM, m.WParam, m.LParam);
        return;
      }
      break;
    }
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      SetBkColor(dc, ColorToRGB(brush_->Color()));
      m.Result = reinterpret_cast<LRESULT>(brush_->Handle());
      return;
    }
    case WM_SETCURSOR: {
      TCursor cursor = ControlHooks().ScreenCursor;
      if (cursor == crDefault && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(wnd_, &p);
        TControl* under = ControlAtPos(p, true, true);
        cursor = under ? under->Cursor() : Cursor();
      }
      if (cursor != crDefault) {
        ::SetCursor(LoadCursor(nullptr, MAKEINTRESOURCE(cursor)));
        m.Result = TRUE;
        return;
      }
      break;
    }
    case WM_CONTEXTMENU: {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      const bool fromKeyboard = p.x == -1 && p.y == -1;
      // A graphic child under the mouse is asked instead, and its own menu
      // comes before this control's.
      TControl* target = this;
      POINT local = p;
      if (!fromKeyboard) {
        local = ScreenToClient(p);
        if (TControl* graphic = ControlAtPos(local, false, true)) {
          target = graphic;
          local = POINT{local.x - graphic->Left(), local.y - graphic->Top()};
        }
      }
      if (target->DoContextPopup(local)) return;
      TPopupMenu* menu = target->PopupMenu() ? target->PopupMenu() : PopupMenu();
      if (menu) {
        if (fromKeyboard) p = ClientToScreen(POINT{0, 0});
        menu->SetPopupComponent(target);
        menu->Popup(p.x, p.y);
        return;
      }
      break;
    }
    case WM_MOUSEWHEEL:
      if (DoMouseWheel(MouseShiftState(GET_KEYSTATE_WPARAM(m.WParam)), GET_WHEEL_DELTA_WPARAM(m.WParam),
                       POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
        m.Result = 0;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      DefaultHandler(m);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (!(pos->flags & SWP_NOSIZE) || !(pos->flags & SWP_NOMOVE)) {
        RECT r;
        GetWindowRect(wnd_, &r);
        if (HWND parent = GetParent(wnd_); parent && (GetWindowLongPtrA(wnd_, GWL_STYLE) & WS_CHILD))
          MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        UpdateBoundsRect(r);
      }
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      KeyDown(key, KeyboardState());
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_CHAR: {
      char ch = static_cast<char>(m.WParam);
      KeyPress(ch);
      if (ch == 0) return;
      m.WParam = static_cast<unsigned char>(ch);
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      KeyUp(key, KeyboardState());
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (ControlHooks().FocusReceived) ControlHooks().FocusReceived(this);
      DoEnter();
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      DoExit();
      return;
    case WM_CANCELMODE:
      if (g_captureControl && (g_captureControl == this || g_captureControl->Parent() == this)) {
        g_captureControl->clicked_ = false;
        g_captureControl = nullptr;
      }
      break;
    default:
      break;
  }
  TControl::WndProc(m);
}

}  // namespace kx
