// Tabs and pages: the strip's measuring and hit test, the events of a click,
// pages joining, moving and leaving, the evaluation panel's page control
// read from a form resource, and a picture of a page control.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVPageControl.h"
#include "skin/controls/KVTabControl.h"
#include "SkinStandIn.h"
#include "TestSupport.h"

using namespace kx;

namespace {

// What a container raised, in order.
struct EventLog {
  std::vector<std::string> events;
  void Watch(TkvTab& tab) {
    tab.OnTabActive = TTabActiveNotify([this](TObject*, int i) { events.push_back("TabActive " + std::to_string(i)); });
    tab.OnChange = TNotifyEvent([this](TObject*) { events.push_back("Change"); });
  }
  void Watch(TkvTabSheet& sheet) {
    sheet.OnShow = TNotifyEvent([this, &sheet](TObject*) { events.push_back("Show " + sheet.Name()); });
  }
};

class Pages : public testing::Test {
 protected:
  void SetUp() override { form_ = skintest::NewStyledForm(TkvUIStyle::Protein, 420, 260); }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  TkvPageControl* NewPageControl(int pages) {
    auto* pc = new TkvPageControl(form_);
    pc->SetName("pc");
    pc->SetParent(form_);
    pc->SetBounds(10, 10, 380, 200);
    for (int i = 0; i < pages; ++i) {
      auto* sheet = new TkvTabSheet(form_);
      sheet->SetName("sheet" + std::to_string(i));
      sheet->SetSheetCaption("Trang " + std::to_string(i));
      sheet->SetParent(pc);
    }
    return pc;
  }
  // Paints the strip so that its widths are known, and clicks at (x, y).
  static void Click(TkvTabControlTopPanel& strip, int x, int y) {
    TBitmap bmp;
    strip.PaintTo(bmp);
    strip.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    strip.Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  // The middle of tab i by the last paint.
  static POINT TabCentre(TkvTabControlTopPanel& strip, int i) {
    int left = strip.LeftMargin();
    for (int k = 0; k < i; ++k) left += strip.TabWidths()[size_t(k)];
    return POINT{left + strip.TabWidths()[size_t(i)] / 2, strip.TabHeight() / 2};
  }
  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(Pages, NewControls) {
  auto* tabs = new TkvTabControl(form_);
  tabs->SetParent(form_);
  tabs->SetWidth(300);
  ASSERT_EQ(tabs->Tabs()->Count(), 1);
  EXPECT_EQ(tabs->Tabs()->Get(0), "Tab1");
  EXPECT_EQ(tabs->TabIndex(), 0);
  EXPECT_EQ(tabs->LeftMargin(), 10);
  EXPECT_EQ(tabs->Strip()->Height(), 22);  // Protein: tab and line pictures
  TkvPageControl* pc = NewPageControl(0);
  EXPECT_EQ(pc->Strip()->Tabs()->Count(), 0);
  EXPECT_EQ(pc->PageCount(), 0);
  EXPECT_EQ(pc->ActivePage(), nullptr);
}

TEST_F(Pages, TabWidthsAndTheHitTest) {
  auto* tabs = new TkvTabControl(form_);
  tabs->SetParent(form_);
  tabs->SetWidth(360);
  tabs->Tabs()->Clear();
  for (const char* caption : {"Gia tri", "", "Tich phan"}) tabs->Tabs()->Add(caption);
  TkvTabControlTopPanel& strip = *tabs->Strip();
  TBitmap bmp;
  strip.PaintTo(bmp);
  TBitmap measure;
  measure.SetSize(10, 10);
  measure.Canvas()->SetFont(tabs->TabFont());
  ASSERT_EQ(strip.TabWidths().size(), 3u);
  EXPECT_EQ(strip.TabWidths()[0], measure.Canvas()->TextWidth("Gia tri") + 20);
  EXPECT_EQ(strip.TabWidths()[1], 80);
  EXPECT_EQ(strip.TabWidths()[2], measure.Canvas()->TextWidth("Tich phan") + 20);

  const int border = 10 + strip.TabWidths()[0];
  const int h = strip.TabHeight();
  struct Case {
    int x, y, tab;
  } cases[] = {
      {11, 5, 0},
      {10, 5, -1},      // the left margin's edge
      {border, 5, -1},  // exactly between two tabs
      {border + 1, 5, 1},
      {border - 1, 5, 0},
      {border + 1, 0, -1},  // the top row
      {border + 1, h - 1, 1},
      {border + 1, h, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(strip.TabAt(c.x, c.y), c.tab) << c.x << "," << c.y;
}

TEST_F(Pages, EdgeCases) {
  struct Case {
    const char* name;
    std::function<void(TkvPageControl&, EventLog&)> act;
    std::vector<std::string> events;
    int activeIndex;  // -1: no active page
    std::vector<std::string> order;
  };
  const Case cases[] = {
      {"writing the current TabIndex activates again",
       [](TkvPageControl& pc, EventLog&) { pc.SetTabIndex(pc.Strip()->TabIndex()); },
       {"Show sheet2", "TabActive 2", "Change"},
       2,
       {"sheet0", "sheet1", "sheet2"}},
      {"TabIndex out of range changes nothing",
       [](TkvPageControl& pc, EventLog&) { pc.SetTabIndex(7); },
       {},
       2,
       {"sheet0", "sheet1", "sheet2"}},
      {"a refusing OnChanging does not stop a write from code",
       [](TkvPageControl& pc, EventLog&) {
         pc.OnChanging = TTabChangingEvent([](TObject*, bool& allow) { allow = false; });
         pc.SetTabIndex(0);
       },
       {"Show sheet0", "TabActive 0", "Change"},
       0,
       {"sheet0", "sheet1", "sheet2"}},
      {"removing page 0 renumbers and leaves no active page",
       [](TkvPageControl& pc, EventLog&) { pc.Pages(0)->SetParent(nullptr); },
       {},
       -1,
       {"sheet1", "sheet2"}},
      {"writing a sheet's own PageIndex makes it active",
       [](TkvPageControl& pc, EventLog&) { pc.Pages(1)->SetPageIndex(1); },
       {"Show sheet1", "TabActive 1", "Change", "Show sheet1", "TabActive 1", "Change", "Show sheet1"},
       1,
       {"sheet0", "sheet1", "sheet2"}},
      {"PageIndex moves the page",
       [](TkvPageControl& pc, EventLog&) { pc.Pages(2)->SetPageIndex(0); },
       {"Show sheet2", "TabActive 0", "Change", "Show sheet2", "TabActive 0", "Change", "Show sheet2"},
       0,
       {"sheet2", "sheet0", "sheet1"}},
      {"PageIndex outside the range leaves everything",
       [](TkvPageControl& pc, EventLog&) { pc.Pages(0)->SetPageIndex(3); },
       {},
       2,
       {"sheet0", "sheet1", "sheet2"}},
      {"hiding the active tab activates the one before it",
       [](TkvPageControl& pc, EventLog&) { pc.Pages(2)->SetTabVisible(false); },
       {"Show sheet1", "TabActive 1", "Change", "Show sheet1", "TabActive 1", "Change", "Show sheet1"},
       1,
       {"sheet0", "sheet1", "sheet2"}},
      {"hiding the first tab activates the one after it",
       [](TkvPageControl& pc, EventLog&) {
         pc.SetActivePage(pc.Pages(0));
         pc.Pages(0)->SetTabVisible(false);
       },
       {"Show sheet0", "TabActive 0", "Change", "Show sheet0", "TabActive 0", "Change", "Show sheet0",  // activated
        "Show sheet1", "TabActive 1", "Change", "Show sheet1", "TabActive 1", "Change", "Show sheet1"},
       1,
       {"sheet0", "sheet1", "sheet2"}},
      {"showing a tab activates its page",
       [](TkvPageControl& pc, EventLog&) {
         pc.Pages(0)->SetTabVisible(false);
         pc.Pages(0)->SetTabVisible(true);
       },
       {"Show sheet1", "TabActive 1", "Change", "Show sheet1", "TabActive 1", "Change",
        "Show sheet1",  // hiding selects the nearest
        "Show sheet0", "TabActive 0", "Change", "Show sheet0", "TabActive 0", "Change", "Show sheet0"},
       0,
       {"sheet0", "sheet1", "sheet2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    TkvPageControl* pc = NewPageControl(3);
    EventLog log;
    log.Watch(*pc);
    for (int i = 0; i < 3; ++i) log.Watch(*pc->Pages(i));
    c.act(*pc, log);
    EXPECT_EQ(log.events, c.events);
    if (c.activeIndex < 0) {
      EXPECT_EQ(pc->ActivePage(), nullptr);
    } else {
      ASSERT_NE(pc->ActivePage(), nullptr);
      EXPECT_EQ(pc->ActivePage()->PageIndex(), c.activeIndex);
    }
    std::vector<std::string> order;
    for (int i = 0; i < pc->PageCount(); ++i) {
      order.push_back(pc->Pages(i)->Name());
      EXPECT_EQ(pc->Pages(i)->PageIndex(), i);
      EXPECT_EQ(pc->Strip()->Tabs()->Get(i), pc->Pages(i)->SheetCaption());
    }
    EXPECT_EQ(order, c.order);
  }
}

TEST_F(Pages, OneClickRaisesItsEventsInOrder) {
  TkvPageControl* pc = NewPageControl(3);
  EventLog log;
  log.Watch(*pc);
  for (int i = 0; i < 3; ++i) log.Watch(*pc->Pages(i));
  TkvTabControlTopPanel& strip = *pc->Strip();
  strip.OnMouseDown =
      TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { log.events.push_back("MouseDown"); });
  bool allow = true;
  pc->OnChanging = TTabChangingEvent([&](TObject*, bool& a) {
    log.events.push_back("Changing");
    a = allow;
  });
  TBitmap bmp;
  strip.PaintTo(bmp);
  const POINT p = TabCentre(strip, 1);
  Click(strip, p.x, p.y);
  const std::vector<std::string> expected = {"MouseDown", "Changing", "Show sheet1", "TabActive 1", "Change"};
  EXPECT_EQ(log.events, expected);
  EXPECT_EQ(pc->ActivePage(), pc->Pages(1));

  // Refused: nothing further, the old tab stays.
  log.events.clear();
  allow = false;
  const POINT q = TabCentre(strip, 0);
  Click(strip, q.x, q.y);
  EXPECT_EQ(log.events, (std::vector<std::string>{"MouseDown", "Changing"}));
  EXPECT_EQ(strip.TabIndex(), 1);
  EXPECT_EQ(pc->ActivePage(), pc->Pages(1));
}

TEST_F(Pages, SeventyTabsEachKeepTheirSlot) {
  auto* tabs = new TkvTabControl(form_);
  tabs->SetParent(form_);
  tabs->SetWidth(6000);
  tabs->Tabs()->Clear();
  for (int i = 0; i < 70; ++i) tabs->Tabs()->Add("T" + std::to_string(i));
  tabs->Strip()->SetTabVisible(69, false);
  tabs->Strip()->SetTabVisible(69, true);
  tabs->Strip()->SetTabVisible(68, false);
  TkvTabControlTopPanel& strip = *tabs->Strip();
  TBitmap bmp;
  strip.PaintTo(bmp);
  ASSERT_EQ(strip.TabWidths().size(), 70u);
  EXPECT_EQ(strip.TabWidths()[68], 0);
  EXPECT_GT(strip.TabWidths()[69], 20);
  EXPECT_TRUE(strip.TabVisible(69));
  EventLog log;
  log.Watch(*tabs);
  const POINT p = TabCentre(strip, 69);
  Click(strip, p.x, p.y);
  EXPECT_EQ(tabs->TabIndex(), 69);
  EXPECT_EQ(log.events, (std::vector<std::string>{"TabActive 69", "Change"}));
}

TEST_F(Pages, CustomNeverReachesTheStrip) {
  TkvPageControl* pc = NewPageControl(2);
  const TColor color = pc->Color();
  const int height = pc->Strip()->Height();
  pc->SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(pc->UIStyle(), TkvUIStyle::Protein);
  EXPECT_EQ(pc->Color(), color);
  pc->Strip()->SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(pc->Strip()->UIStyle(), TkvUIStyle::Protein);
  EXPECT_EQ(pc->Strip()->Height(), height);

  // On a Custom form the strip keeps the look it starts with.
  TForm* custom = skintest::NewStyledForm(TkvUIStyle::Custom);
  auto* onCustom = new TkvTabControl(custom);
  onCustom->SetParent(custom);
  EXPECT_EQ(onCustom->Strip()->UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_EQ(onCustom->Strip()->Height(), 22);
  TBitmap bmp;
  onCustom->Strip()->PaintTo(bmp);  // pictures found: the tab has a height
  EXPECT_GT(onCustom->Strip()->TabHeight(), 0);
  delete custom;
}

TEST_F(Pages, BodyColourByStyle) {
  struct Case {
    TkvUIStyle style;
    TColor body;
  } cases[] = {{TkvUIStyle::WinXP, 0xFFFFFF},
               {TkvUIStyle::MacOS, ThemeColor(TkvUIStyle::MacOS, 9)},
               {TkvUIStyle::DeepBlue, ThemeColor(TkvUIStyle::DeepBlue, 9)},
               {TkvUIStyle::BlueGlass, ThemeColor(TkvUIStyle::BlueGlass, 9)}};
  TkvPageControl* pc = NewPageControl(2);
  for (const Case& c : cases) {
    pc->SetUIStyle(c.style);
    EXPECT_EQ(pc->Color(), c.body);
    EXPECT_EQ(pc->BorderColor(), ThemeColor(c.style, 8));
    EXPECT_EQ(pc->Strip()->Color(), ThemeColor(c.style, 9));
    EXPECT_EQ(pc->Pages(1)->Color(), c.body);
    EXPECT_EQ(pc->Pages(1)->BorderColor(), ThemeColor(c.style, 8));
  }
}

TEST_F(Pages, ARemovedSheetForgetsItsPageControl) {
  TkvPageControl* pc = NewPageControl(2);
  TkvTabSheet* sheet = pc->Pages(1);
  sheet->SetParent(form_);
  EXPECT_EQ(sheet->PageControl(), nullptr);
  EXPECT_EQ(sheet->PageIndex(), -1);
  EXPECT_EQ(pc->PageCount(), 1);
  delete pc;  // the sheet outlives it
  sheet->SetSheetCaption("Khac");
  sheet->SetPageIndex(0);
  sheet->SetTabVisible(false);
  EXPECT_EQ(sheet->PageIndex(), -1);
  EXPECT_FALSE(sheet->TabVisible());
}

// A sheet's Show, or the Show of a control on a sheet (through a panel),
// turns the page control to that sheet; a page control inside another's
// sheet turns them both.
TEST_F(Pages, ShowingAChildTurnsToItsPage) {
  TkvPageControl* pc = NewPageControl(3);
  pc->SetActivePage(pc->Pages(0));
  pc->Pages(2)->Show();
  EXPECT_EQ(pc->ActivePage(), pc->Pages(2));
  auto* panel = new TPanel(form_);
  panel->SetParent(pc->Pages(1));
  auto* edit = new TEdit(form_);
  edit->SetParent(panel);
  edit->SetVisible(false);
  edit->Show();
  EXPECT_EQ(pc->ActivePage(), pc->Pages(1));
  EXPECT_TRUE(edit->Visible());

  auto* inner = new TkvPageControl(form_);
  inner->SetParent(pc->Pages(0));
  auto* a = new TkvTabSheet(form_);
  a->SetParent(inner);
  auto* b = new TkvTabSheet(form_);
  b->SetParent(inner);
  inner->SetActivePage(a);
  b->Show();
  EXPECT_EQ(inner->ActivePage(), b);
  EXPECT_EQ(pc->ActivePage(), pc->Pages(0));
}

TEST_F(Pages, ActivePageOfAnotherControlIsIgnored) {
  TkvPageControl* first = NewPageControl(2);
  auto* second = new TkvPageControl(form_);
  second->SetParent(form_);
  auto* foreign = new TkvTabSheet(form_);
  foreign->SetParent(second);
  TkvTabSheet* before = first->ActivePage();
  first->SetActivePage(foreign);
  EXPECT_EQ(first->ActivePage(), before);
  EXPECT_EQ(second->ActivePage(), foreign);
  first->SetActivePage(first->Pages(0));
  EXPECT_EQ(first->ActivePage(), first->Pages(0));
}

namespace {

// The evaluation window's page control, as its resource has it.
class TEvalForm : public TForm {
  KX_CLASS(TEvalForm, TForm)
 public:
  using TForm::TForm;
  void pgEvalTabActive(TObject*, int index) { active.push_back(index); }
  void pgEvalChange(TObject*) { ++changes; }
  void StopSearch(TObject*) { ++clicks; }
  std::vector<int> active;
  int changes = 0;
  int clicks = 0;
};

KX_PUBLISH(TEvalForm) {
  p.Handler("pgEvalTabActive", &TEvalForm::pgEvalTabActive);
  p.Handler("pgEvalChange", &TEvalForm::pgEvalChange);
  p.Handler("StopSearch", &TEvalForm::StopSearch);
}

const char kEvalText[] = R"(object EvalForm: TEvalForm
  Left = 200
  Top = 120
  Width = 240
  Height = 300
  object pgEval: TkvPageControl
    Left = 6
    Top = 6
    Width = 220
    Height = 250
    UIStyle = Protein
    ActivePage = TabLgGia
    OnTabActive = pgEvalTabActive
    OnChange = pgEvalChange
    OnClick = StopSearch
    Pages = (
      TabLgGia
      TabTichPhan)
    object TabTichPhan: TkvTabSheet
      PageIndex = 1
      Caption = 'Tich phan'
      TabVisible = True
      OnClick = StopSearch
      PageControl = pgEval
    end
    object TabLgGia: TkvTabSheet
      PageIndex = 0
      Caption = 'Gia tri'
      OnClick = StopSearch
      PageControl = pgEval
    end
  end
end
)";

}  // namespace

TEST_F(Pages, EvaluationPageControlFromItsResource) {
  RegisterControlClasses();
  RegisterClasses({&TEvalForm::StaticClass()});
  auto* eval = TCustomForm::Create<TEvalForm>(nullptr);
  eval->HandleNeeded();
  ReadComponentText(*eval, kEvalText, "eval");
  auto* pc = dynamic_cast<TkvPageControl*>(eval->FindComponent("pgEval"));
  ASSERT_NE(pc, nullptr);
  ASSERT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->Pages(0)->Name(), "TabLgGia");
  EXPECT_EQ(pc->Pages(1)->Name(), "TabTichPhan");
  EXPECT_EQ(pc->ActivePage(), eval->FindComponent("TabLgGia"));
  EXPECT_EQ(pc->Strip()->TabIndex(), 0);
  EXPECT_TRUE(eval->active.empty());
  EXPECT_EQ(eval->changes, 0);

  // After loading a write raises OnTabActive before OnChange.
  pc->SetTabIndex(1);
  EXPECT_EQ(eval->active, std::vector<int>{1});
  EXPECT_EQ(eval->changes, 1);

  // Written out, the control names its pages in order and each sheet its control.
  const std::string control = WriteComponentText(*pc);
  const size_t pages = control.find("Pages = (");
  ASSERT_NE(pages, std::string::npos) << control;
  const size_t first = control.find("TabLgGia", pages), second = control.find("TabTichPhan", pages);
  EXPECT_LT(first, second) << control;
  EXPECT_NE(second, std::string::npos) << control;
  const std::string sheet = WriteComponentText(*pc->Pages(1));
  EXPECT_NE(sheet.find("PageControl = pgEval"), std::string::npos) << sheet;

  // The screenshot to look at: the values page in front.
  pc->SetActivePage(pc->Pages(0));
  eval->Show();
  Application->ProcessMessages();
  RedrawWindow(eval->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
  EXPECT_TRUE(testsupport::SavePng(testsupport::CaptureWindow(eval->Handle()), "skin_pages_protein.png"));
  delete eval;
}

TEST_F(Pages, PageControlNamingNoPageControlIsALoadError) {
  RegisterControlClasses();
  RegisterClasses({&TEvalForm::StaticClass()});
  const std::string text = R"(object EvalForm: TEvalForm
  object pgEval: TkvPageControl
    object Other: TPanel
    end
    object TabLgGia: TkvTabSheet
      PageControl = Other
    end
  end
end
)";
  std::string missing = text;
  missing.replace(missing.find("= Other"), 7, "= Missing");
  for (const std::string& bad : {text, missing}) {
    auto* eval = TCustomForm::Create<TEvalForm>(nullptr);
    eval->HandleNeeded();
    try {
      ReadComponentText(*eval, bad, "eval");
      ADD_FAILURE() << "loaded";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.Message()).find("is not a page control"), std::string::npos) << e.Message();
    }
    delete eval;
  }
}
