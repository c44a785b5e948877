// The set-up screen as it stands until it is built: it shows the path it was handed.
#include "authoring/PendingScreen.h"
#include "delivery/frmTTTN.h"

namespace frmTTTN {

namespace {

PendingScreen& Screen() {
  static PendingScreen screen(L"Làm bài tập trắc nghiệm");
  return screen;
}

}  // namespace

void Show() { Screen().Show(); }

void NapDuongDan(const std::wstring& path) { Screen().SetDetail(path); }

}  // namespace frmTTTN
