// The compile screen as it stands until it is built.
#include "authoring/PendingScreen.h"
#include "delivery/frmBienDich.h"

namespace frmBienDich {

void Show() {
  static PendingScreen screen(L"Biên dịch bài tập trắc nghiệm");
  screen.Show();
}

}  // namespace frmBienDich
