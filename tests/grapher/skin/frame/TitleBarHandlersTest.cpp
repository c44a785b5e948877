// A title bar's custom or help button whose handler frees the bar's form: the
// mouse message stops there. This program poisons every block it frees, so a
// bar that touched itself after its handler would read garbage and fail.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/windows/Forms.h"
#include "skin/frame/KVForm.h"
#include "skin/frame/KVTitleBar.h"

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  if (!p) return;
  std::memset(p, 0xDD, _msize(p));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

using namespace kx;

TEST(TitleBarHandlers, AHandlerMayFreeTheForm) {
  for (const TkvTitleBarBtnType type : {kvCustom, kvHelp}) {
    SCOPED_TRACE(type == kvCustom ? "custom button" : "help button");
    TForm* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(200, 150, 377, 200);
    TkvTitleBar* bar = (new TkvForm(form))->TitleBar();
    bar->Buttons()->Clear();
    bar->Buttons()->Add()->SetButtonType(type);
    int calls = 0;
    const auto freeForm = TkvTitleBarButtonClickEvent([&](TObject*, int) {
      ++calls;
      delete form;
      form = nullptr;
    });
    bar->OnCustomBtnsClick = freeForm;
    bar->OnHelpBtnClick = freeForm;
    form->Show();
    Application->ProcessMessages();

    const TkvTitleBarLayout layout = bar->Layout(bar->Width());
    ASSERT_EQ(layout.Buttons.size(), 1u);
    const RECT& r = layout.Buttons[0].Rect;
    const POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const POINT s = bar->ClientToScreen(p);
    SetCursorPos(s.x, s.y);  // the bar finds its button under the real cursor
    const HWND wnd = bar->Handle();
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));

    EXPECT_EQ(calls, 1);
    EXPECT_EQ(form, nullptr);
    EXPECT_FALSE(IsWindow(wnd));
    Application->ProcessMessages();
    delete form;
  }
}
