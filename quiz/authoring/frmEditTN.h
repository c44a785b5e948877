// The bank editor: the teacher's screen for question banks. Its work apart
// from the window is Editor, driven through EditorView; the window is
// frmEditTN_Screen. The functions at the end are what the main menu and the
// question screens use of it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "authoring/QuestionBank.h"
#include "runtime/FileIo.h"

namespace frmEditTN {

inline constexpr std::wstring_view BankFilter = L"Tessaro File (*.xml)|*.xml|";

// The menu items whose state the editor changes.
struct MenuState {
  bool mnuSave = false;
  bool mnuSaveas = false;
  bool mnuClose = false;
  bool mnuEditQ = false;  // the question menu: Add, Edit, Delete
  bool mnuEdit = false;
  bool mnuDelete = false;
  bool operator==(const MenuState&) const = default;
};

// What the screen's controls show; the screen copies it to them after each call.
struct EditorDisplay {
  std::wstring txtCauSo;  // the number box
  std::wstring lblSoCau;  // "of n"
  bool questionView = false;  // number box, buttons, labels and page shown
  bool cmdTruoc = false;
  bool cmdSau = false;
  std::array<bool, 4> cmdDapAn{true, true, true, true};  // enabled; the key's button is not
  MenuState menu;
};

// What the editor's window does for it.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // The screen's message box (title "Tessaro"); returns the answer.
  virtual int UniMsgBox(std::wstring_view text, int style) = 0;
  // Shows a page in the page view; false when it could not be shown.
  virtual bool ShowPage(const std::wstring& html) = 0;
  // The open or save dialog with a filter; empty when cancelled.
  virtual std::wstring ShowOpen(std::wstring_view filter) = 0;
  virtual std::wstring ShowSave(std::wstring_view filter) = 0;
  // Hides the editor and opens the add-question screen.
  virtual void OpenAdd() = 0;
  // Hides the editor and opens the edit-question screen on one field.
  virtual void OpenEdit(const QuestionRecord& record, int field, const std::wstring& folder) = 0;
  // Closes the editor's window (its unloading runs Editor::Form_Unload).
  virtual void CloseEditor() = 0;
};

enum class CloseResult { Stay, Close, CloseToMainMenu };

// The page that shows record `record` of a bank whose folder is `folder`.
std::wstring QuestionPage(const QuestionRecord& record, std::wstring_view folder);
// The message of a failed save: the file and the system's reason.
std::wstring SaveFailedMessage(const std::wstring& path, const tq::IoStatus& status);

// The editor's fields for the whole run, and its handlers.
class Editor {
 public:
  explicit Editor(EditorView& view) : view_(view) {}
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  void Form_Load();
  CloseResult Form_Unload();
  // The number box changed, typed or set by the editor.
  void txtCauSo_Change(std::wstring_view text);
  void cmdDapAn_Click(int index);
  void cmdTruoc_Click() { SetCauSo(bank_.Current() - 1); }
  void cmdSau_Click() { SetCauSo(bank_.Current() + 1); }
  void mnuNew_Click();
  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuSaveas_Click();
  void mnuClose_Click();
  void mnuMainMenu_Click();
  void mnuQuit_Click() { view_.CloseEditor(); }
  void mnuAdd_Click();
  void mnuEditQues_Click(int index);
  void mnuDelete_Click();

  // Used by the question screens.
  void AddQues(std::wstring_view question, std::wstring_view answerA, std::wstring_view answerB,
               std::wstring_view answerC, std::wstring_view answerD, std::wstring_view key);
  void EditQues(std::wstring_view text, int field);
  // Saves to the bank's path without a message; the caller reports a failure.
  tq::IoStatus LuuLai();
  // Clears the modified mark and closes the editor.
  void Tat();
  void SetMainMenuFlag() { mainMenu_ = true; }

  const EditorBank& Bank() const { return bank_; }
  const EditorDisplay& Display() const { return display_; }
  bool MainMenuFlag() const { return mainMenu_; }

 private:
  void SetCauSo(int number);
  void KhongCauHoi(bool none);
  void ChonCau();
  void ShowPage();
  void ReadXML(const std::wstring& path);
  // Writes the bank; a failure is reported and the bank stays as it was.
  bool Save(const std::wstring& path);
  // Asks whether to save the changes of the bank; false when the save the
  // user asked for failed and the command must stop.
  bool SaveChangesFirst();
  void ShowCount();

  EditorView& view_;
  EditorBank bank_;
  EditorDisplay display_;
  bool mainMenu_ = false;
};

// The editor of the program.
void Show();
void AddQues(std::wstring_view question, std::wstring_view answerA, std::wstring_view answerB,
             std::wstring_view answerC, std::wstring_view answerD, std::wstring_view key);
void EditQues(std::wstring_view text, int field);
tq::IoStatus LuuLai();
void Tat();
void SetMainMenuFlag();
const EditorBank& Bank();

}  // namespace frmEditTN
