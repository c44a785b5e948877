#include "delivery/frmLamTN_Screen.h"

#include "authoring/Launchers.h"
#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "delivery/MarkPictures.h"

namespace frmLamTN {

namespace {

// One position of the layout table: the 800 x 600 value, then the 1024 x 768 one.
struct Place {
  int small, large;
  int Of(bool smallLayout) const { return smallLayout ? small : large; }
};

void SetCaptionIfChanged(tq::Label& label, const std::wstring& caption) {
  if (label.Caption() != caption) label.SetCaption(caption);
}

}  // namespace

Screen& Get() {
  static Screen screen;
  return screen;
}

Screen::Screen() : tq::Form(L"Tessaro", 15360, 11520), session_(*this, mdlMain::AppTempFolder()) {}

void Screen::CreateControls() {
  const bool s = mdlMain::UsesSmallLayout(mdlMain::ProgramOptions);
  DHTML.Create(*this, 120, 480, Place{11655, 15015}.Of(s), Place{6255, 8775}.Of(s));
  lblTime.Create(*this, L"", Place{10200, 13560}.Of(s), 0, 1695, 375);

  const int khungTop = Place{6960, 9600}.Of(s);
  Khung.Create(*this, L"", 120, khungTop, 3495, 975);
  for (size_t k = 0; k < cmdChon.Count(); ++k) {
    cmdChon[k].Create(*this, std::wstring(1, static_cast<wchar_t>(L'A' + k)), 120 + 120 + 840 * static_cast<int>(k),
                      khungTop + 240, 735, 615);
  }
  cmdLamXong.Create(*this, L"", Place{3840, 6720}.Of(s), Place{6960, 9960}.Of(s), 1695, 495);
  cmdBack.Create(*this, L"", Place{3840, 4320}.Of(s), Place{7560, 9960}.Of(s), 1695, Place{375, 495}.Of(s));
  const int rowTop = Place{8040, 10680}.Of(s);
  cmdTruoc.Create(*this, L"", 120, rowTop, 1575, 375);
  cmdSau.Create(*this, L"", 1800, rowTop, 1575, 375);
  txtCauSo.Create(*this, false, 3480, rowTop, 855, 375);
  lblSoCau.Create(*this, L"", 4440, Place{8160, 10800}.Of(s), 1215, 255);

  // The tab buttons lie on the panels' top edge. Sibling windows made earlier
  // lie above those made later: the tabs come first, and the panels leave
  // out of their painting the siblings above them, so the tabs stay whole.
  const int panelLeft = Place{5640, 9000}.Of(s);
  const int panelTop = Place{6720, 9360}.Of(s);
  const int tabLeft[] = {Place{5880, 9240}.Of(s), Place{7800, 11160}.Of(s), Place{9720, 13080}.Of(s)};
  const wchar_t* tabCaption[] = {L"Thông tin thí sinh", L"Thông tin bài làm", L"Công cụ"};
  for (size_t k = 0; k < cmdTab.Count(); ++k) {
    cmdTab[k].Create(*this, tabCaption[k], tabLeft[k], panelTop, k == 2 ? 1215 : 1935, 255);
  }
  for (size_t k = 0; k < Frame.Count(); ++k)
    Frame[k].Create(*this, L"", panelLeft, panelTop, 6135, k == 1 ? 1455 : 1575);

  lblTenTS.Create(*this, L"", panelLeft + 120, panelTop + 480, 5895, 255);
  lblLop.Create(*this, L"", panelLeft + 120, panelTop + 840, 5895, 255);
  lblMaSo.Create(*this, L"", panelLeft + 120, panelTop + 1200, 5895, 255);

  lblNhan[0].Create(*this, L"", panelLeft + 240, panelTop + 360, 1695, 255);
  cbo1.Create(*this, panelLeft + 1920, panelTop + 240, 2055, 360);
  lblNhan[1].Create(*this, L"", panelLeft + 240, panelTop + 960, 1695, 255);
  cbo2.Create(*this, panelLeft + 1920, panelTop + 840, 2055, 360);
  imgTrue.Create(*this, panelLeft + 4800, panelTop + 240, 690, 705);
  imgFalse.Create(*this, panelLeft + 4800, panelTop + 360, 570, 585);
  lblDapAn.Create(*this, L"", panelLeft + 4320, panelTop + 1080, 1695, 255);

  cmdCal.Create(*this, L"", panelLeft + 360, panelTop + 480, 2775, 855);
  cmdGragh.Create(*this, L"", panelLeft + 3360, panelTop + 480, 2535, 855);
  tmrTime.Create(*this, 1000);

  tq::PaintThrough(Khung);
  for (size_t k = 0; k < Frame.Count(); ++k) {
    tq::PaintThrough(Frame[k]);
    SetWindowLongW(Frame[k].Hwnd(), GWL_STYLE, GetWindowLongW(Frame[k].Hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
  }

  cmdChon.OnClick([this](int index) { cmdChon_Click(index); });
  cmdTab.OnClick([this](int index) { cmdTab_Click(index); });
  txtCauSo.OnChange = [this] { txtCauSo_Change(); };
  cbo1.OnClick = [this] { cbo_Click(cbo1); };
  cbo2.OnClick = [this] { cbo_Click(cbo2); };
  cmdTruoc.OnClick = [this] { cmdNavigate_Click(false); };
  cmdSau.OnClick = [this] { cmdNavigate_Click(true); };
  cmdLamXong.OnClick = [this] { cmdLamXong_Click(); };
  cmdBack.OnClick = [this] { cmdBack_Click(); };
  cmdCal.OnClick = [this] { Launchers::RunTool(Launchers::Calculator, Hwnd()); };
  cmdGragh.OnClick = [this] { Launchers::RunTool(Launchers::Grapher, Hwnd()); };
  tmrTime.OnTimer = [this] { tmrTime_Timer(); };
  font_.Apply(*this);
}

void Screen::GiaoDien() {
  cmdTruoc.SetCaption(L"Câu trước");
  cmdSau.SetCaption(L"Câu sau");
  cmdLamXong.SetCaption(L"Chấm điểm");
  cmdBack.SetCaption(L"Menu chính");
  cmdCal.SetCaption(L"Máy tính");
  cmdGragh.SetCaption(L"Vẽ đồ thị");
  Khung.SetCaption(L"Lựa chọn của bạn :");
  lblNhan[0].SetCaption(std::wstring(AnsweredCaption));
  lblNhan[1].SetCaption(std::wstring(UnansweredCaption));
  const COLORREF back = mdlMain::ProgramOptions.backColor;
  SetBackColor(back);
  Khung.SetBackColor(back);
}

void Screen::Form_Load() {
  GiaoDien();
  const COLORREF back = mdlMain::ProgramOptions.backColor;
  imgTrue.SetBackColor(back);
  imgFalse.SetBackColor(back);
  imgTrue.SetPicture(MarkPicture(true, back));
  imgFalse.SetPicture(MarkPicture(false, back));
  lblTenTS.SetCaption(candidate_[0]);
  lblLop.SetCaption(candidate_[1]);
  lblMaSo.SetCaption(candidate_[2]);
  panel_ = 0;
  shown1_.clear();
  shown2_.clear();
  // The test was prepared before the window existed: its page and countdown start now.
  if (session_.QuestionCount() > 0) DHTML.Navigate(mdlMain::TempPage, PageFolder());
  tmrTime.SetEnabled(session_.TimerOn());
  Sync();
  // The screen takes the whole work area, as a maximized window does.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Move(work.left * tq::TwipsPerPixelX(), work.top * tq::TwipsPerPixelY(),
       (work.right - work.left) * tq::TwipsPerPixelX(), (work.bottom - work.top) * tq::TwipsPerPixelY());
}

void Screen::Form_Unload(bool& cancel) {
  switch (session_.Form_Unload()) {
    case CloseResult::Stay:
      cancel = true;
      Sync();
      break;
    case CloseResult::CloseToMainMenu:
      frmMain::Show();
      break;
    case CloseResult::Close:
      break;
  }
}

void Screen::SetCandidate(const std::wstring& name, const std::wstring& className, const std::wstring& number) {
  candidate_[0] = name;
  candidate_[1] = className;
  candidate_[2] = number;
  lblTenTS.SetCaption(name);
  lblLop.SetCaption(className);
  lblMaSo.SetCaption(number);
}

int Screen::UniMsgBox(std::wstring_view text, int style) {
  // What led to the box (the lists of a grading) shows behind it.
  Sync();
  return mUniMsgBox::UnicodeMsgBox(std::wstring(text), static_cast<UINT>(style), L"Tessaro", Hwnd());
}

void Screen::SetTimer(bool on) { tmrTime.SetEnabled(on); }

bool Screen::ShowPage(const std::wstring& html) {
  if (!mdlMain::WriteTempPage(html)) return false;
  return !DHTML.Exists() || DHTML.Navigate(mdlMain::TempPage, PageFolder());
}

std::wstring Screen::PageFolder() const {
  // The pages lie in the temporary page, but belong to the bank's folder.
  return session_.PageFolder().empty() ? std::wstring() : session_.PageFolder() + L"\\";
}

void Screen::txtCauSo_Change() {
  if (syncing_) return;
  if (!session_.txtCauSo_Change(txtCauSo.Text())) {
    // The box falls back to the question on show, selected so that typing replaces it.
    Sync();
    txtCauSo.Select(0, static_cast<int>(txtCauSo.Text().size()));
    return;
  }
  Sync();
}

void Screen::cmdChon_Click(int index) {
  session_.cmdChon_Click(index);
  Sync();
}

void Screen::cbo_Click(tq::ComboBox& list) {
  const int index = list.ListIndex();
  if (index >= 0) txtCauSo.SetText(list.List(index));
}

void Screen::cmdNavigate_Click(bool next) {
  next ? session_.cmdSau_Click() : session_.cmdTruoc_Click();
  Sync();
}

void Screen::cmdLamXong_Click() {
  session_.cmdLamXong_Click();
  Sync();
}

void Screen::tmrTime_Timer() {
  session_.tmrTime_Timer();
  Sync();
}

void Screen::cmdTab_Click(int index) { ShowPanel(index); }

void Screen::cmdBack_Click() {
  session_.cmdBack_Click();
  Unload();
}

void Screen::Sync() {
  if (!Loaded()) return;
  syncing_ = true;
  const TestDisplay& d = session_.Display();
  if (txtCauSo.Text() != d.txtCauSo) txtCauSo.SetText(d.txtCauSo);
  SetCaptionIfChanged(lblSoCau, d.lblSoCau);
  SetCaptionIfChanged(lblTime, d.lblTime);
  cmdTruoc.SetVisible(d.cmdTruoc);
  cmdSau.SetVisible(d.cmdSau);
  for (size_t k = 0; k < cmdChon.Count(); ++k) cmdChon[k].SetVisible(d.cmdChon[k]);
  cmdLamXong.SetVisible(d.cmdLamXong);
  SetCaptionIfChanged(lblNhan[0], d.lblNhan[0]);
  SetCaptionIfChanged(lblNhan[1], d.lblNhan[1]);
  SyncList(cbo1, d.cbo1, shown1_);
  SyncList(cbo2, d.cbo2, shown2_);
  SetCaptionIfChanged(lblDapAn, d.lblDapAn);
  ShowPanel(panel_);
  syncing_ = false;
}

void Screen::SyncList(tq::ComboBox& list, const std::vector<int>& numbers, std::vector<int>& shown) {
  if (numbers == shown && list.ListCount() == static_cast<int>(numbers.size())) return;
  list.Clear();
  for (int number : numbers) list.AddItem(std::to_wstring(number));
  shown = numbers;
}

void Screen::ShowPanel(int index) {
  panel_ = index;
  const TestDisplay& d = session_.Display();
  for (size_t k = 0; k < Frame.Count(); ++k) Frame[k].SetVisible(static_cast<int>(k) == index);
  for (tq::Control* c : {&lblTenTS, &lblLop, &lblMaSo}) c->SetVisible(index == 0);
  for (tq::Control* c :
       {static_cast<tq::Control*>(&lblNhan[0]), static_cast<tq::Control*>(&lblNhan[1]),
        static_cast<tq::Control*>(&cbo1), static_cast<tq::Control*>(&cbo2), static_cast<tq::Control*>(&lblDapAn)}) {
    c->SetVisible(index == 1);
  }
  imgTrue.SetVisible(index == 1 && d.imgTrue);
  imgFalse.SetVisible(index == 1 && d.imgFalse);
  for (tq::Control* c : {&cmdCal, &cmdGragh}) c->SetVisible(index == 2);
}

}  // namespace frmLamTN
