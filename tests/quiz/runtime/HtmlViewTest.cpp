// HtmlView on a screen: a page with pictures, scrolling, an embedded file
// opened by a click, and picture folders that can go while the page shows.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "GifWriter.h"
#include "ScreenTesting.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "runtime/App.h"
#include "runtime/Form.h"
#include "runtime/HtmlView.h"

namespace {

class PageForm : public tq::Form {
 public:
  PageForm() : tq::Form(L"Trang", 9000, 6000) {}
  tq::HtmlView view;

 protected:
  void CreateControls() override { view.Create(*this, 120, 120, 8500, 4800); }
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(HtmlView, ShowsAPageWhosePictureFolderCanGo) {
  TempFolder folder;
  const std::wstring pictures = folder / L"pics";
  ASSERT_TRUE(CreateDirectoryW(pictures.c_str(), nullptr));
  testsupport::Picture blue{120, 80, std::vector<unsigned>(120 * 80, 0x3366CC)};
  ASSERT_TRUE(testsupport::SavePng(blue, Narrow(pictures) + "\\blue.png"));
  ASSERT_TRUE(
      tq::WriteFileAtomic(pictures + L"\\ring.gif", giftest::GifBytes(2, 2, {0xFF0000, 0x00FF00, 0, 0}, {0, 1, 1, 0})));
  std::string page =
      "\xEF\xBB\xBF<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>"
      "<b>Câu hỏi : </b><br>Hình bên là đồ thị của hàm số nào? <img src='" +
      Narrow(pictures) + "\\blue.png' align='middle'> <img src='pics/ring.gif' align='middle'>";
  for (int k = 0; k < 12; ++k) page += "<p>Đáp án số " + std::to_string(k) + " có chữ <i>nghiêng</i> và <u>gạch</u>.";
  page += "<p>Nghe: <embed src='pics/nghe.mp3' autostart='0'></body></html>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"tessaro.htm", page));

  PageForm form;
  form.Show();
  ASSERT_TRUE(form.view.Navigate(folder / L"tessaro.htm"));
  tq::App::Get().DoEvents();
  UpdateWindow(form.view.Hwnd());
  const tq::HtmlLayoutResult& layout = form.view.Page().Result();
  int pictures_shown = 0;
  for (const tq::HtmlBox& box : layout.boxes) {
    if (box.kind == tq::HtmlBox::Image) {
      ++pictures_shown;
      EXPECT_GT(box.rect.right - box.rect.left, 0);
    }
  }
  EXPECT_EQ(pictures_shown, 2);
  EXPECT_EQ(layout.paragraphTops.size(), 13u);
  screentest::SaveScreenshot(form.Hwnd(), "quiz_htmlview_top");

  // Nothing of the pictures stays open: their folder can be deleted.
  EXPECT_TRUE(tq::RemoveFolderTree(pictures));
  InvalidateRect(form.view.Hwnd(), nullptr, FALSE);
  UpdateWindow(form.view.Hwnd());

  // Taller than the view: it scrolls.
  RECT client;
  GetClientRect(form.view.Hwnd(), &client);
  ASSERT_GT(layout.height, client.bottom);
  SendMessageW(form.view.Hwnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(form.view.ScrollTop(), client.bottom);
  SendMessageW(form.view.Hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(form.view.ScrollTop(), layout.height - client.bottom);
  UpdateWindow(form.view.Hwnd());
  screentest::SaveScreenshot(form.Hwnd(), "quiz_htmlview_bottom");

  // A click on the embedded file opens it.
  std::wstring opened;
  form.view.OnOpenFile = [&](const std::wstring& file) { opened = file; };
  for (const tq::HtmlBox& box : layout.boxes) {
    if (box.kind != tq::HtmlBox::Embed) continue;
    const LPARAM at = MAKELPARAM(box.rect.left + 10, box.rect.top + 10 - form.view.ScrollTop());
    SendMessageW(form.view.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(form.view.Hwnd(), WM_LBUTTONUP, 0, at);
  }
  EXPECT_EQ(opened, folder.Path() + L"pics\\nghe.mp3");

  // A page that cannot be read leaves the view empty.
  EXPECT_FALSE(form.view.Navigate(folder / L"missing.htm"));
  EXPECT_TRUE(form.view.Page().Result().boxes.empty());
  form.Unload();
  tq::App::Get().DoEvents();
}

// Clicks every embedded box of the view's page; returns, by source, the file
// that reached the opener (empty when none did).
std::map<std::wstring, std::wstring> ClickEveryEmbed(tq::HtmlView& view) {
  std::map<std::wstring, std::wstring> opened;
  view.OnOpenFile = [&](const std::wstring& file) { opened[L"last"] = file; };
  std::map<std::wstring, std::wstring> result;
  for (const tq::HtmlBox& box : view.Page().Result().boxes) {
    if (box.kind != tq::HtmlBox::Embed) continue;
    view.ScrollTo(box.rect.top);
    opened.clear();
    const LPARAM at = MAKELPARAM(box.rect.left + 10, box.rect.top + 10 - view.ScrollTop());
    SendMessageW(view.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(view.Hwnd(), WM_LBUTTONUP, 0, at);
    result[box.text] = opened[L"last"];
  }
  return result;
}

// A bank or package may ship programs, scripts and links beside its bank and
// name them bare, or name any file by path: a click opens only a sound or
// video file inside the page's own folder.
TEST(HtmlView, EmbeddedBoxesOpenOnlySoundAndVideoInsideThePagesFolder) {
  TempFolder folder;
  const std::wstring bank = folder / L"bank\\";
  ASSERT_TRUE(CreateDirectoryW(bank.c_str(), nullptr));
  for (const wchar_t* name : {L"song.mp3", L"Clip.WMV", L"run.exe", L"run.bat", L"app.hta", L"x.js", L"cmd.lnk",
                              L"song.mp3.exe"}) {
    ASSERT_TRUE(tq::WriteFileAtomic(bank + name, "x"));
  }
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"outside.mp3", "x"));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"x.exe", "x"));
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";

  struct Case {
    std::wstring source;
    std::wstring opens;  // empty: refused
  };
  const std::vector<Case> cases = {
      {L"song.mp3", bank + L"song.mp3"},
      {L"Clip.WMV", bank + L"Clip.WMV"},
      {L"run.exe", L""},
      {L"run.bat", L""},
      {L"app.hta", L""},
      {L"x.js", L""},
      {L"cmd.lnk", L""},
      {L"song.mp3.exe", L""},
      {cmd, L""},
      {L"..\\x.exe", L""},
      {L"..\\outside.mp3", L""},
      {folder / L"outside.mp3", L""},
      {L"\\\\tessaro-host\\share\\song.mp3", L""},
      {L"\\\\?\\" + bank + L"song.mp3", L""},
      {L"song.mp3:run.exe", L""},
  };
  std::wstring html = L"<html><body>";
  for (const Case& c : cases) html += L"<p><embed src='" + c.source + L"' autostart='0'>";
  PageForm form;
  form.Show();
  form.view.SetHtml(html + L"</body></html>", bank);
  const std::map<std::wstring, std::wstring> opened = ClickEveryEmbed(form.view);
  ASSERT_EQ(opened.size(), cases.size());
  for (const Case& c : cases) {
    EXPECT_EQ(opened.at(c.source), c.opens) << Narrow(c.source);
  }
  form.Unload();
  tq::App::Get().DoEvents();
}

// Pictures named by a device or raw namespace path are never read; the page
// shows a broken-picture box in their place.
TEST(HtmlView, PicturesOnDevicePathsAreNotRead) {
  TempFolder folder;
  testsupport::Picture blue{120, 80, std::vector<unsigned>(120 * 80, 0x3366CC)};
  ASSERT_TRUE(testsupport::SavePng(blue, Narrow(folder / L"blue.png")));
  struct Case {
    std::wstring source;
    bool shown;
  };
  const std::vector<Case> cases = {
      {L"blue.png", true},
      {folder / L"blue.png", true},
      {L"\\\\?\\" + folder.Path() + L"blue.png", false},
      {L"\\\\.\\" + folder.Path() + L"blue.png", false},
      {L"//?/" + folder.Path() + L"blue.png", false},
      {L"blue.png:stream", false},
  };
  for (const Case& c : cases) {
    tq::HtmlPage page;
    page.SetHtml(L"<img src='" + c.source + L"'>", folder.Path());
    page.Layout(600);
    const tq::HtmlBox* picture = nullptr;
    for (const tq::HtmlBox& box : page.Result().boxes) {
      if (box.kind == tq::HtmlBox::Image) picture = &box;
    }
    ASSERT_NE(picture, nullptr) << Narrow(c.source);
    EXPECT_EQ(picture->rect.right - picture->rect.left, c.shown ? 120 : 16) << Narrow(c.source);
  }
}

// Pictures that would strand the test: a GIF whose frame declares 65535 x
// 65535 in a few bytes, and a dozen pictures of 20 million pixels each on one
// page. Each shows as a broken-picture box once the page's bound is reached.
TEST(HtmlView, HostilePicturesShowAsBrokenBoxes) {
  TempFolder folder;
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"frame.gif", giftest::SparseGif(4, 4, 65535, 65535)));
  std::wstring html = L"<img src='frame.gif'>";
  for (int k = 0; k < 12; ++k) {
    const std::wstring name = L"big" + std::to_wstring(k) + L".gif";
    ASSERT_TRUE(tq::WriteFileAtomic(folder / name, giftest::SparseGif(5000, 4000, 5000, 4000)));
    html += L"<img src='" + name + L"'>";
  }
  tq::HtmlPage page;
  page.SetHtml(html, folder.Path());
  page.Layout(600);
  std::map<std::wstring, LONG> widths;
  for (const tq::HtmlBox& box : page.Result().boxes) {
    if (box.kind == tq::HtmlBox::Image) widths[box.text] = box.rect.right - box.rect.left;
  }
  ASSERT_EQ(widths.size(), 13u);
  EXPECT_TRUE(page.Result().height > 0);
  EXPECT_EQ(widths[L"frame.gif"], 16);
  EXPECT_EQ(widths[L"big0.gif"], 5000);
  for (int k = 1; k < 12; ++k) EXPECT_EQ(widths[L"big" + std::to_wstring(k) + L".gif"], 16) << k;
}

// A page of 100,000 nested style tags lays out, its text in the style the
// first 64 give it.
TEST(HtmlView, DeeplyNestedTagsLayOut) {
  std::wstring html;
  for (int k = 0; k < 100000; ++k) html += k % 2 ? L"<i>" : L"<b>";
  tq::HtmlPage page;
  page.SetHtml(html + L"Câu hỏi", L"");
  page.Layout(600);
  std::wstring text;
  for (const tq::HtmlBox& box : page.Result().boxes) {
    text += box.text;
    EXPECT_TRUE(box.style.bold && box.style.italic);
  }
  EXPECT_EQ(text, L"Câuhỏi");
}

}  // namespace
