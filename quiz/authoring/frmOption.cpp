#include "authoring/frmOption.h"

#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "runtime/Xml.h"

namespace frmOption {

Screen& Get() {
  static Screen screen;
  return screen;
}

Screen::Screen() : tq::Form(L"Thiết lập chương trình", 6900, 4560) {}

void Screen::CreateControls() {
  const int rowTop[] = {300, 780, 1260, 1740, 2280};
  for (size_t k = 0; k < Nhan.Count(); ++k) Nhan[k].Create(*this, L"", 300, rowTop[k] + 45, 2100, 300);
  txtUser.Create(*this, false, 2460, rowTop[0], 3960, 360);
  txtLop.Create(*this, false, 2460, rowTop[1], 3960, 360);
  txtMaso.Create(*this, false, 2460, rowTop[2], 3960, 360);
  lblColor.Create(*this, L"", 2460, rowTop[3], 3960, 420);
  lblColor.SetBackColor(mdlMain::DefaultBackColor);
  cboPG.Create(*this, 2460, rowTop[4], 3960, 360);
  cmdOK.Create(*this, L"OK", 3060, 3180, 1560, 480);
  cmdCancel.Create(*this, L"Cancel", 4860, 3180, 1560, 480);
  cmdOK.OnClick = [this] { cmdOK_Click(); };
  cmdCancel.OnClick = [this] { cmdCancel_Click(); };
  lblColor.OnClick = [this] { lblColor_Click(); };
}

void Screen::GiaoDien() {
  const wchar_t* captions[] = {L"Tên người sử dụng :", L"Lớp", L"Mã số :", L"Màu nền :", L"Độ phân giải :"};
  for (size_t k = 0; k < Nhan.Count(); ++k) Nhan[k].SetCaption(captions[k]);
  lblColor.SetCaption(L"Nhấn vào đây để thay đổi màu nền !");
  cboPG.AddItem(L"800 x 600");
  cboPG.AddItem(L"1024 x 768");
}

void Screen::Form_Load() {
  GiaoDien();
  // The screen shows the file, not the settings in use; what the file lacks
  // keeps the controls' first state.
  const std::vector<std::wstring> texts = mdlMain::ReadOptionTexts(mdlMain::OptionsFilePath());
  tq::TextBox* boxes[] = {&txtUser, &txtLop, &txtMaso};
  for (size_t k = 0; k < 3 && k < texts.size(); ++k) boxes[k]->SetText(texts[k]);
  if (texts.size() > 3) {
    if (const std::optional<int32_t> colour = mdlMain::LeadingNumber(texts[3])) {
      lblColor.SetBackColor(static_cast<COLORREF>(*colour));
    }
  }
  if (texts.size() > 4) cboPG.SetListIndex(texts[4] == L"0" ? 0 : 1);
}

void Screen::lblColor_Click() {
  CDBox.Color = lblColor.BackColor();
  if (CDBox.ShowColor(Hwnd())) lblColor.SetBackColor(CDBox.Color);
}

void Screen::cmdOK_Click() {
  mdlMain::Options options;
  options.userName = tq::StripXmlInvalidChars(txtUser.Text());
  options.className = tq::StripXmlInvalidChars(txtLop.Text());
  options.candidateNumber = tq::StripXmlInvalidChars(txtMaso.Text());
  options.backColor = lblColor.BackColor();
  options.layout = cboPG.ListIndex() == 0 ? mdlMain::Layout::Small800x600 : mdlMain::Layout::Large1024x768;
  const tq::IoStatus saved = mdlMain::WriteOptionsFile(mdlMain::OptionsFilePath(), options);
  if (!saved) {
    mUniMsgBox::UnicodeMsgBox(L"Không lưu được thiết lập vào file config.xml :\r\n" + saved.Text(),
                              mUniMsgBox::Information, L"Tessaro", Hwnd());
    return;
  }
  mdlMain::ProgramOptions = options;
  Unload();
  frmMain::Show();
}

void Screen::cmdCancel_Click() {
  Unload();
  frmMain::Show();
}

}  // namespace frmOption
