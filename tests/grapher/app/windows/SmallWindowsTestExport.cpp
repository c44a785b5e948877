// The export dialog from its form resource: its components, the size and
// name rules, and OK through the capture with a fake viewer: a good size
// writes the PNG picture, a refused or unreadable size is told to the user
// and keeps the dialog, what was typed and the old file.
#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SmallWindowsTestSupport.h"
#include "app/model/MainU_View.h"
#include "app/plot/MainU_Capture.h"
#include "app/windows/CapU.h"
#include "skin/controls/KVEdit.h"

using namespace kx;
using namespace smallwindows;

namespace {

TEST(PictureSize, ReadsWholeDecimalNumbersOnly) {
  struct TCase {
    const char* Text;
    bool Reads;
    int Value;
  };
  for (const TCase& c :
       {TCase{"800", true, 800}, TCase{" 640 ", true, 640}, TCase{"+12", true, 12}, TCase{"-5", true, -5},
        TCase{"0", true, 0}, TCase{"2147483647", true, 2147483647}, TCase{"-2147483648", true, -2147483647 - 1},
        TCase{"2147483648", false, 0}, TCase{"99999999999999999999", false, 0}, TCase{"", false, 0},
        TCase{"  ", false, 0}, TCase{"-", false, 0}, TCase{"abc", false, 0}, TCase{"12a", false, 0},
        TCase{"1.5", false, 0}, TCase{"1,5", false, 0}, TCase{"1e3", false, 0}, TCase{"$10", false, 0}}) {
    SCOPED_TRACE(c.Text);
    int value = 7;
    EXPECT_EQ(TryParsePictureSize(c.Text, value), c.Reads);
    EXPECT_EQ(value, c.Reads ? c.Value : 7);
  }
}

TEST(PictureName, GetsThePngEndingUnlessItHoldsOne) {
  EXPECT_EQ(PictureFileName("pic1"), "pic1.png");
  EXPECT_EQ(PictureFileName("a.png.bak"), "a.png.bak");
  EXPECT_EQ(PictureFileName("a.PNG"), "a.PNG.png");
  EXPECT_EQ(PictureFileName("D:\\pictures\\b.png"), "D:\\pictures\\b.png");
}

// Renders a picture of two halves, as the viewer would render the view.
class FakeSource : public TCaptureSource {
 public:
  int MaxPictureSide() override { return 4096; }
  void RenderToBitmap(TBitmap& bitmap, int) override {
    ++renders;
    for (int y = 0; y < bitmap.Height(); ++y) {
      auto* row = static_cast<uint8_t*>(bitmap.ScanLine(y));
      for (int x = 0; x < bitmap.Width(); ++x, row += 3) {
        const bool left = x < bitmap.Width() / 2;
        row[0] = left ? 0 : 255, row[1] = 0, row[2] = left ? 255 : 0;
      }
    }
  }
  void RepaintView() override {}
  int renders = 0;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct TWarning {
  std::string Text, Caption;
  bool operator==(const TWarning&) const = default;
};

class ExportDialog : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    form_.reset(TCustomForm::Create<TCapForm>(nullptr));
    form_->ShowWarning = [this](const std::string& text, const std::string& caption) {
      warnings_.push_back({text, caption});
    };
    view_.SizeView(619, 601);
    DeleteFileA("export_test.png");
    DeleteFileA("export_name.png");
  }
  void TearDown() override {
    form_.reset();
    DeleteFileA("export_test.png");
    DeleteFileA("export_name.png");
    WindowTest::TearDown();
  }
  // Runs the dialog and plays `script` once from its own message loop, when
  // the window shows; returns the modal result.
  TModalResult ExecuteWith(const std::string& name, const std::function<void()>& script) {
    const TMessageEvent saved = Application->OnMessage;
    bool played = false;
    Application->OnMessage = TMessageEvent([&](MSG& msg, bool& handled) {
      saved(msg, handled);
      if (!played && form_->Modal() && IsWindowVisible(form_->Handle())) {
        played = true;
        script();
      }
    });
    form_->Execute(name, view_, source_);
    Application->OnMessage = saved;
    EXPECT_TRUE(played);
    return form_->ModalResult();
  }
  void Type(TkvEdit* edit, const std::string& text) { edit->SetText(text); }

  std::unique_ptr<TCapForm> form_;
  TViewState view_;
  FakeSource source_;
  std::vector<TWarning> warnings_;
};

TEST_F(ExportDialog, HasTheNameAndSizeFieldsAndButtonsOfItsResource) {
  ExpectGrapherFrame(*form_, TkvUIStyle::DeepBlue, "Luu file bitmap Plotvane", 360, 220);
  EXPECT_EQ(ButtonTypes(*TkvForm::FindOn(form_.get())), (std::vector<TkvTitleBarBtnType>{kvControlBox, kvClose}));
  EXPECT_EQ(TkvForm::FindOn(form_.get())->OriginalBorderStyle(), bsDialog);
  ExpectParts(*form_, {
                          {"Label1", "TLabel", "kvForm1", 16, 44, -1, -1, "Tên file ảnh (.png)"},
                          {"edBm_name", "TkvEdit", "kvForm1", 16, 62, 290, 24, "pic1"},
                          {"btnBrowse", "TkvButton", "kvForm1", 312, 62, 32, 24, "..."},
                          {"kvGroupBox1", "TkvGroupBox", "kvForm1", 16, 98, 328, 62, "Độ phân giải file ảnh (pixel)"},
                          {"Label2", "TLabel", "kvGroupBox1", 16, 29, -1, -1, "Ngang"},
                          {"edBm_w", "TkvEdit", "kvGroupBox1", 64, 25, 80, 24, "800"},
                          {"Label3", "TLabel", "kvGroupBox1", 180, 29, -1, -1, "Dọc"},
                          {"edBm_h", "TkvEdit", "kvGroupBox1", 216, 25, 80, 24, "600"},
                          {"btnOK", "TkvButton", "kvForm1", 64, 172, 100, 32, "Đồng ý"},
                          {"btnCancel", "TkvButton", "kvForm1", 196, 172, 100, 32, "Bỏ qua"},
                      });
  // OK decides itself whether the dialog closes; Cancel closes it through its handler.
  EXPECT_EQ(form_->btnOK()->ModalResult(), mrNone);
  EXPECT_EQ(form_->btnCancel()->ModalResult(), mrNone);
  EXPECT_TRUE(form_->btnOK()->Default());
  EXPECT_TRUE(form_->btnCancel()->Cancel());
  EXPECT_EQ(form_->edBm_name()->TabOrder(), 0);
  EXPECT_EQ(form_->btnBrowse()->TabOrder(), 1);
  EXPECT_EQ(form_->edBm_w()->TabOrder(), 0);
  EXPECT_EQ(form_->edBm_h()->TabOrder(), 1);
  EXPECT_EQ(form_->btnOK()->TabOrder(), 3);
  EXPECT_EQ(form_->btnCancel()->TabOrder(), 4);
}

TEST_F(ExportDialog, OkWithAGoodSizeSavesThePictureAndCloses) {
  const TModalResult result = ExecuteWith("export_test", [&] {
    EXPECT_EQ(form_->edBm_name()->Text(), "export_test");
    Type(form_->edBm_w(), " 64 ");
    Type(form_->edBm_h(), "48");
    form_->btnOK()->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(warnings_.empty());
  EXPECT_EQ(source_.renders, 1);
  testsupport::Picture picture;
  ASSERT_TRUE(testsupport::LoadPng("export_test.png", picture));
  EXPECT_EQ(picture.width, 64);
  EXPECT_EQ(picture.height, 48);
  EXPECT_EQ(picture.At(10, 10), 0xFF0000u);
  EXPECT_EQ(picture.At(50, 40), 0x0000FFu);
  // The screen's view state is back, and the size stays for the next export.
  EXPECT_EQ(view_.ViewW, 611);
  EXPECT_EQ(view_.ViewH, 400);
  EXPECT_EQ(form_->edBm_w()->Text(), " 64 ");
  EXPECT_EQ(form_->edBm_h()->Text(), "48");
  EXPECT_FALSE(form_->Visible());
}

TEST_F(ExportDialog, AFullNameIsUsedAsItStands) {
  ExecuteWith("unused", [&] {
    Type(form_->edBm_name(), "export_name.png");
    Type(form_->edBm_w(), "20");
    Type(form_->edBm_h(), "10");
    form_->btnOK()->Click();
  });
  testsupport::Picture picture;
  ASSERT_TRUE(testsupport::LoadPng("export_name.png", picture));
  EXPECT_EQ(picture.width, 20);
  EXPECT_EQ(GetFileAttributesA("export_name.png.png"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ExportDialog, ABadSizeOrNameIsToldAndKeepsTheDialogTheTextsAndTheOldFile) {
  std::ofstream("export_test.png", std::ios::binary) << "the old picture";
  struct TCase {
    const char* Name;
    const char* Width;
    const char* Height;
  };
  const std::vector<TCase> cases = {
      {"export_test", "0", "600"},     {"export_test", "800", "0"},   {"export_test", "99999", "600"},
      {"export_test", "800", "99999"}, {"export_test", "abc", "600"}, {"export_test", "800", ""},
      {"export_test", "-20", "600"},   {"export_test", "8.5", "600"}, {"", "800", "600"},
  };
  testsupport::Picture shot;
  const TModalResult result = ExecuteWith("export_test", [&] {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + " " + c.Width + " x " + c.Height);
      Type(form_->edBm_name(), c.Name);
      Type(form_->edBm_w(), c.Width);
      Type(form_->edBm_h(), c.Height);
      warnings_.clear();
      form_->btnOK()->Click();
      EXPECT_EQ(warnings_, (std::vector<TWarning>{{"Nhap sai kich thuoc", "Error"}}));
      EXPECT_EQ(form_->ModalResult(), mrNone);
      EXPECT_TRUE(form_->Visible());
      EXPECT_EQ(form_->edBm_name()->Text(), c.Name);
      EXPECT_EQ(form_->edBm_w()->Text(), c.Width);
      EXPECT_EQ(form_->edBm_h()->Text(), c.Height);
      EXPECT_EQ(ReadAll("export_test.png"), "the old picture");
    }
    Type(form_->edBm_name(), "export_test");
    Type(form_->edBm_w(), "99999");
    Type(form_->edBm_h(), "600");
    shot = Shoot(*form_, "app_windows_export.png");
    form_->btnCancel()->Click();
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(source_.renders, 0);
  EXPECT_EQ(ReadAll("export_test.png"), "the old picture");
  EXPECT_EQ(shot.width, 362);
  EXPECT_EQ(view_.ViewW, 611);
}

TEST_F(ExportDialog, AFileThatCannotBeWrittenFailsLoudlyAndKeepsTheDialog) {
  const TModalResult result = ExecuteWith("no_such_folder\\picture", [&] {
    Type(form_->edBm_w(), "32");
    Type(form_->edBm_h(), "24");
    // The failure goes on to the program's exception handling, not as a size.
    EXPECT_ANY_THROW(form_->btnOK()->Click());
    EXPECT_TRUE(warnings_.empty());
    EXPECT_EQ(form_->ModalResult(), mrNone);
    EXPECT_TRUE(form_->Visible());
    EXPECT_EQ(view_.ViewW, 611);
    EXPECT_EQ(view_.ViewH, 400);
    form_->btnCancel()->Click();
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(source_.renders, 1);
  EXPECT_EQ(GetFileAttributesA("no_such_folder\\picture.png"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ExportDialog, BrowsingPutsTheChosenFileIntoTheName) {
  std::string offered;
  bool confirm = false;
  form_->ChooseFile = [&](std::string& fileName) {
    offered = fileName;
    if (confirm) fileName = "C:\\pictures\\graph.png";
    return confirm;
  };
  form_->edBm_name()->SetText("Pic3");
  form_->btnBrowse()->Click();
  EXPECT_EQ(offered, "Pic3");
  EXPECT_EQ(form_->edBm_name()->Text(), "Pic3");
  confirm = true;
  form_->btnBrowse()->Click();
  EXPECT_EQ(form_->edBm_name()->Text(), "C:\\pictures\\graph.png");
}

}  // namespace
