// The bank editor's work without its window: the number box, the menu
// states across the commands, saving that fails, and the question screens'
// text conversions and commands.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "TempFolder.h"
#include "authoring/frmAdd.h"
#include "authoring/frmEdit.h"
#include "authoring/frmEditTN.h"
#include "authoring/mUniMsgBox.h"

namespace {

using frmEditTN::CloseResult;
using frmEditTN::MenuState;

struct ShownMessage {
  std::wstring text;
  int style;
};

// Records what the editor's window would show; answers boxes and dialogs from a script.
class FakeEditorView : public frmEditTN::EditorView {
 public:
  int UniMsgBox(std::wstring_view text, int style) override {
    messages.push_back({std::wstring(text), style});
    if (answers.empty()) return mUniMsgBox::AnswerOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool ShowPage(const std::wstring& html) override {
    pages.push_back(html);
    return true;
  }
  std::wstring ShowOpen(std::wstring_view filter) override { return Choose(filter); }
  std::wstring ShowSave(std::wstring_view filter) override { return Choose(filter); }
  void OpenAdd() override { ++addsOpened; }
  void OpenEdit(const QuestionRecord& record, int field, const std::wstring& folder) override {
    edited.push_back({record.CauHoi, field, folder});
  }
  void CloseEditor() override { ++closes; }

  std::wstring Choose(std::wstring_view filter) {
    filters.emplace_back(filter);
    if (files.empty()) return {};
    std::wstring file = files.front();
    files.pop_front();
    return file;
  }
  std::wstring LastMessage() const { return messages.empty() ? L"" : messages.back().text; }

  struct Edit {
    std::wstring question;
    int field;
    std::wstring folder;
  };
  std::vector<ShownMessage> messages;
  std::deque<int> answers;
  std::deque<std::wstring> files;
  std::vector<std::wstring> filters;
  std::vector<std::wstring> pages;
  std::vector<Edit> edited;
  int addsOpened = 0;
  int closes = 0;
};

void WriteBank(const std::wstring& path, int count) {
  std::vector<QuestionRecord> records(static_cast<size_t>(count));
  for (int n = 0; n < count; ++n) {
    records[static_cast<size_t>(n)] = {L"Q" + std::to_wstring(n + 1), L"a", L"b", L"c", L"d", L"ABCD"[n % 4]};
  }
  ASSERT_TRUE(WriteBankFile(path, records));
}

class EditorTest : public testing::Test {
 protected:
  void SetUp() override { editor.Form_Load(); }
  // Opens a bank file through the Open command.
  void Open(const std::wstring& path) {
    view.files.push_back(path);
    editor.mnuOpen_Click();
  }
  void Add(const wchar_t* question, const wchar_t* key = L"B") {
    editor.AddQues(question, L"a", L"b", L"c", L"d", key);
  }

  TempFolder folder;
  FakeEditorView view;
  frmEditTN::Editor editor{view};
};

TEST_F(EditorTest, NumberBoxShowsAQuestionOnlyForANumberOfTheBank) {
  WriteBank(folder / L"b.xml", 12);
  Open(folder / L"b.xml");
  ASSERT_EQ(editor.Bank().Count(), 12);
  const struct {
    const wchar_t* text;
    int shown;  // 0: the question shown stays
  } cases[] = {
      {L"2.5", 2},  {L"3.5", 4},   {L"12abc", 12}, {L"0", 0},     {L"-1", 0},   {L"13", 0},
      {L"99999", 0}, {L"", 0},     {L"abc", 0},    {L" 7", 7},    {L"1.5", 2},  {L"4.50001", 5},
      {L"11.5", 12}, {L"12.5", 12}, {L"12.51", 0}, {L"70000", 0},  {L"5e1", 5},
  };
  for (const auto& c : cases) {
    editor.txtCauSo_Change(L"6");
    ASSERT_EQ(editor.Bank().Current(), 6);
    const size_t pages = view.pages.size();
    editor.txtCauSo_Change(c.text);
    EXPECT_EQ(editor.Display().txtCauSo, c.text) << "the box keeps what was typed";
    EXPECT_EQ(editor.Bank().Current(), c.shown ? c.shown : 6) << c.text;
    EXPECT_EQ(view.pages.size(), pages + (c.shown ? 1 : 0)) << c.text;
    if (c.shown) {
      EXPECT_NE(view.pages.back().find(L"Q" + std::to_wstring(c.shown) + L"<p>A) "), std::wstring::npos) << c.text;
      EXPECT_EQ(editor.Display().cmdTruoc, c.shown != 1);
      EXPECT_EQ(editor.Display().cmdSau, c.shown != 12);
    }
  }
  // Setting the box to the number it already holds shows the question again.
  editor.txtCauSo_Change(L"1");
  const size_t pages = view.pages.size();
  editor.cmdTruoc_Click();  // 0: nothing
  EXPECT_EQ(view.pages.size(), pages);
  editor.cmdSau_Click();
  EXPECT_EQ(editor.Bank().Current(), 2);
  EXPECT_EQ(editor.Display().txtCauSo, L"2");
}

TEST_F(EditorTest, PageHoldsTheQuestionAnswersAndKey) {
  editor.mnuClose_Click();
  view.files.push_back(folder / L"new.xml");
  view.answers = {mUniMsgBox::AnswerYes};
  editor.mnuNew_Click();
  editor.AddQues(L"x[b]y[/b][E]z &lt;b&gt;", L"[image]p.gif[/image]", L"<raw>", L"c", L"d", L"C");
  const std::wstring page = view.pages.back();
  EXPECT_EQ(page.substr(0, 86),
            L"<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3><b>");
  EXPECT_NE(page.find(L"<b>Câu hỏi : </b><br>x<b>y</b><br />z &lt;b&gt;<p>A) "), std::wstring::npos) << page;
  EXPECT_NE(page.find(folder.Path() + L"p.gif"), std::wstring::npos) << "bare names in the bank's folder";
  EXPECT_NE(page.find(L"<p>B) &lt;raw&gt;<p>C) c<p>D) d<p>Đáp án : C</body></html>"), std::wstring::npos) << page;
  EXPECT_EQ(editor.Display().cmdDapAn, (std::array<bool, 4>{true, true, false, true}));
}

// Menu states after each command, from a freshly opened screen.
TEST_F(EditorTest, MenuStatesAcrossTheCommands) {
  WriteBank(folder / L"two.xml", 2);
  WriteBank(folder / L"empty.xml", 0);
  const MenuState loaded{};
  const MenuState emptyRead{false, false, false, true, false, false};
  const MenuState openedEmpty{true, true, true, true, false, false};
  const MenuState withQuestions{true, true, true, true, true, true};
  EXPECT_EQ(editor.Display().menu, loaded);
  EXPECT_FALSE(editor.Display().questionView);

  const struct {
    const char* step;
    std::function<void()> run;
    MenuState menu;
    int count;
  } steps[] = {
      {"new", [&] {
         view.files.push_back(folder / L"made.xml");
         view.answers = {mUniMsgBox::AnswerYes};
         editor.mnuNew_Click();
       }, emptyRead, 0},
      {"add", [&] { Add(L"one"); }, withQuestions, 1},
      {"delete", [&] {
         view.answers = {mUniMsgBox::AnswerYes};
         editor.mnuDelete_Click();
       }, openedEmpty, 0},
      {"save", [&] { editor.mnuSave_Click(); }, openedEmpty, 0},
      {"close", [&] { editor.mnuClose_Click(); }, loaded, 0},
      {"open", [&] { Open(folder / L"two.xml"); }, withQuestions, 2},
      {"close again", [&] { editor.mnuClose_Click(); }, loaded, 0},
      {"open empty", [&] { Open(folder / L"empty.xml"); }, openedEmpty, 0},
      {"add", [&] { Add(L"first"); }, withQuestions, 1},
  };
  for (const auto& s : steps) {
    s.run();
    EXPECT_EQ(editor.Display().menu, s.menu) << s.step;
    EXPECT_EQ(editor.Bank().Count(), s.count) << s.step;
    EXPECT_EQ(editor.Display().questionView, s.count > 0) << s.step;
  }
  // After the delete of the only question, a new one shows as question 1 alone.
  EXPECT_EQ(editor.Display().txtCauSo, L"1");
  EXPECT_FALSE(editor.Display().cmdTruoc);
  EXPECT_FALSE(editor.Display().cmdSau);
}

TEST_F(EditorTest, ANewBankShowsItsFirstQuestionWhateverTheBoxHeld) {
  WriteBank(folder / L"first.xml", 3);
  ASSERT_TRUE(WriteBankFile(folder / L"second.xml", std::vector<QuestionRecord>{{L"other", L"", L"", L"", L"", L'D'}}));
  Open(folder / L"first.xml");
  ASSERT_EQ(editor.Display().txtCauSo, L"1");
  Open(folder / L"second.xml");
  EXPECT_EQ(editor.Bank().Count(), 1);
  EXPECT_NE(view.pages.back().find(L"other<p>A) "), std::wstring::npos);
  EXPECT_EQ(editor.Display().cmdDapAn, (std::array<bool, 4>{true, true, true, false}));
  EXPECT_EQ(editor.Display().lblSoCau, L"of 1");
}

TEST_F(EditorTest, CloseThenAddCannotOverwriteTheClosedFile) {
  WriteBank(folder / L"kept.xml", 2);
  const std::string before = ReadAll(folder / L"kept.xml");
  Open(folder / L"kept.xml");
  editor.mnuClose_Click();
  EXPECT_FALSE(editor.Display().menu.mnuEditQ) << "Add is out of reach until New or Open";
  EXPECT_FALSE(editor.Display().menu.mnuSave);
  EXPECT_EQ(ReadAll(folder / L"kept.xml"), before);
}

TEST_F(EditorTest, DeleteShowsTheLastQuestion) {
  WriteBank(folder / L"five.xml", 5);
  Open(folder / L"five.xml");
  editor.txtCauSo_Change(L"3");
  view.answers = {mUniMsgBox::AnswerNo};
  editor.mnuDelete_Click();
  EXPECT_EQ(editor.Bank().Count(), 5);
  EXPECT_FALSE(editor.Bank().Modified());
  view.answers = {mUniMsgBox::AnswerYes};
  editor.mnuDelete_Click();
  EXPECT_EQ(view.messages.back().text, L"Bạn muốn xóa câu hỏi này ?");
  EXPECT_EQ(view.messages.back().style, 36);
  EXPECT_EQ(editor.Bank().Count(), 4);
  EXPECT_EQ(editor.Bank().Current(), 4);
  EXPECT_EQ(editor.Bank().Record(4).CauHoi, L"Q5");
  EXPECT_EQ(editor.Bank().Record(3).CauHoi, L"Q4");
  EXPECT_EQ(editor.Display().lblSoCau, L"of 4");
  EXPECT_TRUE(editor.Bank().Modified());
}

TEST_F(EditorTest, KeyButtonsMarkTheKeyAndAnyOtherKeyNeverFails) {
  const std::string odd =
      "<Quorel><Question><CauHoi>q</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn>x</DapAn></Question>"
      "<Question><CauHoi>r</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn></DapAn></Question></Quorel>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"odd.xml", odd));
  Open(folder / L"odd.xml");
  ASSERT_EQ(editor.Bank().Count(), 2);
  EXPECT_EQ(editor.Display().cmdDapAn, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_NE(view.pages.back().find(L"Đáp án : x</body>"), std::wstring::npos);
  editor.cmdSau_Click();
  EXPECT_EQ(editor.Display().cmdDapAn, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_FALSE(editor.Bank().Modified());
  editor.cmdDapAn_Click(2);
  EXPECT_EQ(editor.Bank().Record(2).DapAn, L'C');
  EXPECT_TRUE(editor.Bank().Modified());
  EXPECT_EQ(editor.Display().cmdDapAn, (std::array<bool, 4>{true, true, false, true}));
  EXPECT_NE(view.pages.back().find(L"Đáp án : C</body>"), std::wstring::npos);
  // Leaving now asks to save.
  view.answers = {mUniMsgBox::AnswerCancel};
  EXPECT_EQ(editor.Form_Unload(), CloseResult::Stay);
  EXPECT_EQ(view.messages.back().text, L"Bạn có muốn lưu file này lại không ?");
  EXPECT_EQ(view.messages.back().style, 35);
}

// Ways a save can fail here; each leaves the old file as it was.
TEST_F(EditorTest, FailedSaveReportsTheReasonAndKeepsBankAndFile) {
  WriteBank(folder / L"bank.xml", 2);
  const std::string before = ReadAll(folder / L"bank.xml");
  CreateDirectoryW((folder / L"sub").c_str(), nullptr);
  WriteBank(folder / L"sub\\gone.xml", 1);
  const struct {
    const char* name;
    std::wstring path;
    bool folderGone;
  } ways[] = {
      {"file held open without sharing", folder / L"bank.xml", false},
      {"folder gone", folder / L"sub\\gone.xml", true},
  };
  for (const auto& way : ways) {
    editor.Form_Load();
    const std::wstring& path = way.path;
    Open(path);
    const std::string old = ReadAll(path);
    Add(L"new question");
    ASSERT_TRUE(editor.Bank().Modified());
    const int count = editor.Bank().Count();

    // Make the save fail.
    HANDLE held = INVALID_HANDLE_VALUE;
    if (way.folderGone) {
      ASSERT_TRUE(tq::RemoveFolderTree(folder / L"sub"));
    } else {
      held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    const struct {
      const char* command;
      std::function<void()> run;
    } commands[] = {
        {"save", [&] { editor.mnuSave_Click(); }},
        {"close yes", [&] {
           view.answers = {mUniMsgBox::AnswerYes};
           EXPECT_EQ(editor.Form_Unload(), CloseResult::Stay);
         }},
        {"main menu then yes", [&] {
           editor.mnuMainMenu_Click();
           view.answers = {mUniMsgBox::AnswerYes};
           EXPECT_EQ(editor.Form_Unload(), CloseResult::Stay);
           EXPECT_FALSE(editor.MainMenuFlag()) << "the next exit asks again";
         }},
        {"open another, saving first", [&] {
           view.answers = {mUniMsgBox::AnswerYes};
           Open(folder / L"bank.xml");
         }},
        {"luulai", [&] { EXPECT_FALSE(editor.LuuLai()); }},
    };
    for (const auto& c : commands) {
      view.messages.clear();
      c.run();
      if (std::string(c.command) != "luulai") {
        ASSERT_FALSE(view.messages.empty()) << way.name << " / " << c.command;
        const std::wstring& shown = view.messages.back().text;
        EXPECT_EQ(shown.rfind(L"Không lưu được file :\r\n" + path + L"\r\n", 0), 0u) << way.name << " / " << c.command;
        EXPECT_GT(shown.size(), (L"Không lưu được file :\r\n" + path + L"\r\n").size()) << "the system's reason";
      }
      EXPECT_EQ(editor.Bank().Count(), count) << way.name << " / " << c.command;
      EXPECT_TRUE(editor.Bank().Modified()) << way.name << " / " << c.command;
      EXPECT_EQ(editor.Bank().Path(), path);
      EXPECT_TRUE(editor.Display().questionView);
    }
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    if (!way.folderGone) {
      EXPECT_EQ(ReadAll(path), old) << "the old file byte for byte";
      EXPECT_EQ(ReadAll(path), before);
    }
    EXPECT_EQ(folder.Listing(), way.folderGone ? L"bank.xml;" : L"bank.xml;sub;") << "no temporary file left";
  }
}

TEST_F(EditorTest, SaveAsClearsTheMarkButKeepsThePath) {
  WriteBank(folder / L"a.xml", 1);
  Open(folder / L"a.xml");
  Add(L"second");
  view.files.push_back(folder / L"copy.xml");
  editor.mnuSaveas_Click();
  EXPECT_EQ(view.LastMessage(), L"Đã lưu file thành công !");
  EXPECT_FALSE(editor.Bank().Modified());
  EXPECT_EQ(editor.Bank().Path(), folder / L"a.xml");
  BankFileReader copy;
  ASSERT_TRUE(copy.Load(folder / L"copy.xml"));
  EXPECT_EQ(copy.QuestionCount(), 2);
  // Onto an existing file: asked first, No writes nothing.
  Add(L"third");
  view.files.push_back(folder / L"copy.xml");
  view.answers = {mUniMsgBox::AnswerNo};
  editor.mnuSaveas_Click();
  EXPECT_EQ(view.LastMessage(),
            L"File bạn chọn hiện đang tồn tại !\r\nBạn muốn lưu đè lên file đã bạn chọn ?\r\n");
  ASSERT_TRUE(copy.Load(folder / L"copy.xml"));
  EXPECT_EQ(copy.QuestionCount(), 2);
  editor.mnuSave_Click();
  EXPECT_EQ(view.LastMessage(), L"Đã cập nhật xong !");
  BankFileReader original;
  ASSERT_TRUE(original.Load(folder / L"a.xml"));
  EXPECT_EQ(original.QuestionCount(), 3);
  EXPECT_EQ(view.filters.back(), L"Tessaro File (*.xml)|*.xml|");
}

TEST_F(EditorTest, AFileThatCannotBeReadIsNeitherShownNorSavedOver) {
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"short.xml",
                                  "<Quorel><Question><CauHoi>q</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn>A</DapAn>"
                                  "</Question><Question><CauHoi>r</CauHoi></Question></Quorel>"));
  Open(folder / L"short.xml");
  EXPECT_EQ(editor.Bank().Count(), 0);
  EXPECT_EQ(editor.Display().menu, MenuState{}) << "nothing to add to or save";
  EXPECT_EQ(view.LastMessage().rfind(L"Không đọc được file :", 0), 0u);
}

TEST_F(EditorTest, AddRefusedAtAThousand) {
  WriteBank(folder / L"full.xml", 1000);
  Open(folder / L"full.xml");
  editor.mnuAdd_Click();
  EXPECT_EQ(view.addsOpened, 0);
  EXPECT_EQ(view.LastMessage(), L"Số lượng câu hỏi chỉ 1000 câu ! Xin lỗi bạn không thể tạo thêm !");
  view.answers = {mUniMsgBox::AnswerYes};
  editor.mnuDelete_Click();
  editor.mnuAdd_Click();
  EXPECT_EQ(view.addsOpened, 1);
}

TEST_F(EditorTest, EditHandsTheRecordAndFolderAndShowsTheChange) {
  WriteBank(folder / L"e.xml", 3);
  Open(folder / L"e.xml");
  editor.txtCauSo_Change(L"2");
  editor.mnuEditQues_Click(3);
  ASSERT_EQ(view.edited.size(), 1u);
  EXPECT_EQ(view.edited[0].question, L"Q2");
  EXPECT_EQ(view.edited[0].field, 3);
  EXPECT_EQ(view.edited[0].folder, folder.Path());
  editor.EditQues(L"new C", 3);
  EXPECT_EQ(editor.Bank().Record(2).CauC, L"new C");
  EXPECT_NE(view.pages.back().find(L"<p>C) new C<p>"), std::wstring::npos);
  EXPECT_EQ(editor.Display().txtCauSo, L"2");
}

TEST_F(EditorTest, LeavingTowardsTheMainMenuAndCancelling) {
  Open(folder / L"none.xml");  // no such file: nothing happens
  EXPECT_TRUE(view.messages.empty());
  view.files.push_back(folder / L"m.xml");
  view.answers = {mUniMsgBox::AnswerYes};
  editor.mnuNew_Click();
  Add(L"q");
  editor.mnuMainMenu_Click();
  EXPECT_EQ(view.closes, 1);
  view.answers = {mUniMsgBox::AnswerCancel};
  EXPECT_EQ(editor.Form_Unload(), CloseResult::Stay);
  EXPECT_FALSE(editor.MainMenuFlag());
  view.answers = {mUniMsgBox::AnswerNo};
  EXPECT_EQ(editor.Form_Unload(), CloseResult::Close) << "the close box after a cancel ends the program";
  EXPECT_EQ(editor.Bank().Count(), 0);
  editor.Form_Load();
  editor.SetMainMenuFlag();
  EXPECT_EQ(editor.Form_Unload(), CloseResult::CloseToMainMenu);
}

// Question screens: text conversions both ways.
TEST(QuestionText, EntryConversionAndBack) {
  const struct {
    const wchar_t* typed;
    const wchar_t* stored;
  } cases[] = {
      {L"x\r\ny<z> & w", L"x[E]y&lt;z&gt; & w"},
      {L"a\rb\nc", L"a\rb\nc"},
      {L"&lt;", L"&lt;"},
      {L"<<>>", L"&lt;&lt;&gt;&gt;"},
      {L"\r\n\r\n", L"[E][E]"},
      {L"", L""},
      {L"[b]đậm[/b]", L"[b]đậm[/b]"},
  };
  for (const auto& c : cases) EXPECT_EQ(frmAdd::EntryConversion(c.typed), c.stored) << c.typed;
  const struct {
    const wchar_t* stored;
    const wchar_t* shown;
  } back[] = {
      {L"x[E]y", L"x\r\ny"},
      {L"a&lt;b", L"a&lt;b"},
      {L"[E][E]", L"\r\n\r\n"},
      {L"[e]", L"[e]"},
      {L"[b]x[/b]", L"[b]x[/b]"},
      {L"[E[E]]", L"[E\r\n]"},
  };
  for (const auto& b : back) {
    EXPECT_EQ(frmEdit::BoxText(b.stored), b.shown) << b.stored;
  }
  // Shown and stored again without a change: the same text.
  EXPECT_EQ(frmAdd::EntryConversion(frmEdit::BoxText(L"x[E]y")), L"x[E]y");
  EXPECT_EQ(frmAdd::EntryConversion(frmEdit::BoxText(L"a&lt;b")), L"a&lt;b");
  EXPECT_EQ(frmAdd::EntryConversion(frmEdit::BoxText(L"a&lt;b") + L"c>d"), L"a&lt;bc&gt;d");
}

TEST(QuestionText, FormatAndInsertionCommands) {
  const struct {
    const wchar_t* text;
    int start, length, command;
    const wchar_t* result;
    int caret;
  } cases[] = {
      {L"abcdef", 2, 2, 0, L"ab[b]cd[/b]ef", 2},
      {L"abcdef", 2, 2, 4, L"ab[d]cd[/d]ef", 2},
      {L"abcdef", 3, 0, 0, L"abc[b][/b]def", 3},
      {L"abcdef", 0, 6, 1, L"[i]abcdef[/i]", 0},
      {L"abcdef", 6, 0, 2, L"abcdef[u][/u]", 6},
      {L"abcdef", 1, 1, 3, L"a[t]b[/t]cdef", 1},
      {L"x[b]y[/b]z", 0, 10, 5, L"xyz", 0},
      {L"x[b]y[/b]z", 4, 1, 5, L"x[b]y[/b]z", 4},
      {L"x[b]y[/b]z", 3, 0, 5, L"x[b]y[/b]z", 3},
      {L"[i][E][image]a.jpg[/image][media]s.mp3[/media][/i]", 0, 50, 5,
       L"[E][image]a.jpg[/image][media]s.mp3[/media]", 0},
      {L"[b][i][u][t][d]x[/d][/t][/u][/i][/b]", 0, 36, 5, L"x", 0},
      {L"abc", 10, 5, 0, L"abc[b][/b]", 3},  // a stale selection is cut to fit
  };
  for (const auto& c : cases) {
    const frmAdd::BoxEdit edit = frmAdd::FormatCommand(c.text, c.start, c.length, c.command);
    EXPECT_EQ(edit.text, c.result) << c.text << " " << c.command;
    EXPECT_EQ(edit.caret, c.caret) << c.text << " " << c.command;
  }
  const frmAdd::BoxEdit picture = frmAdd::InsertFile(L"abcdef", 2, 2, false, L"C:\\p\\a.jpg");
  EXPECT_EQ(picture.text, L"ab[image]C:\\p\\a.jpg[/image]ef");
  EXPECT_EQ(picture.caret, 2);
  EXPECT_EQ(frmAdd::InsertFile(L"ab", 2, 0, true, L"D:\\s.mp3").text, L"ab[media]D:\\s.mp3[/media]");
}

TEST(QuestionText, PreviewPageAndBlankBoxes) {
  const std::wstring page =
      frmAdd::PreviewPage({L"x[E]y&lt;z&gt;", L"a", L"<b>raw</b>", L"c", L"[image]p.gif[/image]"}, L"", L"C:\\f\\");
  const std::wstring start =
      L"<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>"
      L"<b>Câu hỏi : </b><br>x<br />y&lt;z&gt;<p>Câu A :a<p>Câu B :&lt;b&gt;raw&lt;/b&gt;<p>Câu C :c<p>Câu D :";
  EXPECT_EQ(page.substr(0, start.size()), start);
  EXPECT_NE(page.find(L"C:\\f\\p.gif"), std::wstring::npos) << "bare names from the folder given";
  EXPECT_NE(page.find(L"<img"), std::wstring::npos);
  EXPECT_NE(frmAdd::PreviewPage({}, L"C", L"").find(L"<p><b>Đáp án : C</b></font></body></html>"), std::wstring::npos);
  EXPECT_NE(frmAdd::PreviewPage({}, L"", L"").find(L"<p><b>Đáp án : </b>"), std::wstring::npos);
  EXPECT_EQ(frmAdd::FirstBlank({L"q", L"a", L"b", L"c", L"d"}), -1);
  EXPECT_EQ(frmAdd::FirstBlank({L"   ", L"", L"b", L"c", L"d"}), 0);
  EXPECT_EQ(frmAdd::FirstBlank({L"q", L"a", L"b", L"", L"d"}), 3);
  EXPECT_EQ(frmAdd::FirstBlank({L"q\r\n", L"a", L"b", L"c", L"d"}), -1);
}

}  // namespace
