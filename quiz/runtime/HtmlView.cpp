#include "runtime/HtmlView.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "runtime/App.h"
#include "runtime/FileIo.h"
#include "runtime/Form.h"
#include "runtime/PageSources.h"
#include "runtime/Paths.h"
#include "runtime/Utf.h"

namespace tq {

namespace {

constexpr wchar_t ViewClass[] = L"TessaroHtmlView";
constexpr SIZE BrokenPictureSize{16, 16};
// Decoded pixels of all the pictures of one page together.
constexpr int64_t MaxPagePixels = MaxImagePixels;
constexpr int LineStep = 40;

bool IsFullPath(const std::wstring& source) {
  return (source.size() >= 2 && source[1] == L':') || source.starts_with(L"\\\\");
}

// Pictures are shown on white: transparent parts are blended with it.
void OverWhite(Image& image) {
  for (uint32_t& pixel : image.pixels) {
    const uint32_t alpha = pixel >> 24;
    auto channel = [&](int shift) {
      const uint32_t value = (pixel >> shift) & 0xFF;
      return (value * alpha + 255 * (255 - alpha) + 127) / 255;
    };
    pixel = 0xFF000000u | channel(16) << 16 | channel(8) << 8 | channel(0);
  }
}

std::wstring BareName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

void HtmlPage::Clear() {
  blocks_.clear();
  images_.clear();
  layout_ = {};
  width_ = 0;
}

std::wstring HtmlPage::Resolve(const std::wstring& source) const {
  std::wstring path = IsFullPath(source) ? source : base_ + source;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

void HtmlPage::SetHtml(std::wstring_view html, const std::wstring& baseFolder) {
  Clear();
  base_ = baseFolder;
  blocks_ = ParseHtml(html);
  // The pictures of one page share one bound of decoded pixels, so that a
  // page of many large pictures cannot exhaust the process.
  int64_t pixelsLeft = MaxPagePixels;
  for (const HtmlBlock& block : blocks_) {
    for (const HtmlItem& item : block.items) {
      if (item.kind != HtmlItem::Image || images_.count(item.text)) continue;
      Image image;
      try {
        // Read whole and closed at once, so the picture's folder can go while the page shows.
        const std::wstring path = Resolve(item.text);
        std::string bytes;
        if (MayReadPicture(path, base_) && ReadFileBytes(FullPath(path), bytes, 64ull << 20)) {
          image = DecodeImage(bytes, pixelsLeft);
        }
        OverWhite(image);
      } catch (const std::exception&) {
        image = {};  // what could not be read shows as a broken picture
      }
      pixelsLeft -= static_cast<int64_t>(image.pixels.size());
      images_.emplace(item.text, std::move(image));
    }
  }
}

bool HtmlPage::Load(const std::wstring& path, const std::wstring& pageFolder) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, 64ull << 20)) {
    Clear();
    return false;
  }
  std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const size_t slash = path.find_last_of(L"\\/");
  SetHtml(Utf16FromUtf8(text),
          !pageFolder.empty() ? pageFolder : slash == std::wstring::npos ? L"" : path.substr(0, slash + 1));
  return true;
}

SIZE HtmlPage::ObjectSize(const HtmlItem& item) const {
  if (item.kind == HtmlItem::Embed) return HtmlLayout::EmbedSize;
  auto found = images_.find(item.text);
  if (found == images_.end() || found->second.Empty()) return BrokenPictureSize;
  return {found->second.width, found->second.height};
}

void HtmlPage::Layout(int width) {
  width_ = width;
  // The old layout goes first: two of a large page need not fit at once.
  layout_ = {};
  layout_ = HtmlLayout().Layout(blocks_, width, fonts_, [this](const HtmlItem& item) { return ObjectSize(item); });
}

void HtmlPage::Paint(HDC dc, int top, int width, int height) {
  RECT area{0, 0, width, height};
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  for (const HtmlBox& box : layout_.boxes) {
    RECT rect = box.rect;
    OffsetRect(&rect, 0, -top);
    if (rect.bottom < -64 || rect.top > height + 64) continue;
    if (box.kind == HtmlBox::Text) {
      HGDIOBJ old = SelectObject(dc, fonts_.Font(box.style));
      std::vector<INT> dx(box.advances.size());
      int previous = 0;
      for (size_t k = 0; k < dx.size(); ++k) {
        dx[k] = box.advances[k] - previous;
        previous = box.advances[k];
      }
      ExtTextOutW(dc, rect.left, box.baseline - top, 0, nullptr, box.text.c_str(), static_cast<UINT>(box.text.size()),
                  dx.data());
      SelectObject(dc, old);
    } else if (box.kind == HtmlBox::Image) {
      auto found = images_.find(box.text);
      if (found == images_.end() || found->second.Empty()) {
        FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        continue;
      }
      const Image& image = found->second;
      BITMAPINFO info{};
      info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
      SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(image.width), static_cast<DWORD>(image.height), 0,
                        0, 0, static_cast<UINT>(image.height), image.pixels.data(), &info, DIB_RGB_COLORS);
    } else {
      // An embedded file: a box with its name, opened by a click.
      HBRUSH fill = CreateSolidBrush(RGB(240, 240, 240));
      FillRect(dc, &rect, fill);
      DeleteObject(fill);
      FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      HtmlStyle label;
      label.face = L"Tahoma";
      label.size = 13;
      HGDIOBJ old = SelectObject(dc, fonts_.Font(label));
      SetTextAlign(dc, TA_TOP | TA_LEFT);
      RECT text = rect;
      InflateRect(&text, -8, -8);
      const std::wstring caption = L"\u25B6 " + BareName(box.text);
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      SetTextAlign(dc, TA_BASELINE | TA_LEFT);
      SelectObject(dc, old);
    }
  }
}

std::wstring HtmlPage::EmbedAt(POINT point) const {
  for (const HtmlBox& box : layout_.boxes) {
    if (box.kind != HtmlBox::Embed || !PtInRect(&box.rect, point)) continue;
    const std::wstring file = Resolve(box.text);
    return MayOpenEmbedded(file, base_) ? FullPath(file) : std::wstring();
  }
  return {};
}

void HtmlView::Create(Form& form, int left, int top, int width, int height) {
  static bool registered = [] {
    WNDCLASSW cls{};
    cls.style = CS_DBLCLKS;
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = App::Get().Instance();
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = ViewClass;
    return RegisterClassW(&cls) != 0;
  }();
  (void)registered;
  page_.Clear();
  scroll_ = 0;
  Make(form, ViewClass, L"", WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top, width, height);
  SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Relayout();
}

bool HtmlView::Navigate(const std::wstring& path, const std::wstring& pageFolder) {
  const bool loaded = page_.Load(path, pageFolder);
  scroll_ = 0;
  Relayout();
  return loaded;
}

void HtmlView::SetHtml(std::wstring_view html, const std::wstring& baseFolder) {
  page_.SetHtml(html, baseFolder);
  scroll_ = 0;
  Relayout();
}

void HtmlView::Relayout() {
  if (!wnd_) return;
  RECT client;
  GetClientRect(wnd_, &client);
  const int visible = static_cast<int>(client.bottom - client.top);
  // The scroll bar takes its room only when the page is taller than the view.
  const bool bar = GetWindowLongW(wnd_, GWL_STYLE) & WS_VSCROLL;
  const int full = static_cast<int>(client.right) + (bar ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  page_.Layout(full);
  if (page_.Result().height > visible) page_.Layout(full - GetSystemMetrics(SM_CXVSCROLL));
  const int height = page_.Result().height;
  scroll_ = std::clamp(scroll_, 0, std::max(0, height - visible));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(0, height - 1);
  info.nPage = static_cast<UINT>(std::max(0, visible));
  info.nPos = scroll_;
  SetScrollInfo(wnd_, SB_VERT, &info, TRUE);
  ShowScrollBar(wnd_, SB_VERT, height > visible);
  InvalidateRect(wnd_, nullptr, FALSE);
}

void HtmlView::ScrollTo(int top) {
  if (!wnd_) return;
  RECT client;
  GetClientRect(wnd_, &client);
  scroll_ = std::clamp(top, 0, std::max(0, page_.Result().height - static_cast<int>(client.bottom)));
  SetScrollPos(wnd_, SB_VERT, scroll_, TRUE);
  InvalidateRect(wnd_, nullptr, FALSE);
}

void HtmlView::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(wnd_, &paint);
  RECT client;
  GetClientRect(wnd_, &client);
  // Drawn off screen and copied in one transfer, so nothing flickers.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
  HGDIOBJ old = SelectObject(buffer, bitmap);
  page_.Paint(buffer, scroll_, client.right, client.bottom);
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(bitmap);
  DeleteDC(buffer);
  EndPaint(wnd_, &paint);
}

LRESULT CALLBACK HtmlView::WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* view = reinterpret_cast<HtmlView*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!view || view->wnd_ != wnd) return DefWindowProcW(wnd, msg, wp, lp);
  try {
    return view->Handle(msg, wp, lp);
  } catch (...) {
    App::Get().HandleException();
    return 0;
  }
}

LRESULT HtmlView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_VSCROLL: {
      RECT client;
      GetClientRect(wnd_, &client);
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      GetScrollInfo(wnd_, SB_VERT, &info);
      int top = scroll_;
      switch (LOWORD(wp)) {
        case SB_LINEUP:
          top -= LineStep;
          break;
        case SB_LINEDOWN:
          top += LineStep;
          break;
        case SB_PAGEUP:
          top -= client.bottom;
          break;
        case SB_PAGEDOWN:
          top += client.bottom;
          break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
          top = info.nTrackPos;
          break;
        case SB_TOP:
          top = 0;
          break;
        case SB_BOTTOM:
          top = page_.Result().height;
          break;
        default:
          break;
      }
      ScrollTo(top);
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wp) * LineStep * 3 / WHEEL_DELTA);
      return 0;
    case WM_LBUTTONDOWN:
      ::SetFocus(wnd_);
      return 0;
    case WM_LBUTTONUP: {
      const POINT point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)) + scroll_};
      const std::wstring file = page_.EmbedAt(point);
      if (file.empty()) return 0;
      if (OnOpenFile) {
        OnOpenFile(file);
      } else {
        ShellExecuteW(wnd_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      }
      return 0;
    }
    case WM_SETCURSOR: {
      POINT point;
      GetCursorPos(&point);
      ScreenToClient(wnd_, &point);
      point.y += scroll_;
      if (LOWORD(lp) == HTCLIENT && !page_.EmbedAt(point).empty()) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wp == VK_DOWN) ScrollTo(scroll_ + LineStep);
      if (wp == VK_UP) ScrollTo(scroll_ - LineStep);
      if (wp == VK_NEXT) SendMessageW(wnd_, WM_VSCROLL, SB_PAGEDOWN, 0);
      if (wp == VK_PRIOR) SendMessageW(wnd_, WM_VSCROLL, SB_PAGEUP, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(wnd_, msg, wp, lp);
}

}  // namespace tq
