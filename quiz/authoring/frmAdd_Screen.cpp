#include "authoring/frmAdd_Screen.h"

#include "authoring/frmEditTN.h"
#include "authoring/mUniMsgBox.h"

namespace frmAdd {

Screen& Get() {
  static Screen screen;
  return screen;
}

void Show() { Get().Show(); }

Screen::Screen() = default;

void Screen::CreateControls() {
  const bool s = mdlMain::UsesSmallLayout(mdlMain::ProgramOptions);
  using tq::Place;
  MakeMenuBar();
  DHTML.Create(*this, 120, 120, Place{11655, 15015}.Of(s), Place{3015, 4455}.Of(s));
  // Tab order: answer A, the question, then B, C, D.
  const int answerWidth = Place{5295, 6975}.Of(s), answerHeight = Place{1335, 1695}.Of(s);
  const int left[] = {Place{480, 600}.Of(s), Place{6480, 8160}.Of(s)};
  const int top[] = {Place{4920, 6720}.Of(s), Place{6360, 8640}.Of(s)};
  txtCauHoi[1].Create(*this, true, left[0], top[0], answerWidth, answerHeight);
  txtCauHoi[0].Create(*this, true, 120, Place{3240, 4680}.Of(s), Place{11655, 15015}.Of(s), Place{1575, 1935}.Of(s));
  txtCauHoi[2].Create(*this, true, left[1], top[0], answerWidth, answerHeight);
  txtCauHoi[3].Create(*this, true, left[0], top[1], answerWidth, answerHeight);
  txtCauHoi[4].Create(*this, true, left[1], top[1], answerWidth, answerHeight);
  const int optLeft[] = {Place{10, 120}.Of(s), Place{6000, 7680}.Of(s)};
  const int optTop[] = {Place{5520, 7560}.Of(s), Place{6960, 9360}.Of(s)};
  // Wide enough for the circle and its letter in Verdana; still clear of the boxes beside.
  for (size_t k = 0; k < optDapAn.Count(); ++k) {
    optDapAn[k].Create(*this, std::wstring(1, static_cast<wchar_t>(L'A' + k)), k == 0, optLeft[k % 2], optTop[k / 2],
                       450, 240);
  }
  const int buttonTop = Place{7800, 10440}.Of(s);
  cmdBack.Create(*this, L"", 240, buttonTop, 1455, 375);
  cmdUpdate.Create(*this, L"", 1800, buttonTop, 2535, 375);
  cmdMainMenu.Create(*this, L"", 4560, buttonTop, 2415, 375);
  cmdQuit.Create(*this, L"", 7320, buttonTop, 2175, 375);
  // The page comes last in the tab order.
  SetWindowPos(DHTML.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  txtCauHoi[0].TakeTab();
  for (size_t k = 0; k < txtCauHoi.Count(); ++k) {
    const int index = static_cast<int>(k);
    txtCauHoi[k].SetBackColor(RGB(255, 255, 255));
    txtCauHoi[k].OnGotFocus = [this, index] { txtCauHoi_GotFocus(index); };
    txtCauHoi[k].OnChange = [this] { Changed(); };
  }
  optDapAn.OnClick([this](int index) { optDapAn_Click(index); });
}

void Screen::GiaoDien() {
  // The common part sets the buttons, the colour and the font.
  for (size_t k = 0; k < optDapAn.Count(); ++k) optDapAn[k].SetBackColor(mdlMain::ProgramOptions.backColor);
}

void Screen::Form_Load() {
  chosen_.clear();
  LoadCommon();
  GiaoDien();
  Preview();
}

std::array<std::wstring, 5> Screen::ConvertedTexts() const {
  std::array<std::wstring, 5> texts;
  for (size_t k = 0; k < texts.size(); ++k) texts[k] = EntryConversion(txtCauHoi[k].Text());
  return texts;
}

void Screen::Preview() { ShowPreviewPage(PreviewPage(ConvertedTexts(), chosen_, L"")); }

void Screen::optDapAn_Click(int index) {
  chosen_ = std::wstring(1, static_cast<wchar_t>(L'A' + index));
  Changed();
}

void Screen::cmdUpdate_Click() {
  std::array<std::wstring, 5> typed;
  for (size_t k = 0; k < typed.size(); ++k) typed[k] = txtCauHoi[k].Text();
  if (FirstBlank(typed) >= 0) {
    UniMsgBox(BlankMessage, mUniMsgBox::Information);
    return;
  }
  if (chosen_.empty()) {
    UniMsgBox(NoKeyMessage, mUniMsgBox::Information);
    return;
  }
  const std::array<std::wstring, 5> texts = ConvertedTexts();
  frmEditTN::AddQues(texts[0], texts[1], texts[2], texts[3], texts[4], chosen_);
  ReturnToEditor();
}

}  // namespace frmAdd
