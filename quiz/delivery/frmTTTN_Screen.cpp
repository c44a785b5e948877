#include "delivery/frmTTTN_Screen.h"

#include <commctrl.h>

#include "authoring/frmMain.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "delivery/BoxNumber.h"
#include "delivery/frmLamTN_Screen.h"
#include "runtime/App.h"

namespace frmTTTN {

namespace {

// Client area until a bank is open, the window's height after, in twips.
constexpr int kSmallClientWidth = 5625;
constexpr int kSmallClientHeight = 2025;
constexpr int kOpenHeight = 6120;
// Tops of the Back and Quit buttons before and after a bank is opened.
constexpr int kButtonTopClosed = 1560;
constexpr int kButtonTopOpen = 5280;
// The frames' places; their controls lie relative to them.
constexpr int kTimeLeft = 120, kTimeTop = 1560;
constexpr int kCountLeft = 120, kCountTop = 2880;

}  // namespace

Screen& Get() {
  static Screen screen;
  return screen;
}

void Show() { Get().Show(); }

void NapDuongDan(const std::wstring& path) { Get().NapDuongDan(path); }

Screen::Screen() : tq::Form(L"Tessaro", kSmallClientWidth, kSmallClientHeight), state_(*this, ProgramPlaces()) {}

void Screen::CreateControls() {
  Nhan[0].Create(*this, L"", 120, 240, 1455, 255);
  txtTen.Create(*this, false, 1680, 160, 3855, 330);
  Nhan[1].Create(*this, L"", 120, 720, 735, 255);
  txtLop.Create(*this, false, 840, 600, 1335, 375);
  Nhan[2].Create(*this, L"", 2280, 720, 975, 255);
  txtSBD.Create(*this, false, 3240, 600, 2295, 375);
  txtPath.Create(*this, false, 120, 1080, 4455, 375);
  cmdPath.Create(*this, L"...", 4680, 1080, 855, 375);

  Khung[0].Create(*this, L"", kTimeLeft, kTimeTop, 5415, 1215);
  Nhan[3].Create(*this, L"", kTimeLeft + 120, kTimeTop + 480, 2175, 255);
  txtTime.Create(*this, kTimeLeft + 2400, kTimeTop + 360, 975, 330, 0, 255);
  ckNoTime.Create(*this, L"", kTimeLeft + 120, kTimeTop + 840, 5175, 240);

  Khung[1].Create(*this, L"", kCountLeft, kCountTop, 5415, 2295);
  Nhan[4].Create(*this, L"", kCountLeft + 120, kCountTop + 480, 2055, 255);
  txtTu.Create(*this, false, kCountLeft + 2280, kCountTop + 360, 975, 375);
  Nhan[5].Create(*this, L"", kCountLeft + 3360, kCountTop + 480, 855, 255);
  txtDen.Create(*this, false, kCountLeft + 4320, kCountTop + 360, 975, 375);
  ckRandom.Create(*this, L"", kCountLeft + 120, kCountTop + 840, 5175, 240);
  Nhan[6].Create(*this, L"", kCountLeft + 120, kCountTop + 1320, 1575, 255);
  txtSoCau.Create(*this, false, kCountLeft + 1800, kCountTop + 1200, 1215, 375);
  lblTrungBinh.Create(*this, L"", kCountLeft + 120, kCountTop + 1800, 5175, 375);

  cmdLamBai.Create(*this, L"", 120, kButtonTopOpen, 1335, 375);
  cmdBack.Create(*this, L"", 1560, kButtonTopClosed, 2535, 375);
  cmdQuit.Create(*this, L"", 4200, kButtonTopClosed, 1335, 375);

  tq::PaintThrough(Khung[0]);
  tq::PaintThrough(Khung[1]);

  cmdPath.OnClick = [this] { cmdPath_Click(); };
  cmdLamBai.OnClick = [this] { cmdLamBai_Click(); };
  cmdBack.OnClick = [this] { cmdBack_Click(); };
  cmdQuit.OnClick = [this] { cmdQuit_Click(); };
  ckNoTime.OnClick = [this] { ckNoTime_Click(); };
  ckRandom.OnClick = [this] { ckRandom_Click(); };
  // The average follows the boxes while they hold something to divide by.
  for (tq::TextBox* box : {&txtTu, &txtDen, &txtSoCau}) {
    box->OnChange = [this, box] {
      if (tq::ReadBoxNumber(box->Text()).value > 0) TinhTrungBinh();
    };
  }
  txtTime.OnChange = [this] {
    if (tq::ReadBoxNumber(Input().minutes).value != 0) TinhTrungBinh();
  };
  font_.Apply(*this);
}

void Screen::GiaoDien() {
  const wchar_t* captions[] = {L"Tên thí sinh :",      L"Lớp :",   L"Mã số :",     L"Thời gian làm bài :",
                               L"Bạn muốn làm từ câu", L"đến câu", L"Số câu hỏi :"};
  for (size_t k = 0; k < Nhan.Count(); ++k) Nhan[k].SetCaption(captions[k]);
  Khung[0].SetCaption(L"Thời gian làm bài :");
  Khung[1].SetCaption(L"Chọn số câu hỏi :");
  ckNoTime.SetCaption(L"Không tính thời gian làm bài");
  ckRandom.SetCaption(L"Ngẫu nhiên thứ tự câu");
  cmdLamBai.SetCaption(L"Làm bài");
  cmdBack.SetCaption(L"Trở về Menu chính");
  cmdQuit.SetCaption(L"Thoát");
  txtPath.SetText(std::wstring(NoFileText));

  const COLORREF back = mdlMain::ProgramOptions.backColor;
  SetBackColor(back);
  for (tq::Control* control :
       {static_cast<tq::Control*>(&Khung[0]), static_cast<tq::Control*>(&Khung[1]), static_cast<tq::Control*>(&txtPath),
        static_cast<tq::Control*>(&ckRandom), static_cast<tq::Control*>(&ckNoTime)}) {
    control->SetBackColor(back);
  }
  txtTen.SetText(mdlMain::ProgramOptions.userName);
  txtLop.SetText(mdlMain::ProgramOptions.className);
  txtSBD.SetText(mdlMain::ProgramOptions.candidateNumber);
}

void Screen::Form_Load() {
  GiaoDien();
  state_.SetPlaces(ProgramPlaces());
  state_.Form_Load();
  tq::SizeForClient(*this, kSmallClientWidth, kSmallClientHeight);
  ShowFrames(false);
}

void Screen::Form_Unload(bool&) { state_.Form_Unload(); }

void Screen::ShowFrames(bool shown) {
  tq::Control* framed[] = {&Khung[0], &Nhan[3], &txtTime,  &ckNoTime, &Khung[1], &Nhan[4],      &txtTu,
                           &Nhan[5],  &txtDen,  &ckRandom, &Nhan[6],  &txtSoCau, &lblTrungBinh, &cmdLamBai};
  for (tq::Control* control : framed) control->SetVisible(shown);
  // The up-down's arrows are a window of their own beside the box.
  if (HWND arrows = FindWindowExW(Hwnd(), nullptr, UPDOWN_CLASSW, nullptr)) {
    ShowWindow(arrows, shown ? SW_SHOWNA : SW_HIDE);
  }
}

int Screen::UniMsgBox(std::wstring_view text, int style) {
  return mUniMsgBox::UnicodeMsgBox(std::wstring(text), static_cast<UINT>(style), L"Tessaro", Hwnd());
}

std::wstring Screen::ShowOpen(std::wstring_view filter) {
  CDBox.Filter = filter;
  CDBox.ShowOpen(Hwnd());
  return CDBox.FileName;
}

void Screen::DaMoFile(const std::wstring& path, int bankCount) {
  txtPath.SetText(path);
  CDBox.FileName.clear();
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN) * tq::TwipsPerPixelX();
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN) * tq::TwipsPerPixelY();
  Move((screenWidth - Width()) / 2, (screenHeight - kOpenHeight) / 2, Width(), kOpenHeight);
  cmdBack.Move(cmdBack.Left(), kButtonTopOpen, cmdBack.Width(), cmdBack.Height());
  cmdQuit.Move(cmdQuit.Left(), kButtonTopOpen, cmdQuit.Width(), cmdQuit.Height());
  ShowFrames(true);
  const std::wstring count = std::to_wstring(bankCount);
  txtSoCau.SetText(count);
  Khung[1].SetCaption(QuestionFrameCaption(bankCount));
  txtDen.SetText(count);
  txtTu.SetText(L"1");
  TinhTrungBinh();
}

void Screen::NapDuongDan(const std::wstring& path) {
  // A plain bank that cannot be opened ends the set-up, and with it the program.
  if (!state_.NapDuongDan(path)) Unload();
}

void Screen::cmdPath_Click() { state_.cmdPath_Click(); }

SetupInput Screen::Input() const {
  SetupInput input;
  input.path = txtPath.Text();
  input.from = txtTu.Text();
  input.to = txtDen.Text();
  input.count = txtSoCau.Text();
  // The box as typed: the arrows stop at 255, a typed number need not.
  wchar_t minutes[64] = L"";
  if (txtTime.Hwnd()) GetWindowTextW(txtTime.Hwnd(), minutes, 64);
  input.minutes = minutes;
  input.random = ckRandom.Value() == 1;
  input.noTime = ckNoTime.Value() == 1;
  return input;
}

void Screen::TinhTrungBinh() {
  if (const std::optional<std::wstring> label = frmTTTN::TinhTrungBinh(Input())) lblTrungBinh.SetCaption(*label);
}

void Screen::ckNoTime_Click() {
  const bool noTime = ckNoTime.Value() == 1;
  txtTime.SetEnabled(!noTime);
  TinhTrungBinh();
  if (noTime) lblTrungBinh.SetCaption(L"");
}

void Screen::ckRandom_Click() {
  const bool random = ckRandom.Value() == 1;
  Nhan[6].SetEnabled(random);
  txtSoCau.SetEnabled(random);
}

void Screen::cmdLamBai_Click() {
  frmLamTN::Screen& test = frmLamTN::Get();
  test.Session().SetAppTemp(mdlMain::AppTempFolder());
  if (!state_.cmdLamBai_Click(Input(), test.Session())) return;
  const CandidateLabels labels = CandidateLabelsOf(txtTen.Text(), txtLop.Text(), txtSBD.Text());
  test.SetCandidate(labels.lblTenTS, labels.lblLop, labels.lblMaSo);
  Unload();
  try {
    test.Show();
  } catch (...) {
    // The test screen could not be made (it left no window behind): its test
    // goes with a package's unpacked files, the error is told, and the
    // set-up comes back, so the program never runs on without a window.
    test.Session().Abandon();
    tq::App::Get().HandleException();
    Show();
  }
}

void Screen::cmdBack_Click() {
  if (Unload()) frmMain::Show();
}

void Screen::cmdQuit_Click() {
  Unload();
  tq::App::Get().Quit();
}

}  // namespace frmTTTN
