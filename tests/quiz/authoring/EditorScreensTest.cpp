// The bank editor and its question screens driven as a teacher would: a bank
// made, filled, previewed, saved, reopened, edited and saved again through
// the real windows, with their dialogs answered; screenshots of all three
// screens in both layouts.
#include <gtest/gtest.h>

#include <vector>

#include "GifWriter.h"
#include "ScreenTesting.h"
#include "TempFolder.h"
#include "authoring/frmAdd_Screen.h"
#include "authoring/frmEditTN_Screen.h"
#include "authoring/frmEdit_Screen.h"
#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "delivery/frmLamTN.h"
#include "runtime/App.h"

namespace {

// Answers the dialogs that a command opens, one after the other: a file
// dialog gets a name typed into it, a message box a button. What each box
// said is kept.
class DialogScript {
 public:
  struct Step {
    int id;
    std::wstring fileName;  // typed into a file dialog before the button
  };
  DialogScript(std::initializer_list<Step> steps) : steps_(steps) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, OnTimer);
  }
  ~DialogScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  size_t Answered() const { return texts.size(); }
  std::vector<std::wstring> texts;

 private:
  static BOOL CALLBACK Match(HWND wnd, LPARAM param) {
    wchar_t cls[16];
    if (IsWindowVisible(wnd) && IsWindowEnabled(wnd) && GetClassNameW(wnd, cls, 16) &&
        std::wstring(cls) == L"#32770" && wnd != current_->last_) {
      *reinterpret_cast<HWND*>(param) = wnd;
      return FALSE;
    }
    return TRUE;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = current_;
    if (!self || self->texts.size() >= self->steps_.size()) return;
    if (self->last_ && IsWindow(self->last_) && IsWindowVisible(self->last_)) return;  // still closing
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    const Step& step = self->steps_[self->texts.size()];
    self->texts.push_back(screentest::MessageText(box));
    if (!step.fileName.empty()) {
      // The name box of the file dialog: a combo box, or an edit in older dialogs.
      if (!SetDlgItemTextW(box, 0x47C, step.fileName.c_str())) SetDlgItemTextW(box, 0x480, step.fileName.c_str());
    }
    self->last_ = box;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(step.id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, step.id)));
  }

  static inline DialogScript* current_ = nullptr;
  std::vector<Step> steps_;
  UINT_PTR timer_ = 0;
  HWND last_ = nullptr;
};

void Click(tq::Control& button) {
  SendMessageW(button.Hwnd(), BM_CLICK, 0, 0);
  tq::App::Get().DoEvents();
}

// Types into a box character by character, as the keyboard does ("\r" is Enter).
void Type(tq::TextBox& box, const std::wstring& text) {
  box.SetFocus();
  for (wchar_t c : text) SendMessageW(box.Hwnd(), WM_CHAR, c, 1);
}

void Menu(tq::Form& form, const wchar_t* name) {
  form.ClickMenu(name);
  tq::App::Get().DoEvents();
}

class EditorScreens : public testing::Test {
 protected:
  void SetUp() override {
    mdlMain::SetProgramFolder(program.Path().substr(0, program.Path().size() - 1));
    mdlMain::InitTempPage();
    mdlMain::ProgramOptions = {};
    mdlMain::ProgramOptions.backColor = mdlMain::DefaultBackColor;
    mdlMain::ProgramOptions.layout = mdlMain::Layout::Large1024x768;
    // A small picture: red and blue stripes.
    std::vector<uint8_t> stripes(40 * 30);
    for (size_t k = 0; k < stripes.size(); ++k) stripes[k] = (k % 40) < 20 ? 1 : 2;
    ASSERT_TRUE(tq::WriteFileAtomic(picture, giftest::GifBytes(40, 30, {0xFFFFFF, 0xD02020, 0x2040D0, 0}, stripes)));
  }
  void TearDown() override {
    for (tq::Form* form : std::initializer_list<tq::Form*>{&frmAdd::Get(), &frmEdit::Get()}) {
      if (form->Loaded()) {
        DialogScript no({{mUniMsgBox::AnswerNo, {}}});
        form->Unload();
      }
    }
    frmEditTN::Get().Logic().SetMainMenuFlag();
    frmEditTN::Tat();
    frmMain::Get().Tat();
    tq::App::Get().DoEvents();
    mdlMain::SetProgramFolder({});
  }

  // Opens the editor from the main menu.
  frmEditTN::Screen& OpenEditor() {
    frmMain::Show();
    Click(frmMain::Get().cmdSuaTN);
    frmEditTN::Screen& editor = frmEditTN::Get();
    EXPECT_TRUE(editor.Visible());
    EXPECT_FALSE(frmMain::Get().Loaded());
    return editor;
  }

  TempFolder program;
  TempFolder work;
  const std::wstring bankPath = work / L"Lớp 10 - đề 1.xml";
  const std::wstring picture = work / L"hình.gif";
};

// Adds a question through the add-question screen.
void AddQuestion(frmEditTN::Screen& editor, const std::vector<std::wstring>& texts, int key) {
  Menu(editor, L"mnuAdd");
  frmAdd::Screen& add = frmAdd::Get();
  ASSERT_TRUE(add.Visible());
  EXPECT_FALSE(editor.Visible()) << "the editor hides behind the question screen";
  for (size_t k = 0; k < texts.size(); ++k) Type(add.txtCauHoi[k], texts[k]);
  Click(add.optDapAn[static_cast<size_t>(key)]);
  Click(add.cmdUpdate);
  EXPECT_FALSE(add.Loaded());
  EXPECT_TRUE(editor.Visible());
}

TEST_F(EditorScreens, MakeFillSaveReopenEditDeleteAndSaveAgain) {
  frmEditTN::Screen& editor = OpenEditor();
  // The menus as the teacher reads them, with their shortcuts.
  const struct {
    const wchar_t* name;
    const wchar_t* caption;
  } captions[] = {
      {L"mnuFile", L"&Tập tin"},          {L"mnuNew", L"&Tạo mới"},        {L"mnuOpen", L"&Mở đề"},
      {L"mnuSave", L"&Lưu"},              {L"mnuSaveas", L"Lưu đè"},       {L"mnuClose", L"&Đóng tập tin"},
      {L"mnuMainMenu", L"Menu chính"},    {L"mnuQuit", L"&Thoát"},         {L"mnuEditQ", L"&Chỉnh sửa đề"},
      {L"mnuAdd", L"Thêm câu hỏi"},       {L"mnuEdit", L"Sửa câu hỏi"},    {L"mnuEditQues0", L"Câu hỏi"},
      {L"mnuEditQues4", L"Câu D"},        {L"mnuDelete", L"&Xóa câu hỏi"},
  };
  for (const auto& c : captions) EXPECT_EQ(editor.MenuCaption(c.name), c.caption) << c.name;
  wchar_t shown[64] = {};
  GetMenuStringW(GetSubMenu(GetMenu(editor.Hwnd()), 0), 4, shown, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(shown), L"Lưu đè\tF12");
  EXPECT_FALSE(editor.MenuEnabled(L"mnuEditQ"));
  EXPECT_FALSE(editor.MenuEnabled(L"mnuSave"));
  EXPECT_FALSE(editor.txtCauSo.Visible());

  {
    DialogScript script({{IDOK, bankPath}, {mUniMsgBox::AnswerYes, {}}, {IDOK, {}}});
    Menu(editor, L"mnuNew");
    ASSERT_EQ(script.Answered(), 3u);
    EXPECT_EQ(script.texts[1], L"File đã tạo xong !\r\nBạn có muốn mở file vừa tạo ?");
    EXPECT_EQ(script.texts[2], EditorBank::NoQuestionsMessage);
  }
  EXPECT_TRUE(editor.MenuEnabled(L"mnuEditQ"));
  EXPECT_FALSE(editor.MenuEnabled(L"mnuDelete"));

  // Question 1: typed with a line break and brackets, a word made bold.
  Menu(editor, L"mnuAdd");
  frmAdd::Screen& add = frmAdd::Get();
  ASSERT_TRUE(add.Visible());
  EXPECT_EQ(add.MenuCaption(L"mnuFormat"), L"&Định dạng");
  EXPECT_EQ(add.MenuCaption(L"mnuImage"), L"Hình ảnh");
  EXPECT_EQ(add.MenuCaption(L"mnuKurvex"), L"&Vẽ đồ thị");
  EXPECT_EQ(add.MenuCaption(L"mnuAuto"), L"Tự động xem thử : OFF");
  Type(add.txtCauHoi[0], L"Tính đạo hàm\rcủa x<2>");
  add.txtCauHoi[0].Select(5, 7);  // "đạo hàm"
  Menu(add, L"mnuFor0");
  EXPECT_EQ(add.txtCauHoi[0].Text(), L"Tính [b]đạo hàm[/b]\r\ncủa x<2>");
  EXPECT_EQ(add.txtCauHoi[0].SelStart(), 5);
  EXPECT_EQ(add.txtCauHoi[0].SelLength(), 0);
  // Tab types a tab into the question box.
  add.txtCauHoi[0].SetFocus();
  add.txtCauHoi[0].Select(0, 0);
  screentest::PressKey(add.txtCauHoi[0].Hwnd(), VK_TAB, false);
  EXPECT_EQ(add.txtCauHoi[0].Text(), L"\tTính [b]đạo hàm[/b]\r\ncủa x<2>");
  EXPECT_EQ(GetFocus(), add.txtCauHoi[0].Hwnd());
  // Answer A gets a picture; Ctrl+H opens the picture dialog instead of deleting a letter.
  Type(add.txtCauHoi[1], L"2x");
  {
    DialogScript script({{IDOK, picture}});
    screentest::PressKey(add.txtCauHoi[1].Hwnd(), 'H', true);
    EXPECT_EQ(script.Answered(), 1u);
  }
  EXPECT_EQ(add.txtCauHoi[1].Text(), L"2x[image]" + picture + L"[/image]");
  Type(add.txtCauHoi[2], L"x");
  Type(add.txtCauHoi[3], L"2");
  // Update with answer D still empty: the first message, nothing stored.
  {
    DialogScript script({{IDOK, {}}});
    Click(add.cmdUpdate);
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0], L"Bạn phải nhập đầy đủ dữ liệu cho câu hỏi !");
  }
  Type(add.txtCauHoi[4], L"0");
  {
    DialogScript script({{IDOK, {}}});
    Click(add.cmdUpdate);
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0], L"Bạn chưa chọn đáp án !");
  }
  EXPECT_TRUE(add.Visible());
  // Automatic preview: the key shows at once.
  Menu(add, L"mnuAuto");
  EXPECT_EQ(add.MenuCaption(L"mnuAuto"), L"Auto preview : ON");
  Click(add.optDapAn[0]);
  screentest::SaveScreenshot(add.Hwnd(), "quiz_add_question_1024");
  Menu(add, L"mnuAuto");
  EXPECT_EQ(add.MenuCaption(L"mnuAuto"), L"Auto preview : OFF");
  Click(add.cmdUpdate);
  EXPECT_FALSE(add.Loaded());
  ASSERT_TRUE(editor.Visible());
  EXPECT_EQ(editor.txtCauSo.Text(), L"1");
  EXPECT_EQ(editor.lblSoCau.Caption(), L"of 1");
  EXPECT_FALSE(editor.cmdTruoc.Visible());
  EXPECT_FALSE(editor.cmdSau.Visible());
  EXPECT_FALSE(editor.cmdDapAn[0].Enabled());
  EXPECT_TRUE(editor.MenuEnabled(L"mnuSave"));

  // Questions 2 and 3; the third with a pasted control character.
  AddQuestion(editor, {L"Câu hai", L"a", L"b", L"c", L"d"}, 1);
  Menu(editor, L"mnuAdd");
  Type(add.txtCauHoi[0], L"Câu ba");
  SendMessageW(add.txtCauHoi[0].Hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\x01!"));
  for (size_t k = 1; k < 5; ++k) Type(add.txtCauHoi[k], std::wstring(1, static_cast<wchar_t>(L'p' + k)));
  Click(add.optDapAn[3]);
  Click(add.cmdUpdate);
  EXPECT_EQ(editor.lblSoCau.Caption(), L"of 3");
  EXPECT_TRUE(editor.cmdTruoc.Visible());
  EXPECT_FALSE(editor.cmdSau.Visible());

  // The first question previewed in the editor, with its picture.
  SetWindowTextW(editor.txtCauSo.Hwnd(), L"1");
  tq::App::Get().DoEvents();
  EXPECT_EQ(editor.Logic().Bank().Current(), 1);
  EXPECT_FALSE(editor.cmdTruoc.Visible());
  screentest::SaveScreenshot(editor.Hwnd(), "quiz_bank_editor_1024");

  {
    DialogScript script({{IDOK, {}}});
    Menu(editor, L"mnuSave");
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0], L"Đã cập nhật xong !");
  }
  // The file as every reader takes it, and the test screen's page of it.
  {
    BankFileReader reader;
    ASSERT_TRUE(reader.Load(bankPath));
    ASSERT_EQ(reader.QuestionCount(), 3);
    ASSERT_TRUE(reader.HasRecord(3));
    const QuestionRecord first = reader.Record(1);
    EXPECT_EQ(first.CauHoi, L"\tTính [b]đạo hàm[/b][E]của x&lt;2&gt;");
    EXPECT_EQ(first.CauA, L"2x[image]" + picture + L"[/image]");
    EXPECT_EQ(first.DapAn, L'A');
    EXPECT_EQ(reader.Record(2).DapAn, L'B');
    EXPECT_EQ(reader.Record(3).CauHoi, L"Câu ba!") << "the control character is dropped";
    const std::wstring page = frmLamTN::PageText(first, work.Path());
    EXPECT_NE(page.find(L"<b>đạo hàm</b>"), std::wstring::npos) << page;
    EXPECT_NE(page.find(L"x&lt;2&gt;"), std::wstring::npos) << page;
    EXPECT_NE(page.find(L"<img"), std::wstring::npos) << page;
  }

  // Closed and opened again.
  Menu(editor, L"mnuClose");
  EXPECT_FALSE(editor.MenuEnabled(L"mnuEditQ"));
  {
    DialogScript script({{IDOK, bankPath}});
    Menu(editor, L"mnuOpen");
    EXPECT_EQ(script.Answered(), 1u);
  }
  ASSERT_EQ(editor.Logic().Bank().Count(), 3);
  EXPECT_EQ(editor.txtCauSo.Text(), L"1");
  EXPECT_TRUE(editor.MenuEnabled(L"mnuEdit"));

  // Question 2, answer A rewritten.
  editor.txtCauSo.SetText(L"2");
  Menu(editor, L"mnuEditQues1");
  frmEdit::Screen& edit = frmEdit::Get();
  ASSERT_TRUE(edit.Visible());
  EXPECT_FALSE(editor.Visible());
  EXPECT_EQ(edit.txtEdit.Text(), L"a");
  EXPECT_EQ(edit.MenuCaption(L"mnuCal"), L"&Máy tính");
  edit.txtEdit.SetFocus();
  edit.txtEdit.Select(1, 0);
  Type(edit.txtEdit, L" = \r<3");
  edit.txtEdit.Select(0, 1);
  Menu(edit, L"mnuFor1");
  screentest::SaveScreenshot(edit.Hwnd(), "quiz_edit_question_1024");
  Click(edit.cmdUpdate);
  EXPECT_FALSE(edit.Loaded());
  ASSERT_TRUE(editor.Visible());
  EXPECT_EQ(editor.Logic().Bank().Record(2).CauA, L"[i]a[/i] = [E]&lt;3");
  EXPECT_EQ(editor.txtCauSo.Text(), L"2");

  // Question 1 deleted: the last question shows.
  editor.txtCauSo.SetText(L"1");
  {
    DialogScript script({{mUniMsgBox::AnswerYes, {}}});
    Menu(editor, L"mnuDelete");
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0], L"Bạn muốn xóa câu hỏi này ?");
  }
  EXPECT_EQ(editor.lblSoCau.Caption(), L"of 2");
  EXPECT_EQ(editor.txtCauSo.Text(), L"2");
  {
    DialogScript script({{IDOK, {}}});
    screentest::PressKey(editor.txtCauSo.Hwnd(), 'S', true);  // Ctrl+S
    EXPECT_EQ(script.Answered(), 1u);
  }
  BankFileReader reader;
  ASSERT_TRUE(reader.Load(bankPath));
  ASSERT_EQ(reader.QuestionCount(), 2);
  EXPECT_EQ(reader.Record(1).CauHoi, L"Câu hai");
  EXPECT_EQ(reader.Record(1).CauA, L"[i]a[/i] = [E]&lt;3");
  EXPECT_EQ(reader.Record(2).CauHoi, L"Câu ba!");

  // Main menu: nothing to save, so no question; the main menu shows.
  Menu(editor, L"mnuMainMenu");
  EXPECT_FALSE(editor.Loaded());
  EXPECT_TRUE(frmMain::Get().Visible());
}

TEST_F(EditorScreens, QuestionScreenAsksOnEveryWayOutAndACancelResetsTheWay) {
  frmEditTN::Screen& editor = OpenEditor();
  {
    DialogScript script({{IDOK, bankPath}, {mUniMsgBox::AnswerYes, {}}, {IDOK, {}}});
    Menu(editor, L"mnuNew");
  }
  Menu(editor, L"mnuAdd");
  frmAdd::Screen& add = frmAdd::Get();
  Type(add.txtCauHoi[0], L"kept");
  {
    DialogScript script({{mUniMsgBox::AnswerCancel, {}}});
    Click(add.cmdMainMenu);
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0], L"Bạn có muốn lưu file đang chỉnh sửa này không ?");
  }
  ASSERT_TRUE(add.Visible());
  EXPECT_EQ(add.txtCauHoi[0].Text(), L"kept");
  EXPECT_EQ(add.Mode(), frmAdd::ExitMode::Quit) << "the next way out asks afresh";
  // Back returns to the editor without a question and without adding.
  Click(add.cmdBack);
  EXPECT_FALSE(add.Loaded());
  EXPECT_TRUE(editor.Visible());
  EXPECT_EQ(editor.Logic().Bank().Count(), 0);
  // The calculator's shortcut reaches the tools menu: without its program, the teacher is told.
  Menu(editor, L"mnuAdd");
  {
    DialogScript script({{IDOK, {}}});
    screentest::PressKey(add.txtCauHoi[0].Hwnd(), 'K', true);
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0].rfind(L"Không tìm thấy chương trình :\r\n", 0), 0u) << script.texts[0];
  }
  Click(add.cmdBack);
  AddQuestion(editor, {L"q", L"a", L"b", L"c", L"d"}, 2);
  // Main menu, Yes, while the file cannot be written: the reason is told,
  // nothing closes and the bank keeps its question.
  Menu(editor, L"mnuAdd");
  {
    HANDLE held = CreateFileW(bankPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DialogScript script({{mUniMsgBox::AnswerYes, {}}, {IDOK, {}}});
    Click(add.cmdMainMenu);
    CloseHandle(held);
    ASSERT_EQ(script.Answered(), 2u);
    EXPECT_EQ(script.texts[1].rfind(L"Không lưu được file :\r\n" + bankPath + L"\r\n", 0), 0u) << script.texts[1];
  }
  ASSERT_TRUE(add.Visible());
  EXPECT_TRUE(editor.Loaded());
  EXPECT_EQ(editor.Logic().Bank().Count(), 1);
  EXPECT_TRUE(editor.Logic().Bank().Modified());
  EXPECT_EQ(add.Mode(), frmAdd::ExitMode::Quit);
  // Main menu, Yes: the bank is saved and the main menu shows.
  {
    DialogScript script({{mUniMsgBox::AnswerYes, {}}});
    Click(add.cmdMainMenu);
    EXPECT_EQ(script.Answered(), 1u);
  }
  EXPECT_FALSE(add.Loaded());
  EXPECT_FALSE(editor.Loaded());
  EXPECT_TRUE(frmMain::Get().Visible());
  BankFileReader reader;
  ASSERT_TRUE(reader.Load(bankPath));
  EXPECT_EQ(reader.QuestionCount(), 1);

  // The edit screen's close box, then No: nothing is saved, the edited text
  // is not stored, and the program ends with its last screen.
  frmMain::Get().Tat();
  frmEditTN::Screen& again = OpenEditor();
  {
    DialogScript script({{IDOK, bankPath}});
    Menu(again, L"mnuOpen");
  }
  Menu(again, L"mnuEditQues0");
  frmEdit::Screen& edit = frmEdit::Get();
  ASSERT_TRUE(edit.Visible());
  edit.txtEdit.SetText(L"changed");
  {
    DialogScript script({{mUniMsgBox::AnswerNo, {}}});
    SendMessageW(edit.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(script.Answered(), 1u);
    EXPECT_EQ(script.texts[0], L"Bạn có muốn lưu file đang chỉnh sửa này không ?");
  }
  EXPECT_FALSE(edit.Loaded());
  EXPECT_FALSE(again.Loaded());
  EXPECT_EQ(tq::App::Get().LoadedForms(), 0);
  ASSERT_TRUE(reader.Load(bankPath));
  EXPECT_EQ(reader.Record(1).CauHoi, L"q");
  tq::App::Get().DoEvents();
}

TEST_F(EditorScreens, TheThreeScreensIn800x600) {
  mdlMain::ProgramOptions.layout = mdlMain::Layout::Small800x600;
  std::vector<QuestionRecord> records{
      {L"Nước sôi ở bao nhiêu độ [b]C[/b]?[E]Chọn một đáp án.", L"90", L"[image]" + picture + L"[/image]",
       L"H[d]2[/d]O", L"10[t]2[/t]", L'B'},
      {L"Câu hai", L"a", L"b", L"c", L"d", L'A'}};
  ASSERT_TRUE(WriteBankFile(bankPath, records));
  frmEditTN::Screen& editor = OpenEditor();
  {
    DialogScript script({{IDOK, bankPath}});
    Menu(editor, L"mnuOpen");
  }
  ASSERT_EQ(editor.Logic().Bank().Count(), 2);
  RECT view;
  GetWindowRect(editor.DHTML.Hwnd(), &view);
  EXPECT_EQ(view.right - view.left, tq::PixelsFromTwipsX(11655));
  EXPECT_FALSE(editor.cmdDapAn[1].Enabled());
  screentest::SaveScreenshot(editor.Hwnd(), "quiz_bank_editor_800");

  Menu(editor, L"mnuAdd");
  frmAdd::Screen& add = frmAdd::Get();
  Type(add.txtCauHoi[0], L"Câu hỏi mới\rdòng hai");
  Type(add.txtCauHoi[1], L"một");
  Click(add.optDapAn[2]);
  Menu(add, L"mnuAuto");
  screentest::SaveScreenshot(add.Hwnd(), "quiz_add_question_800");
  Click(add.cmdBack);
  // Opened again: empty boxes, no key, automatic preview off as stored.
  Menu(editor, L"mnuAdd");
  EXPECT_EQ(add.txtCauHoi[0].Text(), L"");
  EXPECT_FALSE(add.optDapAn[2].Value());
  EXPECT_FALSE(add.AutoPreview());
  EXPECT_EQ(add.MenuCaption(L"mnuAuto"), L"Tự động xem thử : OFF");
  Click(add.cmdBack);

  Menu(editor, L"mnuEditQues0");
  frmEdit::Screen& edit = frmEdit::Get();
  ASSERT_TRUE(edit.Visible());
  EXPECT_EQ(edit.txtEdit.Text(), L"Nước sôi ở bao nhiêu độ [b]C[/b]?\r\nChọn một đáp án.");
  screentest::SaveScreenshot(edit.Hwnd(), "quiz_edit_question_800");
  // A blank text returns silently and keeps the old one.
  edit.txtEdit.SetText(L"   ");
  Click(edit.cmdUpdate);
  EXPECT_EQ(editor.Logic().Bank().Record(1).CauHoi, records[0].CauHoi);
  EXPECT_FALSE(editor.Logic().Bank().Modified());
}

}  // namespace
