// HtmlView: the quiz tool's view of its question and preview pages. It reads
// the page file, decodes its pictures from memory (no picture file stays
// open while the page is shown), lays the page out and paints it with GDI,
// with word wrap and vertical scrolling. A click on an embedded file opens
// that file through the shell when it is a sound or video file inside the
// page's own folder; pictures on a share or device are read only from there.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Controls.h"
#include "runtime/HtmlLayout.h"
#include "runtime/ImageDecode.h"

namespace tq {

// A page read, its pictures decoded and laid out at a width: no window needed.
class HtmlPage {
 public:
  // Relative sources are taken from baseFolder (with its trailing backslash),
  // the page's own folder.
  void SetHtml(std::wstring_view html, const std::wstring& baseFolder);
  // Reads a page file written as UTF-8 (with or without byte-order mark);
  // false when it cannot be read. The page's folder is pageFolder, or the
  // file's own folder when none is given.
  bool Load(const std::wstring& path, const std::wstring& pageFolder = {});
  void Clear();
  void Layout(int width);
  const HtmlLayoutResult& Result() const { return layout_; }
  int Width() const { return width_; }
  // Draws the part of the page from `top` on into the device context at (0, 0).
  void Paint(HDC dc, int top, int width, int height);
  // The file an embedded box at a page point opens; empty elsewhere and for
  // a file that may not be opened.
  std::wstring EmbedAt(POINT point) const;
  // Where a source is read from.
  std::wstring Resolve(const std::wstring& source) const;

 private:
  SIZE ObjectSize(const HtmlItem& item) const;

  std::vector<HtmlBlock> blocks_;
  std::wstring base_;
  std::map<std::wstring, Image> images_;  // by source, opaque over white
  HtmlFonts fonts_;
  HtmlLayoutResult layout_;
  int width_ = 0;
};

class HtmlView : public Control {
 public:
  void Create(Form& form, int left, int top, int width, int height);
  // Shows the page file; false (and an empty view) when it cannot be read.
  // pageFolder: as HtmlPage::Load.
  bool Navigate(const std::wstring& path, const std::wstring& pageFolder = {});
  void SetHtml(std::wstring_view html, const std::wstring& baseFolder);
  const HtmlPage& Page() const { return page_; }
  int ScrollTop() const { return scroll_; }
  void ScrollTo(int top);
  // Opens an embedded file; the shell's "open" unless replaced (tests do).
  std::function<void(const std::wstring&)> OnOpenFile;

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Relayout();
  void Paint();

  HtmlPage page_;
  int scroll_ = 0;
};

}  // namespace tq
