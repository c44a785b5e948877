#include "authoring/frmEditTN.h"

#include "authoring/PendingScreen.h"

namespace frmEditTN {

void Show() {
  static PendingScreen screen(L"Tạo và sửa bài tập trắc nghiệm");
  screen.Show();
}

}  // namespace frmEditTN
