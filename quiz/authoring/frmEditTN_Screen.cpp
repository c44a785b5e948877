#include "authoring/frmEditTN_Screen.h"

#include "authoring/frmAdd.h"
#include "authoring/frmEdit.h"
#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mnuUnicode.h"

namespace frmEditTN {

Screen& Get() {
  static Screen screen;
  return screen;
}

Screen::Screen() : tq::Form(L"Tessaro", 15360, 11520), editor_(*this) {}

void Screen::CreateControls() {
  const bool s = mdlMain::UsesSmallLayout(mdlMain::ProgramOptions);
  auto run = [this](void (Editor::*handler)()) { return [this, handler] { Run([&] { (editor_.*handler)(); }); }; };
  std::vector<tq::MenuItem> fields;
  const wchar_t* fieldCaptions[] = {L"Ca6u ho3i", L"Ca6u A", L"Ca6u B", L"Ca6u C", L"Ca6u D"};
  const wchar_t fieldKeys[] = {L'F', L'G', L'H', L'J', L'K'};
  for (int k = 0; k < 5; ++k) {
    fields.push_back({fieldCaptions[k], [this, k] { Run([&] { editor_.mnuEditQues_Click(k); }); }, {}, fieldKeys[k],
                      true, L"mnuEditQues" + std::to_wstring(k)});
  }
  SetMenuBar({
      {L"&Ta65p tin",
       nullptr,
       {{L"&Ta5o mo71i", run(&Editor::mnuNew_Click), {}, L'N', true, L"mnuNew"},
        {L"-"},
        {L"&Mo73 d9e62", run(&Editor::mnuOpen_Click), {}, L'O', true, L"mnuOpen"},
        {L"&Lu7u", run(&Editor::mnuSave_Click), {}, L'S', true, L"mnuSave", false},
        {L"Lu7u d9e2", run(&Editor::mnuSaveas_Click), {}, VK_F12, false, L"mnuSaveas", false},
        {L"&D9o1ng ta65p tin", run(&Editor::mnuClose_Click), {}, L'D', true, L"mnuClose", false},
        {L"-"},
        {L"Menu chi1nh", run(&Editor::mnuMainMenu_Click), {}, 0, true, L"mnuMainMenu"},
        {L"&Thoa1t", run(&Editor::mnuQuit_Click), {}, L'Q', true, L"mnuQuit"}},
       0,
       true,
       L"mnuFile"},
      {L"&Chi3nh su73a d9e62",
       nullptr,
       {{L"The6m ca6u ho3i", run(&Editor::mnuAdd_Click), {}, L'T', true, L"mnuAdd"},
        {L"Su73a ca6u ho3i", nullptr, fields, 0, true, L"mnuEdit"},
        {L"&Xo1a ca6u ho3i", run(&Editor::mnuDelete_Click), {}, L'R', true, L"mnuDelete", false}},
       0,
       true,
       L"mnuEditQ",
       false},
  });

  cmdTruoc.Create(*this, L"", 120, 120, 1575, 375);
  cmdSau.Create(*this, L"", 1800, 120, 1695, 375);
  txtCauSo.Create(*this, false, 3600, 120, 975, 375);
  lblSoCau.Create(*this, L"", 4680, 240, 1095, 255);
  Nhan.Create(*this, L"", tq::Place{6960, 10320}.Of(s), 240, 1215, 255);
  const int keyLeft = tq::Place{8520, 11880}.Of(s);
  for (size_t k = 0; k < cmdDapAn.Count(); ++k) {
    cmdDapAn[k].Create(*this, std::wstring(1, static_cast<wchar_t>(L'A' + k)), keyLeft + 840 * static_cast<int>(k), 120,
                       735, 375);
  }
  DHTML.Create(*this, 120, 600, tq::Place{11655, 15015}.Of(s), tq::Place{7455, 10095}.Of(s));

  txtCauSo.SetBackColor(RGB(255, 255, 255));
  cmdTruoc.OnClick = run(&Editor::cmdTruoc_Click);
  cmdSau.OnClick = run(&Editor::cmdSau_Click);
  txtCauSo.OnChange = [this] {
    if (!syncing_) Run([&] { editor_.txtCauSo_Change(txtCauSo.Text()); });
  };
  cmdDapAn.OnClick([this](int index) { Run([&] { editor_.cmdDapAn_Click(index); }); });

  bold_.Apply(cmdTruoc);
  bold_.Apply(cmdSau);
  small_.Apply(txtCauSo);
  small_.Apply(lblSoCau);
  title_.Apply(Nhan);
  for (size_t k = 0; k < cmdDapAn.Count(); ++k) keys_.Apply(cmdDapAn[k]);
}

void Screen::GiaoDien() {
  cmdTruoc.SetCaption(L"Câu trước");
  cmdSau.SetCaption(L"Câu sau");
  Nhan.SetCaption(L"Đáp án : ");
  SetBackColor(mdlMain::ProgramOptions.backColor);
}

void Screen::Form_Load() {
  Run([&] { editor_.Form_Load(); });
  GiaoDien();
  mnuUnicode::MenuToUnicode(Hwnd());
  tq::FillWorkArea(*this);
}

void Screen::Form_Unload(bool& cancel) {
  const CloseResult result = editor_.Form_Unload();
  if (result == CloseResult::Stay) {
    cancel = true;
    Sync();
    return;
  }
  if (result == CloseResult::CloseToMainMenu) frmMain::Show();
}

void Screen::Sync() {
  if (!Loaded()) return;
  const EditorDisplay& d = editor_.Display();
  syncing_ = true;
  if (txtCauSo.Text() != d.txtCauSo) txtCauSo.SetText(d.txtCauSo);
  syncing_ = false;
  if (lblSoCau.Caption() != d.lblSoCau) lblSoCau.SetCaption(d.lblSoCau);
  for (tq::Control* control : {static_cast<tq::Control*>(&txtCauSo), static_cast<tq::Control*>(&lblSoCau),
                               static_cast<tq::Control*>(&DHTML), static_cast<tq::Control*>(&Nhan)}) {
    control->SetVisible(d.questionView);
  }
  cmdTruoc.SetVisible(d.questionView && d.cmdTruoc);
  cmdSau.SetVisible(d.questionView && d.cmdSau);
  for (size_t k = 0; k < cmdDapAn.Count(); ++k) {
    cmdDapAn[k].SetVisible(d.questionView);
    cmdDapAn[k].SetEnabled(d.cmdDapAn[k]);
  }
  const MenuState& m = d.menu;
  const std::pair<const wchar_t*, bool> items[] = {{L"mnuSave", m.mnuSave},     {L"mnuSaveas", m.mnuSaveas},
                                                   {L"mnuClose", m.mnuClose},   {L"mnuEditQ", m.mnuEditQ},
                                                   {L"mnuEdit", m.mnuEdit},     {L"mnuDelete", m.mnuDelete}};
  for (const auto& [name, enabled] : items) {
    if (MenuEnabled(name) != enabled) SetMenuEnabled(name, enabled);
  }
}

int Screen::UniMsgBox(std::wstring_view text, int style) {
  Sync();
  return mUniMsgBox::UnicodeMsgBox(std::wstring(text), static_cast<UINT>(style), L"Tessaro", Hwnd());
}

bool Screen::ShowPage(const std::wstring& html) {
  if (!mdlMain::WriteTempPage(html)) return false;
  return DHTML.Navigate(mdlMain::TempPage);
}

std::wstring Screen::ChooseFile(std::wstring_view filter, bool save) {
  CDBox.Filter = filter;
  save ? CDBox.ShowSave(Hwnd()) : CDBox.ShowOpen(Hwnd());
  std::wstring name = CDBox.FileName;
  CDBox.FileName.clear();
  return name;
}

void Screen::OpenAdd() {
  Sync();
  Hide();
  frmAdd::Show();
}

void Screen::OpenEdit(const QuestionRecord& record, int field, const std::wstring& folder) {
  Sync();
  Hide();
  frmEdit::NapDuLieu(record.CauHoi, record.CauA, record.CauB, record.CauC, record.CauD, std::wstring(1, record.DapAn),
                     field, folder);
  frmEdit::Show();
}

void Show() { Get().Show(); }

void AddQues(std::wstring_view question, std::wstring_view answerA, std::wstring_view answerB,
             std::wstring_view answerC, std::wstring_view answerD, std::wstring_view key) {
  Screen& screen = Get();
  screen.Run([&] { screen.Logic().AddQues(question, answerA, answerB, answerC, answerD, key); });
}

void EditQues(std::wstring_view text, int field) {
  Screen& screen = Get();
  screen.Run([&] { screen.Logic().EditQues(text, field); });
}
tq::IoStatus LuuLai() { return Get().Logic().LuuLai(); }
void Tat() { Get().Logic().Tat(); }
void SetMainMenuFlag() { Get().Logic().SetMainMenuFlag(); }
const EditorBank& Bank() { return Get().Logic().Bank(); }

}  // namespace frmEditTN
