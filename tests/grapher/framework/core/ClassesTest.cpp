#include "framework/core/Classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx {
namespace {

enum TShade { shLight, shMedium, shDark };
KX_ENUM_NAMES(TShade, "shLight", "shMedium", "shDark")
using TShades = TSet<TShade>;

int liveCount = 0;
std::vector<const void*> buddiesAtDeath;  // what each widget still held when freed

class TPen : public TPersistent {
  KX_CLASS(TPen, TPersistent)
 public:
  int Width() const { return width_; }
  void SetWidth(int w) { width_ = w; }
  TShades Shades() const { return shades_; }
  void SetShades(TShades s) { shades_ = s; }
  void Assign(TPersistent* source) override {
    if (auto* pen = dynamic_cast<TPen*>(source)) {
      width_ = pen->width_;
      shades_ = pen->shades_;
    } else {
      TPersistent::Assign(source);
    }
  }

 private:
  int width_ = 1;
  TShades shades_;
};

KX_PUBLISH(TPen) {
  p.Property("Width", &TPen::Width, &TPen::SetWidth);
  p.Property("Shades", &TPen::Shades, &TPen::SetShades);
}

class TWidget : public TComponent {
  KX_CLASS(TWidget, TComponent)
 public:
  explicit TWidget(TComponent* owner) : TComponent(owner) { ++liveCount; }
  ~TWidget() override {
    --liveCount;
    buddiesAtDeath.push_back(buddy_);
    delete pen_;
  }

  int8_t Small() const { return small_; }
  void SetSmall(int8_t v) { small_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  float Scale() const { return scale_; }
  void SetScale(float v) { scale_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TShade Shade() const { return shade_; }
  void SetShade(TShade v) { shade_ = v; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  int32_t Color() const { return color_; }
  void SetColor(int32_t v) { color_ = v; }
  TPen* Pen() const { return pen_; }
  TWidget* Buddy() const { return buddy_; }
  void SetBuddy(TWidget* b) {
    if (buddy_) buddy_->RemoveFreeNotification(this);
    buddy_ = b;
    if (buddy_) buddy_->FreeNotification(this);
  }
  TNotifyEvent OnClick;
  TNotifyEvent OnChange;
  TEvent<TObject*, int> OnTab;
  TEvent<TObject*, char&> OnKeyPress;
  int loadedCalls = 0;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == buddy_) buddy_ = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    ++loadedCalls;
  }

 private:
  int8_t small_ = 0;
  double ratio_ = 0;
  float scale_ = 0;
  bool visible_ = true;
  TShade shade_ = shLight;
  std::string caption_;
  int32_t color_ = 0;
  TPen* pen_ = new TPen;
  TWidget* buddy_ = nullptr;
};

KX_PUBLISH(TWidget) {
  p.Property("Small", &TWidget::Small, &TWidget::SetSmall);
  p.Property("Ratio", &TWidget::Ratio, &TWidget::SetRatio);
  p.Property("Scale", &TWidget::Scale, &TWidget::SetScale);
  p.Property("Visible", &TWidget::Visible, &TWidget::SetVisible);
  p.Property("Shade", &TWidget::Shade, &TWidget::SetShade);
  p.Property("Caption", &TWidget::Caption, &TWidget::SetCaption);
  p.Color("Color", &TWidget::Color, &TWidget::SetColor);
  p.Property("Pen", &TWidget::Pen, nullptr);
  p.Property("Buddy", &TWidget::Buddy, &TWidget::SetBuddy);
  p.Field("OnClick", &TWidget::OnClick);
  p.Field("OnChange", &TWidget::OnChange);
  p.Field("OnTab", &TWidget::OnTab);
  p.Field("OnKeyPress", &TWidget::OnKeyPress);
}

class TTestForm : public TComponent {
  KX_CLASS(TTestForm, TComponent)
 public:
  using TComponent::TComponent;
  void ButtonClick(TObject* sender) { clicks.push_back(sender); }
  void TabActive(TObject*, int index) { tabs.push_back(index); }
  void KeyPress(TObject*, char& key) { key = char(key - 'a' + 'A'); }
  std::vector<TObject*> clicks;
  std::vector<int> tabs;
};

KX_PUBLISH(TTestForm) {
  p.Handler("ButtonClick", &TTestForm::ButtonClick);
  p.Handler("TabActive", &TTestForm::TabActive);
  p.Handler("KeyPress", &TTestForm::KeyPress);
}

TEST(ClassInfo, NamesParentsAndFactories) {
  EXPECT_EQ(TWidget::StaticClass().Name, "TWidget");
  EXPECT_EQ(TWidget::StaticClass().Parent, &TComponent::StaticClass());
  EXPECT_TRUE(TWidget::StaticClass().InheritsFrom(TPersistent::StaticClass()));
  EXPECT_FALSE(TPen::StaticClass().InheritsFrom(TComponent::StaticClass()));
  TComponent owner(nullptr);
  TObject* made = TWidget::StaticClass().Create(&owner);
  EXPECT_EQ(made->ClassName(), "TWidget");
  EXPECT_EQ(static_cast<TComponent*>(As<TWidget>(made))->Owner(), &owner);
  std::unique_ptr<TObject> pen(TPen::StaticClass().Create(nullptr));
  EXPECT_EQ(pen->ClassName(), "TPen");
  EXPECT_THROW(TObject::StaticClass().Create(nullptr), EInvalidOperation);
}

TEST(ClassInfo, RegistryFindsExactNamesOnly) {
  RegisterClasses({&TWidget::StaticClass(), &TPen::StaticClass()});
  EXPECT_EQ(&FindClass("TWidget"), &TWidget::StaticClass());
  EXPECT_EQ(&FindClass("TComponent"), &TComponent::StaticClass());  // ancestors come along
  EXPECT_EQ(GetClass("twidget"), nullptr);
  try {
    FindClass("TMissing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TMissing not found");
  }
}

TEST(Casts, CheckedCastRaisesForOtherClasses) {
  TComponent owner(nullptr);
  TObject* w = new TWidget(&owner);
  EXPECT_NE(As<TComponent>(w), nullptr);
  EXPECT_EQ(As<TWidget>(nullptr), nullptr);
  EXPECT_THROW(As<TPen>(w), EInvalidCast);
  EXPECT_TRUE(Is<TWidget>(w));
  EXPECT_FALSE(Is<TPen>(w));
}

TEST(Ownership, OwnerFreesOwnedTree) {
  liveCount = 0;
  {
    auto* root = new TComponent(nullptr);
    auto* a = new TWidget(root);
    new TWidget(a);
    new TWidget(a);
    new TWidget(root);
    EXPECT_EQ(liveCount, 4);
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(a->ComponentIndex(), 0);
    delete root;
  }
  EXPECT_EQ(liveCount, 0);
}

TEST(Ownership, FreedChildLeavesOwnerList) {
  TComponent root(nullptr);
  auto* a = new TWidget(&root);
  auto* b = new TWidget(&root);
  delete a;
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0), b);
  EXPECT_THROW(root.Components(1), EListError);
}

TEST(Names, FindComponentIgnoresCaseAndNamesStayUnique) {
  TComponent root(nullptr);
  auto* a = new TWidget(&root);
  a->SetName("BtnOk");
  auto* b = new TWidget(&root);
  EXPECT_EQ(root.FindComponent("btnok"), a);
  EXPECT_EQ(root.FindComponent(""), nullptr);
  EXPECT_THROW(b->SetName("BTNOK"), EComponentError);
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  b->SetName("_Cancel2");
  EXPECT_EQ(root.FindComponent("_cancel2"), b);
  a->SetName("btnOK");  // renaming to itself with another case is fine
  EXPECT_EQ(a->Name(), "btnOK");
}

TEST(FreeNotification, HeldReferencesAreCleared) {
  TComponent root(nullptr);
  TComponent other(nullptr);
  auto* holder = new TWidget(&root);
  auto* sameOwner = new TWidget(&root);
  auto* foreign = new TWidget(&other);
  holder->SetBuddy(foreign);
  delete foreign;
  EXPECT_EQ(holder->Buddy(), nullptr);
  holder->SetBuddy(sameOwner);
  delete sameOwner;
  EXPECT_EQ(holder->Buddy(), nullptr);
  // The holder dying first must not leave the held one pointing at it.
  auto* held = new TWidget(&other);
  holder->SetBuddy(held);
  delete holder;
  delete held;
}

TEST(FreeNotification, SiblingsDestroyedByOwnerAreClearedToo) {
  auto* root = new TComponent(nullptr);
  auto* a = new TWidget(root);
  auto* b = new TWidget(root);
  auto* c = new TWidget(root);
  b->SetBuddy(c);  // c goes first (last owned), b must forget it
  a->SetBuddy(b);
  buddiesAtDeath.clear();
  delete root;
  EXPECT_EQ(buddiesAtDeath, (std::vector<const void*>{nullptr, nullptr, nullptr}));
}

TEST(State, LoadingAndDestroying) {
  TComponent root(nullptr);
  auto* w = new TWidget(&root);
  w->BeginLoading();
  EXPECT_TRUE(w->ComponentState().Contains(csLoading));
  EXPECT_TRUE(w->ComponentState().Contains(csReading));
  w->EndReading();
  static_cast<TComponent*>(w)->Loaded();
  EXPECT_TRUE(w->ComponentState().Empty());
  EXPECT_EQ(w->loadedCalls, 1);
  root.Destroying();
  EXPECT_TRUE(w->IsDestroying());
}

TEST(State, EventsOfALoadingComponentCallNoHandler) {
  TComponent root(nullptr);
  auto* w = new TWidget(&root);
  std::vector<std::string> heard;
  w->OnChange = TNotifyEvent([&](TObject* s) { heard.push_back(s == w ? "widget" : "other"); });
  w->OnTab = TEvent<TObject*, int>([&](TObject*, int i) { heard.push_back("tab " + std::to_string(i)); });
  TEvent<int> plain([&](int i) { heard.push_back("plain " + std::to_string(i)); });
  TPen pen;

  w->BeginLoading();
  w->OnChange(w);
  w->OnTab(w, 1);
  // Senders that are not loading, and events without a sender, are heard.
  w->OnChange(&root);
  w->OnChange(&pen);
  w->OnChange(nullptr);
  plain(2);
  EXPECT_EQ(heard, (std::vector<std::string>{"other", "other", "other", "plain 2"}));

  heard.clear();
  w->EndReading();
  static_cast<TComponent*>(w)->Loaded();
  w->OnChange(w);
  w->OnTab(w, 3);
  EXPECT_EQ(heard, (std::vector<std::string>{"widget", "tab 3"}));

  // A load that failed leaves the events working too.
  heard.clear();
  w->BeginLoading();
  w->AbortLoading();
  w->OnChange(w);
  EXPECT_EQ(heard, (std::vector<std::string>{"widget"}));
}

TEST(Properties, EveryKindByName) {
  TComponent root(nullptr);
  TWidget w(&root);
  SetPropValue(w, "Small", int64_t(-128));
  SetPropValue(w, "ratio", 0.25L);
  SetPropValue(w, "Scale", int64_t(3));
  SetPropValue(w, "Visible", int64_t(0));
  SetPropValue(w, "Shade", int64_t(shDark));
  SetPropValue(w, "Caption", std::string("Xin chao"));
  SetPropValue(w, "Color", int64_t(0x00FF00));
  SetPropValue(w, "Pen.Width", int64_t(3));
  SetPropValue(w, "Pen.Shades", int64_t(TShades{shLight, shDark}.Bits()));
  EXPECT_EQ(w.Small(), -128);
  EXPECT_EQ(w.Ratio(), 0.25);
  EXPECT_EQ(w.Scale(), 3.0f);
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(w.Shade(), shDark);
  EXPECT_EQ(w.Caption(), "Xin chao");
  EXPECT_EQ(w.Color(), 0x00FF00);
  EXPECT_EQ(w.Pen()->Width(), 3);
  EXPECT_EQ(w.Pen()->Shades(), (TShades{shLight, shDark}));
  EXPECT_EQ(std::get<int64_t>(GetPropValue(w, "PEN.WIDTH")), 3);
  EXPECT_EQ(TWidget::StaticClass().FindProperty("Shade")->Kind, TPropKind::Enum);
  EXPECT_EQ(TWidget::StaticClass().FindProperty("Pen")->Kind, TPropKind::Class);
  EXPECT_EQ(TWidget::StaticClass().FindProperty("Buddy")->Kind, TPropKind::Component);
  EXPECT_EQ(TWidget::StaticClass().FindProperty("Scale")->Kind, TPropKind::Single);
  EXPECT_EQ(TWidget::StaticClass().FindProperty("Name")->Kind, TPropKind::String);
}

TEST(Properties, BadWritesNameTheProperty) {
  TComponent root(nullptr);
  TWidget w(&root);
  TPen pen;
  const struct {
    const char* path;
    TValue value;
    const char* message;
  } cases[] = {
      {"Small", int64_t(128), "Property Small: value 128 out of range -128..127"},
      {"Shade", int64_t(3), "Property Shade: value 3 out of range 0..2"},
      {"Missing", int64_t(1), "Property Missing does not exist"},
      {"Pen.Missing", int64_t(1), "Property Pen.Missing does not exist"},
      {"Pen", static_cast<TObject*>(&pen), "Property Pen is read-only"},
      {"Caption", int64_t(1), "Invalid property value for Caption"},
      {"Buddy", static_cast<TObject*>(&pen), "Invalid property value for Buddy"},
      {"Caption.Length", int64_t(1), "Property Caption has no sub-properties"},
      {"Scale", 1e39L, "Property Scale: value 1e+39 out of range for a single"},
      {"Ratio", -1e309L, "Property Ratio: value -1e+309 out of range for a double"},
  };
  for (const auto& c : cases) {
    try {
      SetPropValue(w, c.path, c.value);
      ADD_FAILURE() << c.path;
    } catch (const EPropertyError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(Events, HandlersBindByNameAndSignature) {
  TTestForm form(nullptr);
  auto* a = new TWidget(&form);
  auto* b = new TWidget(&form);
  const THandlerInfo* click = form.ClassType().FindHandler("buttonclick");
  ASSERT_NE(click, nullptr);
  TMethodValue m{click->Name, click->Bind(form)};
  SetPropValue(*a, "OnClick", m);
  SetPropValue(*b, "OnChange", m);  // one handler, two events of one signature
  a->OnClick(a);
  b->OnChange(b);
  EXPECT_EQ(form.clicks, (std::vector<TObject*>{a, b}));
  EXPECT_EQ(a->OnClick.HandlerName(), "ButtonClick");
  EXPECT_EQ(std::get<TMethodValue>(GetPropValue(*a, "OnClick")).Name, "ButtonClick");
  EXPECT_THROW(SetPropValue(*a, "OnTab", m), EPropertyError);  // wrong signature
  const THandlerInfo* tab = form.ClassType().FindHandler("TabActive");
  SetPropValue(*a, "OnTab", TMethodValue{tab->Name, tab->Bind(form)});
  a->OnTab(a, 2);
  EXPECT_EQ(form.tabs, std::vector<int>{2});
  SetPropValue(*a, "OnClick", TMethodValue{});
  EXPECT_FALSE(a->OnClick);
  // Handlers may change what the event passes by reference.
  const THandlerInfo* key = form.ClassType().FindHandler("KeyPress");
  SetPropValue(*a, "OnKeyPress", TMethodValue{key->Name, key->Bind(form)});
  char c = 'q';
  a->OnKeyPress(a, c);
  EXPECT_EQ(c, 'Q');
  // Bound by code: a lambda or a method.
  int calls = 0;
  a->OnClick = [&](TObject*) { ++calls; };
  a->OnClick(a);
  EXPECT_EQ(calls, 1);
  a->OnClick = MakeEvent(&form, &TTestForm::ButtonClick);
  a->OnClick(b);
  EXPECT_EQ(form.clicks.back(), b);
}

TEST(NamePath, NestedObjectsAreNamedAfterTheirOwner) {
  class TOwned : public TPersistent {
   public:
    explicit TOwned(TPersistent* owner) : owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

   private:
    TPersistent* owner_;
  };
  TComponent form(nullptr);
  auto* w = new TWidget(&form);
  w->SetName("Button1");
  TOwned nested(w);
  EXPECT_EQ(nested.GetNamePath(), "Button1.TPersistent");
  TOwned orphan(nullptr);
  EXPECT_EQ(orphan.GetNamePath(), "TPersistent");
}

TEST(SysUtils, IntegersFromTextAndSystemErrors) {
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {{"42", true, 42},
               {"-7", true, -7},
               {"+3", true, 3},
               {"$FF", true, 255},
               {"$FFFFFFFF", true, -1},
               {"2147483647", true, INT32_MAX},
               {"-2147483648", true, INT32_MIN},
               {"2147483648", false, 0},
               {"", false, 0},
               {"12a", false, 0},
               {"$", false, 0},
               {"1.5", false, 0}};
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  EXPECT_EQ(StrToIntDef("x", 9), 9);
  try {
    StrToInt("x1");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
  }
  try {
    RaiseOSError(2);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode(), 2u);
    EXPECT_EQ(e.Message().rfind("System Error.  Code: 2.", 0), 0u) << e.Message();
  }
  try {
    Assert(false, "Handle=0 for TCube", "GLStage", 2186);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Handle=0 for TCube (GLStage, line 2186)");
  }
  EXPECT_THROW(OutOfMemoryError(), EOutOfMemory);
}

TEST(Assign, CopiesOrRefusesWithClassNames) {
  TPen a, b;
  a.SetWidth(7);
  b.Assign(&a);
  EXPECT_EQ(b.Width(), 7);
  TComponent c(nullptr);
  try {
    b.Assign(&c);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TPen");
  }
}

}  // namespace
}  // namespace kx
