// The skinned menus: items measured and drawn on a memory bitmap, the flat
// border on the menu window, the image lists, and one real popup.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "skin/controls/KVPopupMenu.h"
#include "skin/frame/KVForm.h"
#include "skin/frame/KVMainMenu.h"
#include "TestSupport.h"

using namespace kx;

namespace {

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

int CountOf(TBitmap& b, TColor color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += PixelOf(b, x, y) == color;
  return n;
}

// Pixels whose every channel lies in lo..hi (text, smoothed or not).
int CountBetween(TBitmap& b, int lo, int hi) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = PixelOf(b, x, y);
      bool in = true;
      for (int shift : {0, 8, 16}) {
        const int v = (c >> shift) & 0xFF;
        in = in && v >= lo && v <= hi;
      }
      n += in;
    }
  return n;
}

// The grapher's function menus: Protein, no side bar, its own font at size 10.
std::unique_ptr<TkvPopupMenu> GrapherMenu() {
  auto menu = std::make_unique<TkvPopupMenu>(nullptr);
  menu->SetUIStyle(TkvUIStyle::Protein);
  menu->SetBarWidth(0);
  menu->SetUseSystemFont(false);
  menu->SetFontName("Tahoma");
  menu->SetFontSize(10);
  return menu;
}

TMenuItem* AddItem(TMenu& menu, const std::string& caption) {
  auto* item = new TMenuItem(&menu);
  item->SetCaption(caption);
  menu.Items()->Add(item);
  return item;
}

// An item drawn alone on a white bitmap of w x h.
void Draw(TkvMenuLook& look, TMenuItem& item, TBitmap& into, int w, int h, bool selected) {
  into.SetSize(w, h);
  into.Canvas()->Brush()->SetColor(clWhite);
  into.Canvas()->FillRect(RECT{0, 0, w, h});
  look.DrawItem(item, *into.Canvas(), RECT{0, 0, w, h}, selected);
}

}  // namespace

TEST(Menus, TheGraphersItemsMeasure) {
  auto menu = GrapherMenu();
  EXPECT_EQ(menu->MenuItemHeight(), 21);
  EXPECT_EQ(menu->SeparatorHeight(), 5);
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_EQ(std::get<int64_t>(GetPropValue(*menu, "OwnerDraw")), 1);
  TMenuItem* item = AddItem(*menu, "Ham so 1");
  TMenuItem* separator = AddItem(*menu, "-");
  TMenuItem* saving = AddItem(*menu, "Luu");
  saving->SetShortCut(scCtrl | 'S');
  TBitmap canvas;
  canvas.SetSize(4, 4);
  canvas.Canvas()->Font()->SetName("Tahoma");
  canvas.Canvas()->Font()->SetSize(10);
  TCanvas& c = *canvas.Canvas();
  int w = 0, h = 0;
  menu->MeasureItem(*item, c, w, h);
  EXPECT_EQ(w, c.TextWidth("Ham so 1") + 40);
  EXPECT_EQ(h, 21);
  menu->MeasureItem(*separator, c, w, h);
  EXPECT_EQ(h, 5);
  menu->MeasureItem(*saving, c, w, h);
  EXPECT_EQ(w, c.TextWidth("Luu") + c.TextWidth("Ctrl+S") + 40);
  // A side bar widens every item.
  menu->SetBarWidth(26);
  menu->MeasureItem(*item, c, w, h);
  EXPECT_EQ(w, c.TextWidth("Ham so 1") + 66);
}

TEST(Menus, SelectedItemsAndSeparators) {
  auto menu = GrapherMenu();
  TMenuItem* item = AddItem(*menu, "Ham so 1");
  TBitmap selected, normal;
  Draw(*menu, *item, selected, 100, 21, true);
  Draw(*menu, *item, normal, 100, 21, false);
  // Filled and framed in $C4302D with white text.
  EXPECT_EQ(PixelOf(selected, 0, 0), 0xC4302D);
  EXPECT_EQ(PixelOf(selected, 99, 20), 0xC4302D);
  EXPECT_EQ(PixelOf(selected, 90, 10), 0xC4302D);
  EXPECT_GT(CountBetween(selected, 0xE0, 0xFF), 10);
  EXPECT_EQ(PixelOf(normal, 90, 10), 0xFFFFFF);
  EXPECT_GT(CountBetween(normal, 0, 0x40), 10);

  TMenuItem* separator = AddItem(*menu, "-");
  TBitmap line;
  Draw(*menu, *separator, line, 100, 5, false);
  for (int x = 4; x < 98; ++x) EXPECT_EQ(PixelOf(line, x, 2), 0x848284) << x;
  EXPECT_EQ(PixelOf(line, 3, 2), 0xFFFFFF);
  EXPECT_EQ(PixelOf(line, 98, 2), 0xFFFFFF);
  EXPECT_EQ(PixelOf(line, 50, 1), 0xFFFFFF);
}

TEST(Menus, MacOSHeightsStayFixed) {
  TkvPopupMenu menu(nullptr);
  menu.SetUIStyle(TkvUIStyle::MacOS);
  EXPECT_EQ(menu.MenuItemHeight(), 20);
  EXPECT_EQ(menu.SeparatorHeight(), 12);
  EXPECT_EQ(menu.BarWidth(), 26);
  menu.SetMenuItemHeight(30);
  menu.SetSeparatorHeight(8);
  EXPECT_EQ(menu.MenuItemHeight(), 20);
  EXPECT_EQ(menu.SeparatorHeight(), 12);
  // The menu pictures, cut and stretched over the item.
  TMenuItem* item = AddItem(menu, "Open");
  TBitmap normal, selected, picture;
  Draw(menu, *item, normal, 120, 20, false);
  Draw(menu, *item, selected, 120, 20, true);
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT");
  EXPECT_EQ(PixelOf(selected, 110, 5), PixelOf(picture, 0, 5));
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR");
  EXPECT_EQ(PixelOf(normal, 110, 5), PixelOf(picture, 0, 5));
}

TEST(Menus, CheckPictureOrImageBox) {
  auto menu = GrapherMenu();
  TMenuItem* item = AddItem(*menu, "");
  TBitmap unchecked, checked, expected;
  Draw(*menu, *item, unchecked, 100, 21, false);
  item->SetChecked(true);
  Draw(*menu, *item, checked, 100, 21, false);
  // The shared check picture at (4, 3).
  item->SetChecked(false);
  Draw(*menu, *item, expected, 100, 21, false);
  SharedMenuCheckImages().Draw(*expected.Canvas(), 4, 3, 0);
  int differences = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 100; ++x) {
      EXPECT_EQ(PixelOf(checked, x, y), PixelOf(expected, x, y)) << x << ", " << y;
      differences += PixelOf(checked, x, y) != PixelOf(unchecked, x, y);
    }
  EXPECT_GT(differences, 5);

  // With an image: a black frame and a SelectedColor box behind it.
  TImageList images(nullptr, 16, 16);
  TBitmap red;
  red.SetSize(16, 16);
  red.Canvas()->Brush()->SetColor(0x0000FF);
  red.Canvas()->FillRect(RECT{0, 0, 16, 16});
  images.SetMasked(false);
  images.Add(&red, nullptr);
  menu->SetImages(&images);
  item->SetImageIndex(0);
  item->SetChecked(true);
  TBitmap boxed;
  Draw(*menu, *item, boxed, 100, 21, false);
  EXPECT_EQ(PixelOf(boxed, 2, 1), 0x000000);
  EXPECT_EQ(PixelOf(boxed, 20, 19), 0x000000);
  EXPECT_EQ(PixelOf(boxed, 3, 2), 0xC4302D);
  EXPECT_EQ(PixelOf(boxed, 10, 10), 0x0000FF);
  // An index past the list: no image, the check picture.
  item->SetImageIndex(3);
  TBitmap past;
  Draw(*menu, *item, past, 100, 21, false);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(PixelOf(past, x, y), PixelOf(expected, x, y)) << x << ", " << y;
  menu->SetImages(nullptr);
}

TEST(Menus, DisabledDefaultAndSystemFont) {
  auto menu = GrapherMenu();
  TMenuItem* item = AddItem(*menu, "Ham so");
  item->SetEnabled(false);
  TBitmap disabled;
  Draw(*menu, *item, disabled, 100, 21, true);
  // Grey text, never the selected fill.
  EXPECT_EQ(PixelOf(disabled, 90, 10), 0xFFFFFF);
  EXPECT_GT(CountBetween(disabled, 0x70, 0xC0), 5);
  EXPECT_EQ(CountBetween(disabled, 0, 0x6F), 0);
  EXPECT_EQ(CountOf(disabled, 0xC4302D), 0);
  // A greyed check.
  item->SetCaption("");
  TBitmap greyCheck, check;
  item->SetChecked(true);
  Draw(*menu, *item, greyCheck, 100, 21, false);
  item->SetEnabled(true);
  Draw(*menu, *item, check, 100, 21, false);
  int differences = 0;
  for (int y = 3; y < 19; ++y)
    for (int x = 4; x < 20; ++x) differences += PixelOf(greyCheck, x, y) != PixelOf(check, x, y);
  EXPECT_GT(differences, 0);

  item->SetChecked(false);
  item->SetCaption("Ham so");
  TBitmap plain, bold;
  Draw(*menu, *item, plain, 100, 21, false);
  item->SetDefault(true);
  Draw(*menu, *item, bold, 100, 21, false);
  EXPECT_GT(CountBetween(bold, 0, 0x80), CountBetween(plain, 0, 0x80));

  menu->SetUseSystemFont(true);
  TBitmap system;
  Draw(*menu, *item, system, 100, 21, false);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(system.Canvas()->Font()->Name(), metrics.lfMenuFont.lfFaceName);
}

TEST(Menus, TheMainMenusImageList) {
  TkvMainMenu menu(nullptr);
  EXPECT_EQ(menu.Images(), nullptr);
  ASSERT_NE(menu.OwnCheckImages(), nullptr);
  EXPECT_EQ(menu.OwnCheckImages()->Count(), 1);
  TImageList images(nullptr, 16, 16);
  menu.SetImages(&images);
  EXPECT_EQ(menu.Images(), &images);
  menu.SetImages(nullptr);
  EXPECT_EQ(menu.Images(), nullptr);
  EXPECT_EQ(std::get<TObject*>(GetPropValue(menu, "Images")), nullptr);
  // Items loaded with the menu are drawn by it.
  TMenuItem* item = AddItem(menu, "Tep");
  TMenuItem* sub = new TMenuItem(&menu);
  sub->SetCaption("Mo");
  item->Add(sub);
  menu.Loaded();
  EXPECT_TRUE(static_cast<bool>(item->OnDrawItem));
  EXPECT_TRUE(static_cast<bool>(sub->OnMeasureItem));
}

// ---------------------------------------------------------------------------
// The flat border is drawn on the menu window itself: a window lying over
// it keeps its pixels.

namespace {

HWND PlainWindow(int x, int y, int w, int h, bool topmost) {
  static const ATOM atom = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = &DefWindowProcA;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszClassName = "KvMenuTestWindow";
    return RegisterClassA(&cls);
  }();
  (void)atom;
  return CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, "KvMenuTestWindow", "", WS_POPUP | WS_VISIBLE, x, y, w, h,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(Menus, TheFlatBorderStaysOnTheMenuWindow) {
  HWND menuWindow = PlainWindow(300, 300, 160, 60, false);
  HWND over = PlainWindow(290, 290, 40, 40, true);
  ASSERT_TRUE(menuWindow && over);
  // Both windows shown and painted before the border is drawn: a later
  // erase would wipe it.
  testsupport::PumpUntil([] { return false; }, 1500);
  RedrawWindow(menuWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  RedrawWindow(over, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  auto menu = GrapherMenu();
  menu->SetFlatMenu(true);
  menu->SetBorderColor(0x0000FF);
  TMenuItem* item = AddItem(*menu, "Ham so");
  HDC dc = GetDC(menuWindow);
  {
    TCanvas canvas;
    TCanvasOnDC on(canvas, dc);
    // Inside the frame, as the items of a menu window are.
    menu->DrawItem(*item, canvas, RECT{10, 20, 150, 41}, false);
  }
  ReleaseDC(menuWindow, dc);
  // Wine shows what was drawn on a window once its messages run.
  GdiFlush();
  testsupport::PumpUntil([] { return false; }, 300);
  const testsupport::Picture shot = testsupport::CaptureWindow(menuWindow);
  // Frame in BorderColor one row down, white inside it, the top line in entry 3.
  EXPECT_EQ(shot.At(100, 1), 0xFF0000u);
  EXPECT_EQ(shot.At(159 - 1, 30), 0xFF0000u);
  EXPECT_EQ(shot.At(100, 2), 0xFFFFFFu);
  const unsigned line = 0xFBFBFB;  // Protein's entry 3, as 0xRRGGBB
  EXPECT_EQ(shot.At(100, 0), line);
  EXPECT_EQ(shot.At(100, 59), line);
  // The window over the menu's corner is untouched.
  const testsupport::Picture cover = testsupport::CaptureWindow(over);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(cover.At(x, y), 0xFFFFFFu) << x << ", " << y;
  DestroyWindow(over);
  DestroyWindow(menuWindow);
}

// ---------------------------------------------------------------------------
// One real popup: the second item is chosen with the keyboard while the
// menu is shown, and the screen is saved.

TEST(Menus, ARealPopup) {
  TForm* form = TCustomForm::Create<TForm>(nullptr);
  form->SetBounds(150, 150, 300, 200);
  form->Show();
  Application->ProcessMessages();
  auto menu = GrapherMenu();
  std::vector<std::string> chosen;
  for (const char* caption : {"Ham so 1", "Ham so 2", "-", "Ham so 3", "Khong dung"}) {
    TMenuItem* item = AddItem(*menu, caption);
    item->OnClick = TNotifyEvent([&chosen, item](TObject*) { chosen.push_back(item->Caption()); });
  }
  menu->Items()->Items(3)->SetChecked(true);
  menu->Items()->Items(4)->SetEnabled(false);
  menu->Items()->Items(0)->SetDefault(true);
  menu->Loaded();
  menu->SetPopupComponent(form);

  RECT menuRect{};
  testsupport::Picture shot;
  const bool sawMenu = testsupport::DriveShownMenu([&] { menu->Popup(200, 200); },
                                                   [&](HWND shown, int call) {
                                                     if (call == 0) {
                                                       PostMessageA(shown, WM_KEYDOWN, VK_DOWN, 0);
                                                       PostMessageA(shown, WM_KEYDOWN, VK_DOWN, 0);
                                                       return;
                                                     }
                                                     GetWindowRect(shown, &menuRect);
                                                     shot = testsupport::CaptureWindow(shown);
                                                     PostMessageA(shown, WM_KEYDOWN, VK_RETURN, 0);
                                                   });
  delete form;

  ASSERT_TRUE(sawMenu);
  EXPECT_EQ(chosen, std::vector<std::string>{"Ham so 2"});
  ASSERT_GT(shot.width, 0);
  testsupport::SavePng(shot, "skin_menus_popup.png");
  // Four items and a separator: 4 x 21 + 5 rows inside the menu's frame.
  EXPECT_GE(menuRect.bottom - menuRect.top, 4 * 21 + 5);
  int selected = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) selected += shot.At(x, y) == 0x2D30C4u;
  EXPECT_GT(selected, 100);
}

TEST(Menus, AMainMenuHandsItselfToTheFrame) {
  TForm* form = TCustomForm::Create<TForm>(nullptr);
  auto* frame = new TkvForm(form);
  auto* menu = new TkvMainMenu(form);
  EXPECT_EQ(frame->Menu(), menu);
  EXPECT_EQ(menu->MenuBarForm(), frame);
  frame->SetMenu(nullptr);
  EXPECT_EQ(menu->MenuBarForm(), nullptr);
  frame->SetMenu(menu);
  delete frame;
  EXPECT_EQ(menu->MenuBarForm(), nullptr);
  // Without a frame on its form the menu stays on its own.
  auto* alone = new TkvMainMenu(form);
  EXPECT_EQ(alone->MenuBarForm(), nullptr);
  delete form;
}
