#include "skin/controls/KVURLLabel.h"

#include <shellapi.h>

#include "framework/core/SysUtils.h"

namespace kx {

KX_PUBLISH(TkvURLLabel) {
  p.Property("URL", &TkvURLLabel::URL, &TkvURLLabel::SetURL);
  p.Color("FontHoverColor", &TkvURLLabel::FontHoverColor, &TkvURLLabel::SetFontHoverColor);
  p.Color("FontLinkColor", &TkvURLLabel::FontLinkColor, &TkvURLLabel::SetFontLinkColor);
}

namespace {

struct URLLabelModule {
  URLLabelModule() { RegisterClasses({&TkvURLLabel::StaticClass()}); }
} urlLabelModule;

constexpr TCursor crHandPoint = 32649;  // IDC_HAND

void ShellOpen(const std::wstring& address) {
  // No parameters, no folder, no waiting: the result is not looked at.
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

TLinkOpener& LinkOpener() {
  static TLinkOpener opener = &ShellOpen;
  return opener;
}

std::string TrimSpaces(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::wstring FromAnsi(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

}  // namespace

bool IsOpenableLink(const std::string& address) {
  const std::string upper = UpperCase(address);
  for (const char* scheme : {"HTTP://", "HTTPS://", "MAILTO:"})
    if (upper.rfind(scheme, 0) == 0) return true;
  return false;
}

void OpenLink(const std::string& address) {
  // A resource naming a program or a file must not run it.
  if (!IsOpenableLink(address)) return;
  if (LinkOpener()) LinkOpener()(FromAnsi(address));
}

TLinkOpener SetLinkOpener(TLinkOpener opener) {
  TLinkOpener old = std::move(LinkOpener());
  LinkOpener() = std::move(opener);
  return old;
}

TkvURLLabel::TkvURLLabel(TComponent* owner) : TLabel(owner) {
  Font()->SetStyle(TFontStyles{fsUnderline});
  Font()->SetColor(clBlue);
  SetCursor(crHandPoint);
  SetAutoSize(true);
  // Every window that shows a link sets both; a new label opens nothing.
  SetCaption("Xin chao!");
}

void TkvURLLabel::SetURL(const std::string& url) {
  if (url != url_) url_ = url;
}

void TkvURLLabel::SetFontLinkColor(TColor color) {
  fontLinkColor_ = color;
  Font()->SetColor(color);
}

void TkvURLLabel::Click() {
  const std::string address = TrimSpaces(url_);
  if (!address.empty()) OpenLink(address);
  TLabel::Click();
}

void TkvURLLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
      Font()->SetColor(ComponentState().Contains(csDesigning) ? clBlue : fontHoverColor_);
      return;
    case CM_MOUSELEAVE:
      Font()->SetColor(fontLinkColor_);
      return;
    default:
      TLabel::WndProc(m);
  }
}

}  // namespace kx
