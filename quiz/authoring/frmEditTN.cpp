#include "authoring/frmEditTN.h"

#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"

namespace frmEditTN {

namespace {

constexpr std::wstring_view FullMessage = L"Số lượng câu hỏi chỉ 1000 câu ! Xin lỗi bạn không thể tạo thêm !";
constexpr std::wstring_view OverwriteNewMessage = L"Bạn có muốn ghi đè lên file đã chọn ?";
constexpr std::wstring_view CreatedMessage = L"File đã tạo xong !\r\nBạn có muốn mở file vừa tạo ?";
constexpr std::wstring_view SaveCurrentMessage = L"Bạn có muốn lưu lại file hiện tại ?";
constexpr std::wstring_view SavedMessage = L"Đã cập nhật xong !";
constexpr std::wstring_view OverwriteSaveAsMessage =
    L"File bạn chọn hiện đang tồn tại !\r\nBạn muốn lưu đè lên file đã bạn chọn ?\r\n";
constexpr std::wstring_view SavedAsMessage = L"Đã lưu file thành công !";
constexpr std::wstring_view DeleteMessage = L"Bạn muốn xóa câu hỏi này ?";
constexpr std::wstring_view CloseMessage = L"Bạn có muốn lưu file này lại không ?";

std::wstring FieldHtml(std::wstring_view text, std::wstring_view folder) {
  // A hand-made bank may hold raw brackets: they show as text.
  return mdlMain::TagsToHtml(mdlMain::EscapeAngleBrackets(text), folder);
}

// The number a box text names, when it is a question number at all.
int BoxNumber(std::wstring_view text) {
  if (text.empty()) return 0;
  const std::optional<int32_t> number = mdlMain::LeadingNumber(text);
  // The box holds 16-bit numbers; anything else names no question.
  if (!number || *number < 1 || *number > 32767) return 0;
  return *number;
}

}  // namespace

std::wstring QuestionPage(const QuestionRecord& record, std::wstring_view folder) {
  return L"<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>"
         L"<b>Câu hỏi : </b><br>" +
         FieldHtml(record.CauHoi, folder) + L"<p>A) " + FieldHtml(record.CauA, folder) + L"<p>B) " +
         FieldHtml(record.CauB, folder) + L"<p>C) " + FieldHtml(record.CauC, folder) + L"<p>D) " +
         FieldHtml(record.CauD, folder) + L"<p>Đáp án : " +
         mdlMain::EscapeAngleBrackets(std::wstring_view(&record.DapAn, 1)) + L"</body></html>";
}

std::wstring SaveFailedMessage(const std::wstring& path, const tq::IoStatus& status) {
  return L"Không lưu được file :\r\n" + path + L"\r\n" + status.Text();
}

void Editor::Form_Load() {
  mainMenu_ = false;
  display_ = EditorDisplay{};
  mnuClose_Click();
}

CloseResult Editor::Form_Unload() {
  if (bank_.Modified()) {
    const int answer = view_.UniMsgBox(CloseMessage, mUniMsgBox::YesNoCancel);
    if (answer == mUniMsgBox::AnswerCancel || (answer == mUniMsgBox::AnswerYes && !Save(bank_.Path()))) {
      mainMenu_ = false;
      return CloseResult::Stay;
    }
  }
  mnuClose_Click();
  return mainMenu_ ? CloseResult::CloseToMainMenu : CloseResult::Close;
}

void Editor::SetCauSo(int number) {
  display_.txtCauSo = std::to_wstring(number);
  txtCauSo_Change(display_.txtCauSo);
}

void Editor::txtCauSo_Change(std::wstring_view text) {
  display_.txtCauSo = std::wstring(text);
  const int number = BoxNumber(text);
  if (number < 1 || number > bank_.Count()) return;
  bank_.SetCurrent(number);
  display_.cmdTruoc = display_.questionView && number != 1;
  display_.cmdSau = display_.questionView && number != bank_.Count();
  ShowPage();
  ChonCau();
}

void Editor::ShowPage() { view_.ShowPage(QuestionPage(bank_.Record(bank_.Current()), bank_.Folder())); }

void Editor::ChonCau() {
  display_.cmdDapAn = {true, true, true, true};
  // A hand-made bank may hold any key: then no button is marked.
  const wchar_t key = bank_.Record(bank_.Current()).DapAn;
  if (key >= L'A' && key <= L'D') display_.cmdDapAn[static_cast<size_t>(key - L'A')] = false;
}

void Editor::KhongCauHoi(bool none) {
  display_.questionView = !none;
  display_.menu.mnuEdit = !none;
  display_.menu.mnuDelete = !none;
  const int current = bank_.Current();
  display_.cmdTruoc = !none && current != 1;
  display_.cmdSau = !none && current != bank_.Count();
}

void Editor::ShowCount() { display_.lblSoCau = L"of " + std::to_wstring(bank_.Count()); }

void Editor::cmdDapAn_Click(int index) {
  if (index < 0 || index > 3 || bank_.Count() == 0) return;
  bank_.SetKey(bank_.Current(), static_cast<wchar_t>(L'A' + index));
  ChonCau();
  ShowPage();
}

bool Editor::Save(const std::wstring& path) {
  const tq::IoStatus status = bank_.GhiFile(path);
  if (!status) view_.UniMsgBox(SaveFailedMessage(path, status), mUniMsgBox::Information);
  return static_cast<bool>(status);
}

bool Editor::SaveChangesFirst() {
  if (!bank_.Modified()) return true;
  if (view_.UniMsgBox(SaveCurrentMessage, mUniMsgBox::YesNo) != mUniMsgBox::AnswerYes) return true;
  return Save(bank_.Path());
}

void Editor::ReadXML(const std::wstring& path) {
  const BankReadResult result = bank_.ReadXML(path);
  switch (result) {
    case BankReadResult::Ok:
      bank_.SetPath(path);
      display_.menu.mnuEditQ = true;
      ShowCount();
      KhongCauHoi(false);
      SetCauSo(1);
      break;
    case BankReadResult::NoQuestions:
      view_.UniMsgBox(EditorBank::NoQuestionsMessage, mUniMsgBox::Information);
      bank_.SetPath(path);
      display_.menu.mnuEditQ = true;
      KhongCauHoi(true);
      break;
    case BankReadResult::TooManyQuestions:
    case BankReadResult::Incomplete:
      // Nothing of such a file is held, and nothing may be saved over it.
      mnuClose_Click();
      bank_.SetPath({});
      view_.UniMsgBox(L"Không đọc được file :\r\n" + path + L"\r\n" +
                          (result == BankReadResult::TooManyQuestions ? L"File có hơn 1000 câu hỏi."
                                                                      : L"File thiếu dữ liệu của câu hỏi."),
                      mUniMsgBox::Information);
      break;
  }
}

void Editor::mnuNew_Click() {
  const std::wstring name = view_.ShowSave(BankFilter);
  if (mdlMain::IsBlank(name)) return;
  if (mdlMain::FileExists(name) && view_.UniMsgBox(OverwriteNewMessage, mUniMsgBox::YesNo) != mUniMsgBox::AnswerYes) {
    return;
  }
  if (const tq::IoStatus status = EditorBank::TaoFile(name); !status) {
    view_.UniMsgBox(SaveFailedMessage(name, status), mUniMsgBox::Information);
    return;
  }
  if (view_.UniMsgBox(CreatedMessage, mUniMsgBox::YesNo) != mUniMsgBox::AnswerYes) return;
  if (!SaveChangesFirst()) return;
  ReadXML(name);
}

void Editor::mnuOpen_Click() {
  const std::wstring name = view_.ShowOpen(BankFilter);
  if (mdlMain::IsBlank(name) || !mdlMain::FileExists(name)) return;
  if (!SaveChangesFirst()) return;
  ReadXML(name);
  if (bank_.Path().empty()) return;  // refused: nothing to save to
  display_.menu.mnuSave = display_.menu.mnuSaveas = display_.menu.mnuClose = true;
}

void Editor::mnuSave_Click() {
  if (Save(bank_.Path())) view_.UniMsgBox(SavedMessage, mUniMsgBox::Information);
}

void Editor::mnuSaveas_Click() {
  const std::wstring name = view_.ShowSave(BankFilter);
  if (mdlMain::IsBlank(name)) return;
  if (mdlMain::FileExists(name) &&
      view_.UniMsgBox(OverwriteSaveAsMessage, mUniMsgBox::YesNo) != mUniMsgBox::AnswerYes) {
    return;
  }
  if (Save(name)) view_.UniMsgBox(SavedAsMessage, mUniMsgBox::Information);
}

void Editor::mnuClose_Click() {
  bank_.Empty();
  display_.menu.mnuSave = display_.menu.mnuSaveas = display_.menu.mnuClose = false;
  // Until a file is opened or made again, nothing can be added: a bank built
  // now would be saved over the file just closed.
  display_.menu.mnuEditQ = false;
  KhongCauHoi(true);
}

void Editor::mnuMainMenu_Click() {
  mainMenu_ = true;
  view_.CloseEditor();
}

void Editor::mnuAdd_Click() {
  if (bank_.Count() >= MaxQuestions) {
    view_.UniMsgBox(FullMessage, mUniMsgBox::Information);
    return;
  }
  view_.OpenAdd();
}

void Editor::mnuEditQues_Click(int index) {
  if (index < 0 || index > 4 || bank_.Count() == 0) return;
  view_.OpenEdit(bank_.Record(bank_.Current()), index, bank_.Folder());
}

void Editor::mnuDelete_Click() {
  if (bank_.Count() == 0) return;
  if (view_.UniMsgBox(DeleteMessage, mUniMsgBox::YesNo) != mUniMsgBox::AnswerYes) return;
  bank_.Delete(bank_.Current());
  if (bank_.Count() >= 1) {
    ShowCount();
    SetCauSo(bank_.Count());
  } else {
    KhongCauHoi(true);
  }
}

void Editor::AddQues(std::wstring_view question, std::wstring_view answerA, std::wstring_view answerB,
                     std::wstring_view answerC, std::wstring_view answerD, std::wstring_view key) {
  if (!bank_.AddQues(question, answerA, answerB, answerC, answerD, key)) return;
  ShowCount();
  if (bank_.Count() == 1) KhongCauHoi(false);
  SetCauSo(bank_.Count());
  display_.menu.mnuSave = display_.menu.mnuSaveas = display_.menu.mnuClose = true;
}

void Editor::EditQues(std::wstring_view text, int field) {
  bank_.EditQues(text, field);
  if (bank_.Count() > 0) SetCauSo(bank_.Current());
}

tq::IoStatus Editor::LuuLai() { return bank_.GhiFile(bank_.Path()); }

void Editor::Tat() {
  bank_.ClearModified();
  view_.CloseEditor();
}

}  // namespace frmEditTN
