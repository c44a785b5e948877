// An underlined label that opens its address when clicked: a web page or a
// mail address. Other addresses (a path, a program) are refused silently.
#pragma once

#include <functional>
#include <string>

#include "framework/windows/StdCtrls.h"

namespace kx {

class TkvURLLabel : public TLabel {
  KX_CLASS(TkvURLLabel, TLabel)
 public:
  explicit TkvURLLabel(TComponent* owner);

  const std::string& URL() const { return url_; }
  void SetURL(const std::string& url);
  TColor FontHoverColor() const { return fontHoverColor_; }
  void SetFontHoverColor(TColor color) { fontHoverColor_ = color; }
  TColor FontLinkColor() const { return fontLinkColor_; }
  void SetFontLinkColor(TColor color);

  // Opens URL (when it is not blank), then OnClick.
  void Click() override;

 protected:
  void WndProc(TMessage& m) override;

 private:
  std::string url_;
  TColor fontHoverColor_ = clRed;
  TColor fontLinkColor_ = clBlue;
};

// True for an address the link label may hand to the shell: one starting
// "http://", "https://" or "mailto:" (in any case).
bool IsOpenableLink(const std::string& address);
// Hands an openable address (ANSI code page) to the shell's "open" verb as a
// wide string, never through a command line; refuses any other silently.
void OpenLink(const std::string& address);

// What opens an address: ShellExecuteW by default. Tests put a recorder in
// its place; returns the one it replaces.
using TLinkOpener = std::function<void(const std::wstring& address)>;
TLinkOpener SetLinkOpener(TLinkOpener opener);

}  // namespace kx
