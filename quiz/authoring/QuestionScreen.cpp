#include "authoring/QuestionScreen.h"

#include "authoring/Launchers.h"
#include "authoring/frmEditTN.h"
#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "authoring/mnuUnicode.h"

namespace tq {

namespace {

constexpr wchar_t AutoCaption[] = L"Tu75 d9o65ng xem thu73 : OFF";

}  // namespace

QuestionScreen::QuestionScreen() : Form(L"Tessaro", 15360, 11520) {}

int QuestionScreen::UniMsgBox(std::wstring_view text, int style) {
  return mUniMsgBox::UnicodeMsgBox(std::wstring(text), static_cast<UINT>(style), L"Tessaro", Hwnd());
}

void QuestionScreen::MakeMenuBar() {
  const wchar_t* formats[] = {L"&Chu74 d9a65m",      L"&Chu74 nghie6ng",        L"&Chu74 ga5ch cha6n",
                              L"Le6n tre6n",         L"&Xuo61ng du7o71i",       L"&Chu74 bi2nh thu7o72ng"};
  const wchar_t formatKeys[] = {L'B', L'I', L'U', L'T', L'D', L'R'};
  std::vector<MenuItem> formatItems;
  for (int k = 0; k < 6; ++k) {
    formatItems.push_back(
        {formats[k], [this, k] { mnuFor_Click(k); }, {}, formatKeys[k], true, L"mnuFor" + std::to_wstring(k)});
  }
  SetMenuBar({
      {L"&D9i5nh da5ng", nullptr, formatItems, 0, true, L"mnuFormat"},
      {L"&Che2n the6m",
       nullptr,
       {{L"Hi2nh a3nh", [this] { mnuImage_Click(); }, {}, L'H', true, L"mnuImage"},
        {L"Nha5c & Phim", [this] { mnuMedia_Click(); }, {}, L'M', true, L"mnuMedia"}},
       0,
       true,
       L"mnuInsert"},
      {L"&Co6ng cu5",
       nullptr,
       {{L"&Ma1y ti1nh", [this] { mnuCal_Click(); }, {}, L'K', true, L"mnuCal"},
        {L"&Ve4 d9o62 thi5", [this] { mnuKurvex_Click(); }, {}, L'G', true, L"mnuKurvex"}},
       0,
       true,
       L"mnuTool"},
      {AutoCaption, [this] { mnuAuto_Click(); }, {}, 0, true, L"mnuAuto"},
  });
  cmdBack.OnClick = [this] { cmdBack_Click(); };
  cmdUpdate.OnClick = [this] { cmdUpdate_Click(); };
  cmdMainMenu.OnClick = [this] { cmdMainMenu_Click(); };
  cmdQuit.OnClick = [this] { cmdQuit_Click(); };
}

void QuestionScreen::LoadCommon() {
  autoPreview_ = false;
  exitMode_ = frmAdd::ExitMode::Quit;
  cmdUpdate.SetCaption(L"Cập nhật");
  cmdBack.SetCaption(L"Quay lại");
  cmdMainMenu.SetCaption(L"Trở về Menu chính");
  cmdQuit.SetCaption(L"Thoát chương trình");
  SetBackColor(mdlMain::ProgramOptions.backColor);
  mnuUnicode::MenuToUnicode(Hwnd());
  ApplyFont();
  FillWorkArea(*this);
}

void QuestionScreen::ShowPreviewPage(const std::wstring& html) {
  if (mdlMain::WriteTempPage(html)) DHTML.Navigate(mdlMain::TempPage);
}

void QuestionScreen::ApplyBoxEdit(TextBox& box, const frmAdd::BoxEdit& edit) {
  box.SetText(edit.text);
  box.Select(edit.caret, 0);
}

void QuestionScreen::mnuFor_Click(int index) {
  TextBox& box = CommandBox();
  ApplyBoxEdit(box, frmAdd::FormatCommand(box.Text(), box.SelStart(), box.SelLength(), index));
}

void QuestionScreen::InsertFile(bool media) {
  CDBox.Filter = media ? frmAdd::MediaFilter : frmAdd::ImageFilter;
  CDBox.ShowOpen(Hwnd());
  const std::wstring path = CDBox.FileName;
  CDBox.FileName.clear();
  if (mdlMain::IsBlank(path)) return;
  TextBox& box = CommandBox();
  ApplyBoxEdit(box, frmAdd::InsertFile(box.Text(), box.SelStart(), box.SelLength(), media, path));
}

void QuestionScreen::mnuAuto_Click() {
  autoPreview_ = !autoPreview_;
  SetMenuCaption(L"mnuAuto", std::wstring(L"Auto preview : ") + (autoPreview_ ? L"ON" : L"OFF"));
  if (autoPreview_) Preview();
}

void QuestionScreen::mnuCal_Click() { Launchers::RunTool(Launchers::Calculator, Hwnd()); }
void QuestionScreen::mnuKurvex_Click() { Launchers::RunTool(Launchers::Grapher, Hwnd()); }

void QuestionScreen::ReturnToEditor() {
  exitMode_ = frmAdd::ExitMode::Back;
  Unload();
  frmEditTN::Show();
}

void QuestionScreen::cmdBack_Click() { ReturnToEditor(); }

void QuestionScreen::cmdMainMenu_Click() {
  exitMode_ = frmAdd::ExitMode::MainMenu;
  Unload();
}

void QuestionScreen::Form_Unload(bool& cancel) {
  if (exitMode_ == frmAdd::ExitMode::Back) return;
  const int answer = UniMsgBox(frmAdd::LeaveMessage, mUniMsgBox::YesNoCancel);
  if (answer == mUniMsgBox::AnswerYes) {
    if (const IoStatus saved = frmEditTN::LuuLai(); !saved) {
      // Nothing is closed or dropped: the teacher can try another way.
      UniMsgBox(frmEditTN::SaveFailedMessage(frmEditTN::Bank().Path(), saved), mUniMsgBox::Information);
      cancel = true;
    }
  } else if (answer != mUniMsgBox::AnswerNo) {
    cancel = true;
  }
  if (cancel) {
    // The next way out asks again from the start: Quit after a cancelled
    // Main menu quits.
    exitMode_ = frmAdd::ExitMode::Quit;
    return;
  }
  if (exitMode_ == frmAdd::ExitMode::MainMenu) {
    frmMain::Show();
    frmEditTN::SetMainMenuFlag();
  }
  frmEditTN::Tat();
}

}  // namespace tq
