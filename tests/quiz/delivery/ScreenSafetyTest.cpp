// What a student meets on the screens when a package is hostile, and what
// the test screen shows of its tabs.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "GifWriter.h"
#include "ScreenFixture.h"
#include "ZipTestFiles.h"
#include "runtime/FileIo.h"

using screentest::DialogAnswerer;

namespace {

BOOL CALLBACK CountShownScreen(HWND wnd, LPARAM count) {
  wchar_t cls[32];
  if (IsWindowVisible(wnd) && GetClassNameW(wnd, cls, 32) && std::wstring(cls) == L"TessaroForm") {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

// The screens this thread shows, from the window list.
int ShownScreens() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountShownScreen, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace

// A package whose first page holds a GIF frame of 65535 x 65535 and a dozen
// pictures of 20 million pixels: the test screen shows, with broken boxes
// past the page's bound, and leaving it leaves the Temp folder as it was.
TEST_F(TestScreens, AHostilePackageLeavesAScreenShownAndTempAsItWas) {
  CreateDirectoryW((source / L"bài").c_str(), nullptr);
  ASSERT_TRUE(tq::WriteFileAtomic(source / L"bài\\frame.gif", giftest::SparseGif(4, 4, 65535, 65535)));
  std::vector<QuestionRecord> records = NumberedQuestions(2);
  records[0].CauHoi = L"Hình: [image]frame.gif[/image]";
  for (int k = 0; k < 12; ++k) {
    const std::wstring name = L"lớn " + std::to_wstring(k) + L".gif";
    ASSERT_TRUE(tq::WriteFileAtomic(source / (L"bài\\" + name), giftest::SparseGif(5000, 4000, 5000, 4000)));
    records[0].CauHoi += L"[image]" + name + L"[/image]";
  }
  ASSERT_TRUE(WriteBankFile(source / L"bài\\ngân hàng.xml", records));
  const std::wstring package = PackageOf(source / L"bài\\ngân hàng.xml");
  ASSERT_TRUE(ziptest::ListFolder(program / L"Temp").empty());

  frmTTTN::Show();
  frmTTTN::NapDuongDan(package);
  frmTTTN::Screen& setup = frmTTTN::Get();
  ASSERT_TRUE(setup.cmdLamBai.Visible());
  frmLamTN::Screen& test = frmLamTN::Get();
  {
    DialogAnswerer anyError(IDOK);
    Click(setup.cmdLamBai);
    EXPECT_EQ(anyError.Answered(), 0) << testing::PrintToString(anyError.Text());
  }
  EXPECT_EQ(ShownScreens(), 1);
  ASSERT_TRUE(test.Visible());
  int broken = 0, shown = 0;
  for (const tq::HtmlBox& box : test.DHTML.Page().Result().boxes) {
    if (box.kind != tq::HtmlBox::Image) continue;
    (box.rect.right - box.rect.left == 16 ? broken : shown) += 1;
  }
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(broken, 12);
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_hostile_pictures");

  {
    DialogAnswerer no(IDNO);
    Click(test.cmdBack);
  }
  EXPECT_FALSE(test.Loaded());
  EXPECT_EQ(ShownScreens(), 1);  // the main menu
  EXPECT_TRUE(ziptest::ListFolder(program / L"Temp").empty());
}

namespace {

// What a button draws by itself, caption and border, as the screen would show it.
testsupport::Picture PrintedAlone(HWND button) {
  RECT client;
  GetClientRect(button, &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  testsupport::Picture picture{client.right, client.bottom, {}};
  const auto* pixels = static_cast<const unsigned*>(bits);
  for (int k = 0; k < client.right * client.bottom; ++k) picture.pixels.push_back(pixels[k] & 0xFFFFFF);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return picture;
}

// Pixels of a button's caption area (inside its border) that differ on the
// screen from what the button draws.
int CoveredPixels(const testsupport::Picture& window, RECT place, const testsupport::Picture& alone) {
  constexpr int Border = 3;
  int covered = 0;
  for (int y = Border; y < alone.height - Border; ++y) {
    for (int x = Border; x < alone.width - Border; ++x) {
      covered += window.At(place.left + x, place.top + y) != alone.At(x, y);
    }
  }
  return covered;
}

}  // namespace

// The three tab captions lie on the panels' top edge and are drawn whole,
// whichever panel is shown: nothing of the panel covers a tab.
TEST_F(TestScreens, TheTabCaptionsAreDrawnWhole) {
  frmTTTN::Show();
  frmTTTN::NapDuongDan(PictureBank(2));
  Click(frmTTTN::Get().cmdLamBai);
  frmLamTN::Screen& test = frmLamTN::Get();
  ASSERT_TRUE(test.Visible());
  for (int shown : {1, 2, 0}) {
    Click(test.cmdTab[static_cast<size_t>(shown)]);
    SetFocus(test.txtCauSo.Hwnd());  // no focus mark on a tab
    tq::App::Get().DoEvents();
    RedrawWindow(test.Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const testsupport::Picture window = testsupport::CaptureWindow(test.Hwnd());
    RECT frame;
    GetWindowRect(test.Hwnd(), &frame);
    for (size_t k = 0; k < test.cmdTab.Count(); ++k) {
      RECT place;
      GetWindowRect(test.cmdTab[k].Hwnd(), &place);
      OffsetRect(&place, -frame.left, -frame.top);
      EXPECT_EQ(CoveredPixels(window, place, PrintedAlone(test.cmdTab[k].Hwnd())), 0)
          << "tab " << k << ", panel " << shown;
    }
  }
  screentest::SaveScreenshot(test.Hwnd(), "quiz_test_tabs");
}
