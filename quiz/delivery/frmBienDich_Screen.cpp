#include "delivery/frmBienDich_Screen.h"

#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"

namespace frmBienDich {

namespace {

constexpr int kClientWidth = 6585;
constexpr int kClientHeight = 4440;
// The frame's place; the output groups lie relative to it.
constexpr int kFrameLeft = 2880, kFrameTop = 720;

}  // namespace

Screen& Get() {
  static Screen screen;
  return screen;
}

void Show() { Get().Show(); }

Screen::Screen() : tq::Form(L"Tessaro", kClientWidth, kClientHeight), state_(*this, mdlMain::AppTempFolder()) {}

void Screen::CreateControls() {
  txtPath.Create(*this, false, 120, 120, 5295, 375);
  cmdPath.Create(*this, L"...", 5520, 120, 975, 375);
  Nhan.Create(*this, L"", 120, 600, 2895, 255);
  lstDS.Create(*this, 120, 840, 2655, 3495);
  UniFrame1.Create(*this, L"Tuy chon :", kFrameLeft, kFrameTop, 3615, 3135);
  optKieu[0].Create(*this, L"Copy to a folder.", true, kFrameLeft + 120, kFrameTop + 240, 1935, 240);
  ckHTML.Create(*this, L"HTML", kFrameLeft + 2520, kFrameTop + 240, 855, 240);
  txtOutPath[0].Create(*this, false, kFrameLeft + 120, kFrameTop + 600, 3375, 375);
  txtName.Create(*this, false, kFrameLeft + 960, kFrameTop + 1080, 2535, 375);
  UniLabel2.Create(*this, L"Name :", kFrameLeft + 120, kFrameTop + 1200, 855, 255);
  cmdChange[0].Create(*this, L"Change Path", kFrameLeft + 120, kFrameTop + 1560, 3375, 255);
  // No new group: the boxes between the two option buttons leave them one choice.
  optKieu[1].Create(*this, L"Package to 1 file.", false, kFrameLeft + 120, kFrameTop + 1920, 2055, 240);
  txtOutPath[1].Create(*this, false, kFrameLeft + 120, kFrameTop + 2280, 3375, 375);
  cmdChange[1].Create(*this, L"Change Path", kFrameLeft + 120, kFrameTop + 2760, 3375, 255);
  cmdDoIt.Create(*this, L"", 2880, 3960, 1455, 375);
  cmdBack.Create(*this, L"", 4440, 3960, 2055, 375);
  tq::PaintThrough(UniFrame1);

  cmdPath.OnClick = [this] { cmdPath_Click(); };
  optKieu.OnClick([this](int index) { optKieu_Click(index); });
  cmdChange.OnClick([this](int index) { cmdChange_Click(index); });
  cmdDoIt.OnClick = [this] { cmdDoIt_Click(); };
  cmdBack.OnClick = [this] { cmdBack_Click(); };
  font_.Apply(*this);
}

void Screen::Form_Load() {
  tq::SizeForClient(*this, kClientWidth, kClientHeight);
  state_.SetAppTemp(mdlMain::AppTempFolder());
  state_.Form_Load();
  cmdDoIt.SetEnabled(false);
  optKieu[1].SetValue(true);
  optKieu_Click(1);
  GiaoDien();
}

void Screen::GiaoDien() {
  Nhan.SetCaption(L"Danh sách file đính kèm : ");
  cmdDoIt.SetCaption(L"Biên dịch");
  cmdBack.SetCaption(L"Trở về Menu chính");
  const COLORREF back = mdlMain::ProgramOptions.backColor;
  SetBackColor(back);
  for (tq::Control* control : {static_cast<tq::Control*>(&UniFrame1), static_cast<tq::Control*>(&optKieu[0]),
                               static_cast<tq::Control*>(&optKieu[1]), static_cast<tq::Control*>(&ckHTML)}) {
    control->SetBackColor(back);
  }
}

void Screen::optKieu_Click(int index) {
  state_.optKieu_Click(index);
  const bool folder = state_.Mode() == OutputMode::Folder;
  for (tq::Control* control : {static_cast<tq::Control*>(&ckHTML), static_cast<tq::Control*>(&txtOutPath[0]),
                               static_cast<tq::Control*>(&txtName), static_cast<tq::Control*>(&cmdChange[0])}) {
    control->SetEnabled(folder);
  }
  txtOutPath[1].SetEnabled(!folder);
  cmdChange[1].SetEnabled(!folder);
}

int Screen::UniMsgBox(std::wstring_view text, int style) {
  return mUniMsgBox::UnicodeMsgBox(std::wstring(text), static_cast<UINT>(style), L"Tessaro", Hwnd());
}

std::wstring Screen::ShowOpen(std::wstring_view filter) {
  CDBox.Filter = filter;
  CDBox.ShowOpen(Hwnd());
  std::wstring chosen = CDBox.FileName;
  CDBox.FileName.clear();
  return chosen;
}

std::wstring Screen::ShowSave(std::wstring_view filter) {
  CDBox.Filter = filter;
  // The screen asks its own question about an existing package.
  CDBox.AskOverwrite = false;
  CDBox.ShowSave(Hwnd());
  std::wstring chosen = CDBox.FileName;
  CDBox.FileName.clear();
  return chosen;
}

std::wstring Screen::ShowFolder() {
  CDBox.ShowFolder(Hwnd());
  std::wstring chosen = CDBox.Folder;
  CDBox.Folder.clear();
  return chosen;
}

void Screen::DaDocFile(const std::wstring& path, const std::vector<std::wstring>& names) {
  txtPath.SetText(path);
  lstDS.Clear();
  for (const std::wstring& name : names) lstDS.AddItem(name);
  cmdDoIt.SetEnabled(true);
}

void Screen::SetOutPath(int index, const std::wstring& path) { txtOutPath[static_cast<size_t>(index)].SetText(path); }

CompileInput Screen::Input() const {
  return {txtOutPath[0].Text(), txtName.Text(), ckHTML.Value() == 1, txtOutPath[1].Text()};
}

void Screen::cmdPath_Click() { state_.cmdPath_Click(); }

void Screen::cmdChange_Click(int index) { state_.cmdChange_Click(index); }

void Screen::cmdDoIt_Click() { state_.cmdDoIt_Click(Input()); }

void Screen::cmdBack_Click() {
  if (Unload()) frmMain::Show();
}

}  // namespace frmBienDich
