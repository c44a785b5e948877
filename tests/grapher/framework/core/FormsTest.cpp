#include "framework/core/FormResources.h"
#include "framework/core/FormText.h"
#include "framework/core/Streams.h"
#include "TestComponents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>

namespace kx::test {
namespace {

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    journal.clear();
    liveComponents = 0;
  }
  void TearDown() override { EXPECT_EQ(liveComponents, 0) << "components leaked"; }
};

const char* const kForm = R"(object Main: TTestForm
  Caption = 'Main window'
  object Timer1: TTimer
    Interval = 250
    Cursor = crHandPoint
    OnTimer = ButtonClick
  end
  object Panel: TNode
    OnChange = Changed
    Left = 10
    Caption = 'It''s ' + 'a panel'#13#10'two lines'
    Buddy = Later
    Pages = (
      Sheet1
      Sheet2)
    OnTab = TabActive
    object Inner: TNode
      OnChange = ButtonClick
      Left = 1
      Left = 2
      Small = -128
      Big = 5000000000
      Visible = False
      Scale = 0.5
      Ratio = 0.1
      Precise = 0.1
      Align = alClient
      Color = clRed
      Font.Style = [fsBold, fsUnderline]
      Font.Size = 12
      Font.Color = $00FF8000
      Material.FrontProperties.Emission.Coordinates = {
        0000803F 00000040 00004040 0000803F}
      Material.Name = 'gold'
      Items.Strings = (
        'one'
        'two')
      Columns = <
        item
          Title = 'A'
          Width = 3
          Link = Panel
        end
        item
          Link = Later
        end>
      OnClick = ButtonClick
    end
  end
  object Later: TNode
    Buddy = Inner
  end
end
)";

TEST_F(Forms, LoadsTreeValuesReferencesAndBindings) {
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadComponentText(*form, kForm, "test form");

  EXPECT_EQ(form->Name(), "Main");
  EXPECT_EQ(form->Caption(), "Main window");
  ASSERT_EQ(form->ComponentCount(), 4);  // every component is owned by the form
  auto* timer = As<TTimer>(form->FindComponent("timer1"));
  auto* panel = As<TNode>(form->FindComponent("Panel"));
  auto* inner = As<TNode>(form->FindComponent("Inner"));
  auto* later = As<TNode>(form->FindComponent("Later"));
  ASSERT_TRUE(timer && panel && inner && later);
  EXPECT_EQ(form->Components(0), timer);  // stream order
  EXPECT_EQ(form->Components(3), later);

  // Nesting: Inner was adopted by Panel; top-level nodes have no parent node.
  EXPECT_EQ(inner->ParentNode(), panel);
  EXPECT_EQ(panel->Kids(), std::vector<TNode*>{inner});
  EXPECT_EQ(later->ParentNode(), nullptr);
  // The parent came before any property.
  EXPECT_EQ(inner->parentSetAfterProps, 0);
  EXPECT_EQ(panel->parentSetAfterProps, 0);

  EXPECT_EQ(timer->Interval(), 250);
  EXPECT_EQ(timer->Cursor(), -21);
  EXPECT_EQ(panel->Left(), 10);
  EXPECT_EQ(panel->Caption(), "It's a panel\r\ntwo lines");
  EXPECT_EQ(panel->pageNames, (std::vector<std::string>{"Sheet1", "Sheet2"}));
  EXPECT_EQ(inner->Left(), 2);  // later wins
  EXPECT_EQ(inner->Small(), -128);
  EXPECT_EQ(inner->Big(), 5000000000LL);
  EXPECT_FALSE(inner->Visible());
  EXPECT_EQ(inner->Scale(), 0.5f);
  EXPECT_EQ(inner->Ratio(), 0.1);
  EXPECT_EQ(inner->Precise(), 0.1L);
  EXPECT_EQ(inner->Align(), alClient);
  EXPECT_EQ(inner->Color(), clRed);
  EXPECT_EQ(inner->Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(inner->Font()->Size(), 12);
  EXPECT_EQ(inner->Font()->Color(), 0x00FF8000);
  const float* v = inner->Material()->FrontProperties()->Emission()->v;
  EXPECT_EQ(v[0], 1.0f);
  EXPECT_EQ(v[1], 2.0f);
  EXPECT_EQ(v[2], 3.0f);
  EXPECT_EQ(v[3], 1.0f);
  EXPECT_EQ(inner->Material()->Name(), "gold");
  EXPECT_EQ(inner->Items()->Text(), "one\r\ntwo\r\n");
  ASSERT_EQ(inner->Columns()->Count(), 2);
  auto* col0 = inner->Columns()->ItemAs<TColumn>(0);
  auto* col1 = inner->Columns()->ItemAs<TColumn>(1);
  EXPECT_EQ(col0->Title(), "A");
  EXPECT_EQ(col0->Width(), 3);
  EXPECT_EQ(col1->Width(), 64);
  // References to earlier, enclosing and later components.
  EXPECT_EQ(col0->Link(), panel);
  EXPECT_EQ(col1->Link(), later);
  EXPECT_EQ(panel->Buddy(), later);
  EXPECT_EQ(later->Buddy(), inner);

  // Nothing fired while loading, and every state is clear afterwards.
  EXPECT_TRUE(form->changes.empty());
  EXPECT_TRUE(form->clicks.empty());
  for (int i = 0; i < form->ComponentCount(); ++i)
    EXPECT_TRUE(form->Components(i)->ComponentState().Empty()) << form->Components(i)->Name();
  EXPECT_TRUE(form->ComponentState().Empty());

  // References were resolved before Loaded ran; the root's Loaded comes first.
  EXPECT_EQ(journal, (std::vector<std::string>{"parent Panel <- Main", "parent Inner <- Panel", "parent Later <- Main",
                                               "loaded Main", "loaded Panel buddy Later", "loaded Inner",
                                               "loaded Later buddy Inner"}));

  // One handler serves several events; another has its own signature.
  inner->OnClick(inner);
  inner->OnChange(inner);
  timer->OnTimer(timer);
  panel->OnTab(panel, 1);
  EXPECT_EQ(form->clicks, (std::vector<TObject*>{inner, inner, timer}));
  ASSERT_EQ(form->tabs.size(), 1u);
  EXPECT_EQ(form->tabs[0], std::make_pair(static_cast<TObject*>(panel), 1));
  EXPECT_EQ(inner->OnClick.HandlerName(), "ButtonClick");

  // Events fire after loading.
  inner->SetCaption("x");
  EXPECT_EQ(form->clicks.size(), 4u);
}

TEST_F(Forms, OwnershipFreesEverythingAndNotificationsClearReferences) {
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadComponentText(*form, kForm, "test form");
  EXPECT_EQ(liveComponents, 5);
  auto* inner = As<TNode>(form->FindComponent("Inner"));
  auto* later = As<TNode>(form->FindComponent("Later"));
  delete inner;
  EXPECT_EQ(later->Buddy(), nullptr);
  EXPECT_EQ(form->FindComponent("Inner"), nullptr);
  EXPECT_EQ(liveComponents, 4);
  form.reset();
}

TEST_F(Forms, CollectionReadAgainDropsTheReferencesOfItsOldItems) {
  const char* text = R"(object Main: TTestForm
  object X: TNode
    Columns = <
      item
        Link = Later
      end
      item
        Link = X
      end>
    Columns = <
      item
        Title = 'kept'
        Link = X
      end>
  end
  object Later: TNode
  end
end
)";
  auto form = std::make_unique<TTestForm>(nullptr);
  ReadComponentText(*form, text, "twice");
  auto* x = As<TNode>(form->FindComponent("X"));
  ASSERT_EQ(x->Columns()->Count(), 1);
  EXPECT_EQ(x->Columns()->ItemAs<TColumn>(0)->Title(), "kept");
  EXPECT_EQ(x->Columns()->ItemAs<TColumn>(0)->Link(), x);
  EXPECT_EQ(std::count(journal.begin(), journal.end(), "link set on a freed item"), 0);
}

TEST_F(Forms, SecondWindowOfOneClassGetsItsOwnName) {
  const char* text = "object Dlg: TTestForm\n  object X: TNode\n    Buddy = X\n  end\nend";
  TComponent owner(nullptr);
  auto* first = new TTestForm(&owner);
  auto* second = new TTestForm(&owner);
  auto* third = new TTestForm(&owner);
  ReadComponentText(*first, text, "first");
  ReadComponentText(*second, text, "second");
  ReadComponentText(*third, text, "third");
  EXPECT_EQ(first->Name(), "Dlg");
  EXPECT_EQ(second->Name(), "Dlg_1");
  EXPECT_EQ(third->Name(), "Dlg_2");
  // Each window's own components keep their names and references.
  auto* x = As<TNode>(second->FindComponent("X"));
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->Buddy(), x);
  // The name of a freed window can be taken again.
  delete third;
  auto* again = new TTestForm(&owner);
  ReadComponentText(*again, "object Dlg: TTestForm\nend", "again");
  EXPECT_EQ(again->Name(), "Dlg_2");
}

TEST_F(Forms, TextRoundTripKeepsEveryValue) {
  auto first = std::make_unique<TTestForm>(nullptr);
  ReadComponentText(*first, kForm, "test form");
  const std::string text = WriteComponentText(*first);

  auto second = std::make_unique<TTestForm>(nullptr);
  ReadComponentText(*second, text, "written form");
  EXPECT_EQ(WriteComponentText(*second), text);

  auto* inner = As<TNode>(second->FindComponent("Inner"));
  auto* panel = As<TNode>(second->FindComponent("Panel"));
  ASSERT_TRUE(inner && panel);
  EXPECT_EQ(inner->ParentNode(), panel);
  EXPECT_EQ(inner->Big(), 5000000000LL);
  EXPECT_EQ(inner->Precise(), 0.1L);
  EXPECT_EQ(inner->Ratio(), 0.1);
  EXPECT_EQ(inner->Scale(), 0.5f);
  EXPECT_EQ(inner->Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(inner->Material()->FrontProperties()->Emission()->v[2], 3.0f);
  EXPECT_EQ(inner->Columns()->ItemAs<TColumn>(1)->Link(), second->FindComponent("Later"));
  EXPECT_EQ(panel->Caption(), "It's a panel\r\ntwo lines");
  EXPECT_EQ(panel->pageNames.size(), 2u);
  inner->OnChange(inner);
  EXPECT_EQ(second->clicks.size(), 1u);
  // Defaults are left out; stored names come in the header, not as a property.
  EXPECT_EQ(text.find("Name = 'Inner'"), std::string::npos);
  EXPECT_EQ(text.find("Visible = True"), std::string::npos);
  EXPECT_NE(text.find("Visible = False"), std::string::npos);
  EXPECT_NE(text.find("Cursor = crHandPoint"), std::string::npos);
}

TEST_F(Forms, ExtendedValuesSurviveTheTextExactly) {
  const long double values[] = {0.1L,         1.0L / 3.0L, -2.5L,       LDBL_MAX, LDBL_MIN,
                                LDBL_EPSILON, 1e-4940L,    12345678.9L, 0.0L};
  for (long double x : values) {
    TTestForm form(nullptr);
    auto* node = new TNode(&form);
    node->SetName("N");
    node->SetPrecise(x);
    node->SetRatio(double(x) == HUGE_VAL ? 0.0 : double(x));
    node->SetScale(float(1.0L / 7.0L));
    const std::string text = WriteComponentText(form);
    TTestForm copy(nullptr);
    ReadComponentText(copy, text, "floats");
    auto* back = As<TNode>(copy.FindComponent("N"));
    EXPECT_EQ(std::memcmp(&x, &(const long double&)back->Precise(), 10), 0) << text;
    EXPECT_EQ(back->Ratio(), node->Ratio()) << text;
    EXPECT_EQ(back->Scale(), node->Scale()) << text;
  }
}

TEST_F(Forms, TextFormOfEveryValueKindIsStable) {
  const std::string text =
      "object Main: TTestForm\r\n"
      "  A = 0\r\n  B = -128\r\n  C = 32767\r\n  D = -2147483648\r\n  E = 9223372036854775807\r\n"
      "  F = 1.5\r\n  G = 'x''y'#0'\xFFz'\r\n  H = ''\r\n  I = Ident\r\n  J = True\r\n  K = False\r\n"
      "  L = nil\r\n  M = [a, b]\r\n  N = []\r\n  O = (\r\n    1\r\n    'two'\r\n    (\r\n      3))\r\n"
      "  P = {\r\n    00FF10}\r\n  Q = <\r\n    item\r\n      W = 1\r\n    end\r\n    item [2]\r\n"
      "    end>\r\n  R = {}\r\n  S = <>\r\n"
      "  object X: TNode\r\n  end\r\n  object TTimer\r\n  end\r\n"
      "end\r\n";
  TMemoryStream binary;
  ObjectTextToBinary(text, binary, "kinds");
  binary.SetPosition(0);
  EXPECT_EQ(ObjectBinaryToText(binary), text);
  // Hex numbers of up to eight digits are 32-bit patterns.
  TMemoryStream hex;
  ObjectTextToBinary("object T\n A = $FF000000\n B = $1FFFFFFFF\nend", hex, "hex");
  hex.SetPosition(0);
  EXPECT_EQ(ObjectBinaryToText(hex), "object T\r\n  A = -16777216\r\n  B = 8589934591\r\nend\r\n");
}

TEST_F(Forms, BinaryFilerRoundTripsEveryValue) {
  TMemoryStream stream;
  const std::string longText(300, 'q');
  const uint8_t blob[] = {1, 2, 3, 0, 255};
  {
    TWriter w(stream, 16);  // a small buffer crosses its edge often
    w.WriteInteger(5);
    w.WriteInteger(-300);
    w.WriteInteger(70000);
    w.WriteInteger(INT64_MIN);
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteString("short");
    w.WriteString(longText);
    w.WriteIdent("clRed");
    w.WriteIdent("nil");
    w.WriteFloat(1.0L / 3.0L);
    w.WriteSingle(0.25f);
    w.WriteDouble(0.1);
    w.WriteListBegin();
    w.WriteInteger(1);
    w.WriteListEnd();
    w.WriteSet(0b101, EnumInfoOf<TFontStyle>());
    w.WriteBinary(blob, sizeof blob);
    w.FlushBuffer();
  }
  stream.SetPosition(0);
  TReader r(stream, 16);
  EXPECT_EQ(r.NextValue(), vaInt8);
  EXPECT_EQ(r.ReadInteger(), 5);
  EXPECT_EQ(r.NextValue(), vaInt16);
  EXPECT_EQ(r.ReadInteger(), -300);
  EXPECT_EQ(r.NextValue(), vaInt32);
  EXPECT_EQ(r.ReadInt64(), 70000);
  EXPECT_EQ(r.NextValue(), vaInt64);
  EXPECT_EQ(r.ReadInt64(), INT64_MIN);
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_FALSE(r.ReadBoolean());
  EXPECT_EQ(r.NextValue(), vaString);
  EXPECT_EQ(r.ReadString(), "short");
  EXPECT_EQ(r.NextValue(), vaLString);
  EXPECT_EQ(r.ReadString(), longText);
  EXPECT_EQ(r.ReadIdent(), "clRed");
  EXPECT_EQ(r.ReadIdent(), "nil");
  EXPECT_EQ(r.ReadFloat(), 1.0L / 3.0L);
  EXPECT_EQ(r.ReadSingle(), 0.25f);
  EXPECT_EQ(r.ReadDouble(), 0.1);
  r.ReadListBegin();
  EXPECT_FALSE(r.EndOfList());
  EXPECT_EQ(r.ReadInteger(), 1);
  EXPECT_TRUE(r.EndOfList());
  r.ReadListEnd();
  EXPECT_EQ(r.ReadSet(EnumInfoOf<TFontStyle>()), 0b101u);
  EXPECT_EQ(r.ReadValue(), vaBinary);
  int32_t size;
  r.Read(&size, 4);
  ASSERT_EQ(size, 5);
  uint8_t back[5];
  r.Read(back, 5);
  EXPECT_EQ(std::memcmp(back, blob, 5), 0);
  EXPECT_EQ(r.Position(), stream.Size());
  EXPECT_THROW(r.ReadInteger(), EReadError);  // past the end
}

TEST_F(Forms, ReaderGivesBackUnreadBytes) {
  TMemoryStream stream;
  {
    TWriter w(stream);
    w.WriteInteger(7);
    w.WriteString("rest");
  }
  stream.SetPosition(0);
  {
    TReader r(stream);
    EXPECT_EQ(r.ReadInteger(), 7);
  }
  EXPECT_EQ(stream.Position(), 2);
}

TEST_F(Forms, TruncatedAndHostileStreamsAreRefused) {
  TMemoryStream stream;
  {
    TWriter w(stream);
    w.WriteValue(vaLString);
    const int32_t huge = 0x7FFFFFF0;
    w.Write(&huge, 4);
  }
  stream.SetPosition(0);
  TReader r(stream);
  EXPECT_THROW(r.ReadString(), EReadError);
  TStringStream bad(std::string("\x63", 1));
  TReader r2(bad);
  EXPECT_THROW(r2.ReadValue(), EReadError);
}

TEST_F(Forms, DeepNestingIsRefusedNotRecursedInto) {
  const std::string deep = "object Main: TTestForm\n  O = " + std::string(200, '(') + std::string(200, ')') + "\nend";
  TMemoryStream out;
  try {
    ObjectTextToBinary(deep, out, "deep");
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_EQ(e.Message(), "deep, line 2: Nesting too deep");
  }
  // The same through the binary form.
  TMemoryStream binary;
  {
    TWriter w(binary);
    w.WriteSignature();
    w.WriteStr("TTestForm");
    w.WriteStr("Main");
    w.WriteStr("O");
    for (int i = 0; i < 200; ++i) w.WriteListBegin();
    for (int i = 0; i < 200; ++i) w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
  }
  binary.SetPosition(0);
  EXPECT_THROW(ObjectBinaryToText(binary), EReadError);
  binary.SetPosition(4 + 1 + 9 + 1 + 4 + 1 + 1);
  TReader r(binary);
  try {
    r.SkipValue();
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("Nesting too deep"), std::string::npos) << e.Message();
  }
  // Within the limit all is well.
  const std::string fine = "object Main: TTestForm\n  O = " + std::string(60, '(') + std::string(60, ')') + "\nend";
  TMemoryStream ok;
  EXPECT_NO_THROW(ObjectTextToBinary(fine, ok, "fine"));
}

TEST_F(Forms, DamagedFormsAreRefusedCleanly) {
  // Deterministic damage: every run tries the same variants.
  uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  const std::string original = kForm;
  const char replacements[] = "=()<>[]{}'#$:.-+0aZ \n";
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::string text = original;
    const int edits = 1 + int(next() % 3);
    for (int e = 0; e < edits; ++e) {
      const size_t at = next() % text.size();
      switch (next() % 3) {
        case 0:
          text[at] = replacements[next() % (sizeof replacements - 1)];
          break;
        case 1:
          text.erase(at, 1 + next() % 8);
          break;
        default:
          text.insert(at, 1, replacements[next() % (sizeof replacements - 1)]);
          break;
      }
    }
    auto form = std::make_unique<TTestForm>(nullptr);
    try {
      ReadComponentText(*form, text, "damaged");
    } catch (const Exception& e) {
      ++refused;
      EXPECT_EQ(e.Message().rfind("damaged, ", 0), 0u) << e.Message();
    }
    EXPECT_FALSE(form->IsLoading());
  }
  EXPECT_GT(refused, 1000);
  // The binary form, cut short at every length, is refused as well.
  TMemoryStream binary;
  ObjectTextToBinary(kForm, binary, "cut");
  for (int64_t size = 0; size < binary.Size(); ++size) {
    TMemoryStream cut;
    cut.WriteBuffer(binary.Memory(), int32_t(size));
    cut.SetPosition(0);
    auto form = std::make_unique<TTestForm>(nullptr);
    TReader reader(cut);
    EXPECT_THROW(reader.ReadRootComponent(*form), EReadError) << size;
  }
}

struct BadForm {
  const char* text;
  const char* message;
};

TEST_F(Forms, BadFormsNameSourceLineAndProperty) {
  const BadForm cases[] = {
      {"object Main: TTestForm\n  object X: TMissing\n  end\nend", "bad, line 2: Class TMissing not found"},
      {"object Main: TTestForm\n  object X: TNode\n    Lef = 1\n  end\nend",
       "bad, line 3, property X.Lef: Property does not exist"},
      {"object Main: TTestForm\n  object X: TNode\n    Align = alLeft\n  end\nend",
       "bad, line 3, property X.Align: \"alLeft\" is not a value of TAlign"},
      {"object Main: TTestForm\n  object X: TNode\n    Font.Style = [fsBold, fsWide]\n  end\nend",
       "bad, line 3, property X.Font.Style: \"fsWide\" is not a value of TFontStyle"},
      {"object Main: TTestForm\n  object X: TNode\n\n    Buddy = Nobody\n  end\nend",
       "bad, line 4, property X.Buddy: Unresolved reference to Nobody"},
      {"object Main: TTestForm\n  object X: TNode\n    OnClick = NoSuchHandler\n  end\nend",
       "bad, line 3, property X.OnClick: Handler NoSuchHandler not found in TTestForm"},
      {"object Main: TTestForm\n  object X: TNode\n    OnClick = TabActive\n  end\nend",
       "bad, line 3, property X.OnClick: Handler TabActive does not fit event OnClick"},
      {"object Main: TTestForm\n  object X: TNode\n    Left = 'ten'\n  end\nend",
       "bad, line 3, property X.Left: Integer expected"},
      {"object Main: TTestForm\n  object X: TNode\n    Small = 200\n  end\nend",
       "bad, line 3, property X.Small: Property Small: value 200 out of range -128..127"},
      {"object Main: TTestForm\n  object X: TNode\n    Scale = 1E300\n  end\nend",
       "bad, line 3, property X.Scale: Property Scale: value 1e+300 out of range for a single"},
      {"object Main: TTestForm\n  object T: TTimer\n    Cursor = crBogus\n  end\nend",
       "bad, line 3, property T.Cursor: \"crBogus\" is not a value of Cursor"},
      {"object Main: TTestForm\n  object X: TNode\n    Color = clPink\n  end\nend",
       "bad, line 3, property X.Color: \"clPink\" is not a colour name"},
      {"object Main: TTestForm\n  object X: TNode\n    Columns = <\n      item\n        Wide = 1\n"
       "      end>\n  end\nend",
       "bad, line 5, property X.Columns[0].Wide: Property does not exist"},
      {"object Main: TTestForm\n  object X: TNode\n    Caption.Length = 1\n  end\nend",
       "bad, line 3, property X.Caption.Length: Caption has no sub-properties"},
      {"object Main: TTestForm\n  object X: TNode\n    Material.FrontProperties.Emission.Coordinates = {00}\n"
       "  end\nend",
       "bad, line 3, property X.Material.FrontProperties.Emission.Coordinates: Coordinates must be 16 bytes"},
      {"object Main: TTestForm\n  object X: TNode\n  end\n  object x: TTimer\n  end\nend",
       "bad, line 4: x: A component named x already exists"},
      {"object Main: TTimer\nend", "bad, line 1: The stored object is a TTimer, not a TTestForm"},
      {"object Main: TTestForm\n  Caption 'x'\nend", "bad, line 2: '=' expected but a string found"},
      {"object Main: TTestForm\n  Caption = 'x\nend", "bad, line 2: Unterminated string"},
      {"object Main: TTestForm\n  Caption = file 'a.bmp'\nend",
       "bad, line 2: File references are embedded by the build; this form was not converted"},
      {"object Main: TTestForm\nend\nend", "bad, line 3: Text after the last 'end'"},
      {"object Main: TTestForm\n  object X: TNode\n    object Y: TNode\n    end\n    Left\n  end\n",
       "bad, line 5: 'end' expected but 'Left' found"},
      {"object Main: TTestForm\n  object X: TNode\n  end\n  Left = 1\nend",
       "bad, line 4: 'end' expected but 'Left' found"},
      {"object Main: TTestForm\n  Left = 99999999999999999999\nend",
       "bad, line 2: Integer out of range: 99999999999999999999"},
      {"object Main: TTestForm\n  Data = {0F0}\nend",
       "bad, line 2: Odd number of hexadecimal digits in a binary value"},
      {"object Main: TTestForm\n  object X: TNode\n", "bad, line 3: Property name expected but end of text found"},
  };
  for (const BadForm& c : cases) {
    auto form = std::make_unique<TTestForm>(nullptr);
    try {
      ReadComponentText(*form, c.text, "bad");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_TRUE(dynamic_cast<const EReadError*>(&e) || dynamic_cast<const EParserError*>(&e));
    }
    // A failed load leaves the form usable and frees everything with it.
    EXPECT_FALSE(form->IsLoading());
    for (int i = 0; i < form->ComponentCount(); ++i) EXPECT_FALSE(form->Components(i)->IsLoading());
  }
}

TEST_F(Forms, CompiledResourceHoldsTcvn3TextAndEmbeddedFile) {
  ASSERT_TRUE(FormResourceExists("TRESFORM"));
  EXPECT_FALSE(FormResourceExists("TNOSUCHFORM"));
  TTestForm form(nullptr);
  ReadFormResource(form, "TResForm");
  // "Đồng ý – Thông báo" without the dash: TCVN3 bytes as the build converted them.
  EXPECT_EQ(form.Caption(), "\xA7\xE5ng \xFD Th\xABng b\xB8o");
  auto* node = As<TNode>(form.FindComponent("Picture"));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->Caption(), "\xAE\xE3 \xAD\xEAng");
  // The file's 16 bytes became the binary property.
  const float* v = node->Material()->FrontProperties()->Emission()->v;
  EXPECT_EQ(v[0], 0.5f);
  EXPECT_EQ(v[3], -1.0f);
  EXPECT_THROW(ReadFormResource(form, "TNOSUCHFORM"), EResNotFound);
}

// A second form added to the same program by another call of the build function;
// colours by system name, by number and in hex.
TEST_F(Forms, SecondResourceOfOneProgramReadsColoursByNameAndNumber) {
  TTestForm form(nullptr);
  ReadFormResource(form, "TSecondForm");
  EXPECT_EQ(form.Caption(), "B\xB6ng th\xF8 hai");
  auto* shade = As<TNode>(form.FindComponent("Shade"));
  auto* plain = As<TNode>(form.FindComponent("Plain"));
  ASSERT_TRUE(shade && plain);
  EXPECT_EQ(shade->Color(), clHighlight);
  EXPECT_EQ(shade->Font()->Color(), clRed);
  EXPECT_EQ(plain->Color(), 0x00C0FFEE);
  EXPECT_EQ(plain->Font()->Color(), clWindow);
}

}  // namespace
}  // namespace kx::test
