// The about box, the template form and the axis-ratio window built from the
// program's own form resources: their components against tables, the
// pictures decoded, the template form's reset and radio buttons, the sliders
// on a view state, and screenshots of each window to be looked at.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "SmallWindowsTestSupport.h"
#include "app/model/MainU_View.h"
#include "app/windows/AboutU.h"
#include "app/windows/HamMauU.h"
#include "app/windows/OrdCfg.h"
#include "framework/windows/ExtCtrls.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVTrackBar.h"

using namespace kx;
using namespace smallwindows;

namespace {

// ---------------------------------------------------------------------------
// About box

class AboutBox : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    form_.reset(TCustomForm::Create<TAboutForm>(nullptr));
  }
  std::unique_ptr<TAboutForm> form_;
};

TEST_F(AboutBox, IsADeepBlueBoxOfTextsAndPicturesWithOnlyAClosingButton) {
  ExpectGrapherFrame(*form_, TkvUIStyle::DeepBlue, "Gioi thieu Plotvane", 480, 332);
  EXPECT_EQ(ButtonTypes(*TkvForm::FindOn(form_.get())), (std::vector<TkvTitleBarBtnType>{kvClose}));
  EXPECT_EQ(form_->BorderStyle(), bsNone);  // the frame took the dialog border over
  ExpectParts(*form_, {
                          {"imgCurve", "TImage", "kvForm1", 16, 48, 168, 126, nullptr},
                          {"imgSurface", "TImage", "kvForm1", 16, 190, 168, 126, nullptr},
                          {"lbName", "TLabel", "kvForm1", 200, 48, -1, -1, "Plotvane v2.21"},
                          {"lbPurpose", "TLabel", "kvForm1", 200, 74, -1, -1, "Chương trình vẽ đồ thị hàm số"},
                          {"lbKinds", "TLabel", "kvForm1", 200, 104, 264, 70,
                           "Vẽ đồ thị hàm số trong hệ tọa độ 2 chiều và 3 chiều: hàm y = f(x), x = f(y), hàm "
                           "trong tọa độ cực, hàm tham số, mặt z = f(x, y), mặt tham số và hàm thực nghiệm."},
                          {"lbEval", "TLabel", "kvForm1", 200, 182, 264, 42,
                           "Tính giá trị, đạo hàm, tích phân xác định, tìm nghiệm và cực trị của hàm số; lưu "
                           "ảnh đồ thị ra file PNG."},
                          {"lbSchools", "TLabel", "kvForm1", 200, 240, 264, 42,
                           "Dành cho giáo viên và học sinh các trường phổ thông Việt Nam."},
                          {"lbFile", "TLabel", "kvForm1", 200, 290, -1, -1, "Danh sách hàm lưu trong file *.fls"},
                      });
  // Nothing in it takes input: texts and pictures only.
  for (int i = 0; i < form_->ComponentCount(); ++i)
    EXPECT_EQ(dynamic_cast<TWinControl*>(form_->Components(i)) != nullptr,
              dynamic_cast<TkvForm*>(form_->Components(i)) != nullptr)
        << form_->Components(i)->Name();
}

// The mean of the three channels of a 24-bit bitmap's pixel.
int Brightness(TBitmap& b, int x, int y) {
  const auto* p = static_cast<const uint8_t*>(b.ScanLine(y)) + x * 3;
  return (p[0] + p[1] + p[2]) / 3;
}

TEST_F(AboutBox, BothPicturesAreJpegsDecodedToTheirSize) {
  for (const char* name : {"imgCurve", "imgSurface"}) {
    SCOPED_TRACE(name);
    auto* image = As<TImage>(form_->FindComponent(name));
    auto* jpeg = dynamic_cast<TJPEGImage*>(image->Picture()->Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_FALSE(jpeg->Empty());
    EXPECT_EQ(jpeg->Width(), 168);
    EXPECT_EQ(jpeg->Height(), 126);
    EXPECT_EQ(jpeg->Bitmap()->PixelFormat(), pf24bit);
  }
  // What was drawn comes out: the curve's white paper with its black y axis
  // in the middle, the surface's black sky above a lit mesh.
  TBitmap* curve =
      dynamic_cast<TJPEGImage*>(As<TImage>(form_->FindComponent("imgCurve"))->Picture()->Graphic())->Bitmap();
  EXPECT_GT(Brightness(*curve, 2, 2), 220);
  EXPECT_LT(Brightness(*curve, 84, 10), 90);
  TBitmap* surface =
      dynamic_cast<TJPEGImage*>(As<TImage>(form_->FindComponent("imgSurface"))->Picture()->Graphic())->Bitmap();
  EXPECT_LT(Brightness(*surface, 2, 2), 30);
  int lit = 0;
  for (int x = 0; x < 168; ++x) lit += Brightness(*surface, x, 90) > 60;
  EXPECT_GT(lit, 20);
}

TEST_F(AboutBox, Screenshot) {
  form_->Show();
  const testsupport::Picture shot = Shoot(*form_, "app_windows_about.png");
  EXPECT_EQ(shot.width, 482);
  EXPECT_EQ(shot.height, 333);
  // The curve's picture where the form resource puts it: the white paper at
  // its top-left corner, inside the frame's one-pixel border.
  const unsigned paper = shot.At(1 + 16 + 3, 48 + 3);
  EXPECT_GT(paper & 0xFF, 0xD0u);
  EXPECT_GT((paper >> 16) & 0xFF, 0xD0u);
  // A Vietnamese text as the screen font draws it, where its label stands.
  auto* label = As<TLabel>(form_->FindComponent("lbPurpose"));
  TFont font;
  font.Assign(label->Font());
  EXPECT_TRUE(ContainsText(Crop(shot, RECT{1 + 196, 70, 1 + 470, 92}), DrawnText(font, label->Caption()), 0x000000));
  form_->Hide();
}

// ---------------------------------------------------------------------------
// Template form

class TemplateForm : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    form_.reset(TCustomForm::Create<TfrmHamMau>(nullptr));
    frmHamMau = form_.get();
  }
  void TearDown() override {
    frmHamMau = nullptr;
    TemplateKindChanged = nullptr;
    form_.reset();
    WindowTest::TearDown();
  }
  // A user's click on a radio button, through its window.
  static void ClickOn(TkvRadioButton* button) {
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  std::unique_ptr<TfrmHamMau> form_;
};

// The picture of an image shows at the image's place in the window, pixel
// for pixel (no template picture is stretched or centred), but where another
// control of the form lies over it; a transparent picture's transparent
// colour shows what lies behind it instead.
void ExpectPictureOnScreen(const testsupport::Picture& shot, TForm& form, TImage& image) {
  const POINT origin = testsupport::InCapture(form.Handle(), image.ClientToScreen(POINT{0, 0}));
  const int left = origin.x, top = origin.y;
  std::vector<RECT> covered;
  for (int i = 0; i < image.Parent()->ControlCount(); ++i) {
    const TControl* other = image.Parent()->Controls(i);
    if (other == &image || !other->Visible()) continue;
    // Its bounds, frame included, in its parent's client area.
    const POINT at =
        testsupport::InCapture(form.Handle(), image.Parent()->ClientToScreen(POINT{other->Left(), other->Top()}));
    covered.push_back(RECT{at.x, at.y, at.x + other->Width(), at.y + other->Height()});
  }
  auto isCovered = [&](int x, int y) {
    const POINT p{x, y};
    return std::any_of(covered.begin(), covered.end(), [&](const RECT& r) { return PtInRect(&r, p) != FALSE; });
  };
  TBitmap* picture = image.Picture()->Bitmap();
  ASSERT_NE(picture, nullptr);
  const int width = std::min(picture->Width(), image.Width()), height = std::min(picture->Height(), image.Height());
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);
  ASSERT_LE(left + width, shot.width);
  ASSERT_LE(top + height, shot.height);
  const TColor transparent = picture->TransparentColor() & 0xFFFFFF;
  int compared = 0, differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TColor colour = picture->Canvas()->Pixel(x, y) & 0xFFFFFF;
      if ((image.Transparent() && colour == transparent) || isCovered(left + x, top + y)) continue;
      ++compared;
      differing += shot.At(left + x, top + y) != OnScreen(colour);
    }
  EXPECT_GT(compared, width * height / 10) << image.Name();
  EXPECT_EQ(differing, 0) << image.Name();
}

TEST_F(TemplateForm, HasTheFieldsRadioButtonsPicturesAndButtonsOfItsResource) {
  ExpectGrapherFrame(*form_, TkvUIStyle::DeepBlue, "Thong so ham", 423, 398);
  EXPECT_EQ(ButtonTypes(*form_->kvForm1()), (std::vector<TkvTitleBarBtnType>{kvControlBox, kvClose}));
  std::vector<TPartSpec> parts = {
      {"raF1", "TkvRadioButton", "kvForm1", 24, 32, 153, 25, nullptr},
      {"raF2", "TkvRadioButton", "kvForm1", 184, 32, 153, 25, nullptr},
      {"btnOK", "TkvButton", "kvForm1", 56, 344, 129, 40, "Đồng ý"},
      {"btnCancel", "TkvButton", "kvForm1", 248, 344, 121, 40, "Bỏ qua"},
      {"Image1", "TImage", "kvForm1", 50, 40, 318, 41, nullptr},
      {"Image2", "TImage", "kvForm1", 60, 40, 312, 92, nullptr},
      {"Image3", "TImage", "kvForm1", 35, 60, 333, 96, nullptr},
      {"Image4", "TImage", "kvForm1", 105, 40, 232, 88, nullptr},
      {"Image5", "TImage", "kvForm1", 8, 40, 412, 46, nullptr},
      {"Image6", "TImage", "kvForm1", 24, 40, 374, 35, nullptr},
      {"Image7", "TImage", "kvForm1", 88, 40, 253, 95, nullptr},
      {"Image8", "TImage", "kvForm1", 112, 60, 200, 102, nullptr},
      {"Image9", "TImage", "kvForm1", 80, 60, 256, 94, nullptr},
      {"Image10", "TImage", "kvForm1", 80, 60, 271, 93, nullptr},
      {"Image11", "TImage", "kvForm1", 112, 60, 194, 102, nullptr},
      {"Image12", "TImage", "kvForm1", 35, 60, 362, 95, nullptr},
      {"Image13", "TImage", "kvForm1", 60, 40, 260, 90, nullptr},
  };
  for (int i = 1; i <= 5; ++i) {
    static const std::string names[] = {"lb1", "lb2", "lb3", "lb4", "lb5", "ed1", "ed2", "ed3", "ed4", "ed5"};
    parts.push_back({names[i - 1].c_str(), "TLabel", "kvForm1", 16, 177 + 32 * (i - 1), 121, 20, nullptr});
    parts.push_back({names[i + 4].c_str(), "TkvEdit", "kvForm1", 152, 176 + 32 * (i - 1), 257, 24, nullptr});
  }
  ExpectParts(*form_, parts);

  EXPECT_TRUE(form_->raF1()->Checked());
  EXPECT_FALSE(form_->raF2()->Checked());
  EXPECT_EQ(form_->raF1()->GroupIndex(), form_->raF2()->GroupIndex());
  EXPECT_EQ(form_->btnOK()->ModalResult(), mrOk);
  EXPECT_EQ(form_->btnCancel()->ModalResult(), mrCancel);
  for (int i = 1; i <= TemplateRowCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form_->ed(i)->TabOrder(), i - 1);  // the fields first, in order
    EXPECT_EQ(form_->lb(i)->Alignment(), taRightJustify);
    EXPECT_TRUE(form_->lb(i)->Font()->Style().Contains(fsBold));
    EXPECT_EQ(form_->lb(i)->Font()->Height(), -16);
  }
  EXPECT_EQ(form_->btnOK()->TabOrder(), 5);
  EXPECT_EQ(form_->btnCancel()->TabOrder(), 6);
}

TEST_F(TemplateForm, EveryPictureIsABitmapOfItsPlacesSize) {
  for (int i = 1; i <= TemplatePictureCount; ++i) {
    SCOPED_TRACE(i);
    TImage* image = form_->Image(i);
    EXPECT_FALSE(image->Visible());  // hidden until a template shows one
    TGraphic* graphic = image->Picture()->Graphic();
    ASSERT_NE(dynamic_cast<TBitmap*>(graphic), nullptr);
    EXPECT_EQ(graphic->Width(), image->Width());
    EXPECT_EQ(graphic->Height(), image->Height());
  }
}

TEST_F(TemplateForm, ResetHidesTheRadioButtonsRowsThreeToFiveAndEveryPicture) {
  // Everything shown, as templates leave it.
  form_->raF1()->Show();
  form_->raF2()->Show();
  for (int i = 1; i <= TemplateRowCount; ++i) form_->lb(i)->Show(), form_->ed(i)->Show();
  for (int i = 1; i <= TemplatePictureCount; ++i) form_->Image(i)->Show();

  form_->ResetTemplateForm();
  EXPECT_FALSE(form_->raF1()->Visible());
  EXPECT_FALSE(form_->raF2()->Visible());
  for (int i = 1; i <= TemplateRowCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form_->lb(i)->Visible(), i <= 2);
    EXPECT_EQ(form_->ed(i)->Visible(), i <= 2);
  }
  for (int i = 1; i <= TemplatePictureCount; ++i) EXPECT_FALSE(form_->Image(i)->Visible()) << i;
  EXPECT_TRUE(form_->btnOK()->Visible());
  EXPECT_TRUE(form_->btnCancel()->Visible());
}

TEST_F(TemplateForm, EitherRadioButtonSwitchesThePictureOfTheTwoTypeTemplateShown) {
  struct TCase {
    TTemplateKindChanged Procedure;
    int Type1, Type2;
  };
  for (const TCase& c : {TCase{HyperbolaKindChanged, 3, 12}, TCase{ParaboloidKindChanged, 8, 11},
                         TCase{HyperboloidKindChanged, 9, 10}}) {
    SCOPED_TRACE(c.Type1);
    form_->ResetTemplateForm();
    form_->raF1()->Show();
    form_->raF2()->Show();
    form_->raF1()->SetChecked(true);
    TemplateKindChanged = c.Procedure;
    form_->Image(c.Type1)->Show();
    form_->Show();
    Application->ProcessMessages();

    ClickOn(form_->raF2());
    EXPECT_TRUE(form_->raF2()->Checked());
    EXPECT_FALSE(form_->raF1()->Checked());
    EXPECT_FALSE(form_->Image(c.Type1)->Visible());
    EXPECT_TRUE(form_->Image(c.Type2)->Visible());

    ClickOn(form_->raF1());
    EXPECT_TRUE(form_->raF1()->Checked());
    EXPECT_TRUE(form_->Image(c.Type1)->Visible());
    EXPECT_FALSE(form_->Image(c.Type2)->Visible());
    // No other picture takes part.
    for (int i = 1; i <= TemplatePictureCount; ++i) {
      if (i != c.Type1) {
        EXPECT_FALSE(form_->Image(i)->Visible()) << i;
      }
    }
    form_->Hide();
  }
}

TEST_F(TemplateForm, ARadioClickBeforeAnyTwoTypeTemplateChangesNothing) {
  form_->raF1()->Show();
  form_->raF2()->Show();
  form_->Show();
  Application->ProcessMessages();
  ClickOn(form_->raF2());
  EXPECT_TRUE(form_->raF2()->Checked());
  for (int i = 1; i <= TemplatePictureCount; ++i) EXPECT_FALSE(form_->Image(i)->Visible()) << i;
  form_->Hide();
}

TEST_F(TemplateForm, Screenshots) {
  // The hyperbola's rows as its template lays them out, on type 2.
  form_->ResetTemplateForm();
  form_->kvForm1()->SetCaption("Ve duong Hyperbol (2 loai)");
  const char* labels[] = {"X tâm         u =", "Y tâm         v =", "Bán trục x   a =", "Bán trục y   b ="};
  const char* texts[] = {"1", "-2", "3", "2.5"};
  for (int i = 1; i <= 4; ++i) {
    form_->lb(i)->SetCaption(Tcvn3Text(labels[i - 1]));
    form_->lb(i)->SetTop(60 + 100 + 32 * (i - 1));
    form_->ed(i)->SetTop(form_->lb(i)->Top());
    form_->lb(i)->Show();
    form_->ed(i)->Show();
    form_->ed(i)->SetText(texts[i - 1]);
  }
  form_->raF1()->SetCaption(Tcvn3Text("Hyperbol loại 1"));
  form_->raF2()->SetCaption(Tcvn3Text("Hyperbol loại 2"));
  form_->raF1()->Show();
  form_->raF2()->Show();
  form_->raF2()->SetChecked(true);
  form_->Image(12)->Show();
  form_->btnOK()->SetTop(form_->lb(4)->Top() + 40);
  form_->btnCancel()->SetTop(form_->btnOK()->Top());
  form_->kvForm1()->SetHeight(form_->btnOK()->Top() + 50);
  form_->Show();
  const testsupport::Picture shot = Shoot(*form_, "app_windows_template_hyperbola.png");
  ExpectPictureOnScreen(shot, *form_, *form_->Image(12));
  // Each row's label in the screen font where it stands.
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(labels[i - 1]);
    TFont font;
    font.Assign(form_->lb(i)->Font());
    const POINT at = testsupport::InCapture(form_->Handle(), form_->lb(i)->ClientToScreen(POINT{0, 0}));
    const RECT area{at.x, at.y, at.x + form_->lb(i)->Width() + 20, at.y + form_->lb(i)->Height() + 4};
    EXPECT_TRUE(ContainsText(Crop(shot, area), DrawnText(font, form_->lb(i)->Caption()), OnScreen(font.Color())));
  }
  form_->Hide();

  // Every picture once, on a sheet of its own.
  form_->ResetTemplateForm();
  for (int i = 1; i <= TemplatePictureCount; ++i) {
    form_->Image(i)->Show();
    form_->Show();
    ExpectPictureOnScreen(Shoot(*form_, "app_windows_template_picture" + std::to_string(i) + ".png"), *form_,
                          *form_->Image(i));
    form_->Image(i)->Hide();
    form_->Hide();
  }
}

TEST_F(TemplateForm, EachTemplateShowsItsRowsBelowItsPicture) {
  form_->ed(5)->SetText("kept");
  for (TTemplate t : {TTemplate::Circle, TTemplate::Ellipse, TTemplate::Hyperbola, TTemplate::QuadraticOverLinear,
                      TTemplate::Degree4, TTemplate::Sphere, TTemplate::Ellipsoid, TTemplate::Paraboloid,
                      TTemplate::Hyperboloid, TTemplate::Cone}) {
    const TTemplateInfo& info = TemplateInfo(t);
    SCOPED_TRACE(info.Caption);
    form_->raF2()->SetChecked(true);
    form_->PrepareTemplate(info);
    EXPECT_EQ(form_->kvForm1()->Caption(), info.Caption);
    const int rows = static_cast<int>(info.Labels.size());
    const int top = form_->Image(info.Picture)->Top() + info.LabelOffset;
    for (int i = 1; i <= TemplateRowCount; ++i) {
      EXPECT_EQ(form_->lb(i)->Visible(), i <= rows) << i;
      EXPECT_EQ(form_->ed(i)->Visible(), i <= rows) << i;
      if (i > rows) continue;
      EXPECT_EQ(form_->lb(i)->Caption(), Tcvn3Text(info.Labels[i - 1]));
      EXPECT_EQ(form_->lb(i)->Top(), top + 32 * (i - 1));
      EXPECT_EQ(form_->ed(i)->Top(), form_->lb(i)->Top());
    }
    for (int i = 1; i <= TemplatePictureCount; ++i) EXPECT_EQ(form_->Image(i)->Visible(), i == info.Picture) << i;
    EXPECT_EQ(form_->btnOK()->Top(), top + 32 * (rows - 1) + 40);
    EXPECT_EQ(form_->btnCancel()->Top(), form_->btnOK()->Top());
    EXPECT_EQ(form_->ClientHeight(), form_->btnOK()->Top() + 50);
    EXPECT_EQ(form_->raF1()->Visible(), info.Type2Picture != 0);
    EXPECT_TRUE(form_->raF1()->Checked());
    if (info.Type2Picture) {
      EXPECT_EQ(form_->raF2()->Caption(), Tcvn3Text(info.Type2Caption));
    }
    // A field shows what was last typed into it, whichever template asked.
    EXPECT_EQ(form_->ed(5)->Text(), "kept");
  }
  // Two templates as the user sees them.
  for (TTemplate t : {TTemplate::Circle, TTemplate::Paraboloid}) {
    form_->PrepareTemplate(TemplateInfo(t));
    form_->Show();
    Shoot(*form_, t == TTemplate::Circle ? "app_windows_template_circle.png" : "app_windows_template_paraboloid.png");
    form_->Hide();
  }
}

// ---------------------------------------------------------------------------
// Axis-ratio window

TEST(AxisRatioSlider, MapsPositionsAndRatiosByTwoPiecesMeetingAtOne) {
  struct TCase {
    int Position;
    double Ratio;
  };
  for (const TCase& c :
       {TCase{0, 0.2}, TCase{50, 0.6}, TCase{99, 0.992}, TCase{100, 1}, TCase{125, 2}, TCase{200, 5}}) {
    SCOPED_TRACE(c.Position);
    EXPECT_DOUBLE_EQ(SliderRatio(c.Position), c.Ratio);
    EXPECT_EQ(SliderPositionOfRatio(c.Ratio), c.Position);
  }
  // Between two positions the nearest is taken; a tie goes to the even one.
  EXPECT_EQ(SliderPositionOfRatio(0.5), 38);  // (0.5 - 0.2) * 125 = 37.5
  EXPECT_EQ(SliderPositionOfRatio(1 / 0.992), 100);
  EXPECT_EQ(SliderPositionOfRatio(1 / 3.0), 17);
}

class AxisRatioWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    form_.reset(TCustomForm::Create<TOrdConfig>(nullptr));
    view_.ScaleX = view_.ScaleY = 20;
    view_.AspectXY = 1;
    form_->BindView(view_, [this] { ++repaints_; });
  }
  void TearDown() override {
    form_.reset();
    WindowTest::TearDown();
  }
  std::string LabelX() const { return form_->lbPercentX()->Caption(); }
  std::string LabelY() const { return form_->lbPercentY()->Caption(); }
  std::unique_ptr<TOrdConfig> form_;
  TViewState view_;
  int repaints_ = 0;
};

TEST_F(AxisRatioWindow, HasTwoGroupsOfUnitLengthsAndSliders) {
  ExpectGrapherFrame(*form_, TkvUIStyle::Protein, "Tuy bien he truc toa do", 300, 230);
  EXPECT_EQ(TkvForm::FindOn(form_.get())->OriginalBorderStyle(), bsSingle);
  ExpectParts(*form_, {
                          {"kvGroupBox1", "TkvGroupBox", "kvForm1", 8, 32, 284, 92, "Véc tơ đơn vị trục x : i"},
                          {"edMagX", "TkvEdit", "kvGroupBox1", 40, 24, 60, 24, "20"},
                          {"Label1", "TLabel", "kvGroupBox1", 12, 28, -1, -1, "i ="},
                          {"Label2", "TLabel", "kvGroupBox1", 140, 28, -1, -1, "i:j"},
                          {"lbPercentX", "TLabel", "kvGroupBox1", 170, 28, -1, -1, "100%"},
                          {"tbxy", "TkvTrackBar", "kvGroupBox1", 12, 56, 260, -1, nullptr},
                          {"kvGroupBox2", "TkvGroupBox", "kvForm1", 8, 130, 284, 92, "Véc tơ đơn vị trục y : j"},
                          {"edMagY", "TkvEdit", "kvGroupBox2", 40, 24, 60, 24, "20"},
                          {"Label3", "TLabel", "kvGroupBox2", 12, 28, -1, -1, "j ="},
                          {"Label4", "TLabel", "kvGroupBox2", 140, 28, -1, -1, "j:i"},
                          {"lbPercentY", "TLabel", "kvGroupBox2", 170, 28, -1, -1, "100%"},
                          {"tbyx", "TkvTrackBar", "kvGroupBox2", 12, 56, 260, -1, nullptr},
                      });
  for (TkvTrackBar* bar : {form_->tbxy(), form_->tbyx()}) {
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 200);
    EXPECT_EQ(bar->Position(), 100);
  }
  EXPECT_TRUE(form_->edMagX()->ReadOnly());
  EXPECT_TRUE(form_->edMagY()->ReadOnly());
  EXPECT_FALSE(form_->Visible());
}

TEST_F(AxisRatioWindow, ShowingReadsTheViewAndStaysOnTop) {
  view_.ScaleX = 45.5, view_.ScaleY = 12.5, view_.AspectXY = 45.5 / 12.5;
  form_->Show();
  EXPECT_TRUE(GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(form_->edMagX()->Text(), "46");  // 45.5 to the even neighbour
  EXPECT_EQ(form_->edMagY()->Text(), "12");
  EXPECT_EQ(LabelX(), "364%");
  EXPECT_EQ(LabelY(), "27%");
  EXPECT_EQ(form_->tbxy()->Position(), 166);  // 1 + 66 / 25 = 3.64
  EXPECT_EQ(form_->tbyx()->Position(), 9);    // 0.2 + 9 / 125 = 0.272
  // Showing moves no scale and paints nothing.
  EXPECT_DOUBLE_EQ(view_.ScaleX, 45.5);
  EXPECT_DOUBLE_EQ(view_.ScaleY, 12.5);
  EXPECT_EQ(repaints_, 0);
  form_->Hide();
}

TEST_F(AxisRatioWindow, TheXSliderStretchesXAndMovesTheOther) {
  form_->Show();
  form_->tbxy()->SetPosition(200);
  EXPECT_DOUBLE_EQ(view_.AspectXY, 5);
  EXPECT_DOUBLE_EQ(view_.ScaleX, 100);
  EXPECT_DOUBLE_EQ(view_.ScaleY, 20);  // the y unit stays
  EXPECT_DOUBLE_EQ(form_->AspectYX(), 0.2);
  EXPECT_EQ(form_->edMagX()->Text(), "100");
  EXPECT_EQ(LabelX(), "500%");
  EXPECT_EQ(LabelY(), "20%");
  EXPECT_EQ(form_->tbyx()->Position(), 0);
  EXPECT_EQ(repaints_, 1);  // the other slider's handler left it alone

  form_->tbxy()->SetPosition(99);
  EXPECT_DOUBLE_EQ(view_.AspectXY, 0.992);
  EXPECT_EQ(LabelX(), "99%");
  EXPECT_EQ(LabelY(), "101%");
  EXPECT_EQ(form_->tbyx()->Position(), 100);
  form_->tbxy()->SetPosition(100);
  EXPECT_EQ(view_.AspectXY, 1);
  EXPECT_EQ(repaints_, 3);
  form_->Hide();
}

TEST_F(AxisRatioWindow, TheYSliderStretchesYAndMovesTheOther) {
  form_->Show();
  form_->tbyx()->SetPosition(150);
  EXPECT_DOUBLE_EQ(form_->AspectYX(), 3);
  EXPECT_DOUBLE_EQ(view_.ScaleY, 60);
  EXPECT_DOUBLE_EQ(view_.ScaleX, 20);  // the x unit stays
  EXPECT_DOUBLE_EQ(view_.AspectXY, 1 / 3.0);
  EXPECT_EQ(form_->edMagY()->Text(), "60");
  EXPECT_EQ(form_->edMagX()->Text(), "20");
  EXPECT_EQ(LabelX(), "33%");
  EXPECT_EQ(LabelY(), "300%");
  EXPECT_EQ(form_->tbxy()->Position(), 17);
  EXPECT_EQ(repaints_, 1);
  form_->Hide();
}

TEST_F(AxisRatioWindow, ShowingAgainAfterAZoomShowsTheNewScales) {
  form_->Show();
  form_->tbxy()->SetPosition(125);
  form_->Hide();
  view_.ScaleX *= 2, view_.ScaleY *= 2;  // a zoom keeps the ratio
  form_->Show();
  EXPECT_EQ(form_->edMagX()->Text(), "80");
  EXPECT_EQ(form_->edMagY()->Text(), "40");
  EXPECT_EQ(form_->tbxy()->Position(), 125);
  EXPECT_EQ(form_->tbyx()->Position(), 38);  // (0.5 - 0.2) * 125 = 37.5, to the even side
  form_->ShowScales("85", "42");
  EXPECT_EQ(form_->edMagX()->Text(), "85");
  EXPECT_EQ(form_->edMagY()->Text(), "42");
  form_->Hide();
}

TEST_F(AxisRatioWindow, Screenshot) {
  form_->Show();
  form_->tbxy()->SetPosition(150);
  const testsupport::Picture shot = Shoot(*form_, "app_windows_axis_ratio.png");
  EXPECT_EQ(shot.width, 302);
  // The group's caption in the screen font, in the style's caption colour.
  auto* group = As<TkvGroupBox>(form_->FindComponent("kvGroupBox1"));
  TFont font;
  font.Assign(group->Font());
  EXPECT_TRUE(ContainsText(Crop(shot, RECT{1 + 8, 32, 1 + 292, 52}), DrawnText(font, group->Caption()),
                           OnScreen(group->Font()->Color())));
  form_->Hide();
}

}  // namespace
