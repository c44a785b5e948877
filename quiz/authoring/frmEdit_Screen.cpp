#include "authoring/frmEdit_Screen.h"

#include "authoring/frmEdit.h"
#include "authoring/frmEditTN.h"
#include "authoring/mdlMain.h"

namespace frmEdit {

Screen& Get() {
  static Screen screen;
  return screen;
}

Screen::Screen() = default;

void Screen::CreateControls() {
  const bool s = mdlMain::UsesSmallLayout(mdlMain::ProgramOptions);
  using tq::Place;
  MakeMenuBar();
  const int width = Place{11655, 15015}.Of(s);
  DHTML.Create(*this, 120, 120, width, Place{5055, 6975}.Of(s));
  txtEdit.Create(*this, true, 120, Place{5280, 7200}.Of(s), width, Place{2295, 3015}.Of(s));
  const int buttonTop = Place{7680, 10320}.Of(s);
  cmdUpdate.Create(*this, L"", 120, buttonTop, 2895, 375);
  cmdBack.Create(*this, L"", 3120, buttonTop, 3135, 375);
  cmdMainMenu.Create(*this, L"", 6360, buttonTop, 2535, 375);
  cmdQuit.Create(*this, L"", 9000, buttonTop, 2535, 375);
  txtEdit.SetBackColor(RGB(255, 255, 255));
  txtEdit.OnChange = [this] { Changed(); };
}

void Screen::Form_Load() { LoadCommon(); }

void Screen::NapDuLieu(const std::array<std::wstring, 5>& texts, const std::wstring& key, int field,
                       const std::wstring& folder) {
  texts_ = texts;
  key_ = key;
  folder_ = folder;
  field_ = field >= 0 && field <= 4 ? field : 0;
  if (!Loaded()) Show();
  txtEdit.SetText(BoxText(texts_[static_cast<size_t>(field_)]));
  Preview();
}

void Screen::Preview() {
  texts_[static_cast<size_t>(field_)] = frmAdd::EntryConversion(txtEdit.Text());
  ShowPreviewPage(frmAdd::PreviewPage(texts_, key_, folder_));
}

void Screen::cmdUpdate_Click() {
  if (!mdlMain::IsBlank(txtEdit.Text())) frmEditTN::EditQues(frmAdd::EntryConversion(txtEdit.Text()), field_);
  ReturnToEditor();
}

}  // namespace frmEdit
