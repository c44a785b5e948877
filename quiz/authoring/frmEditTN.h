// The bank editor.
#pragma once

namespace frmEditTN {

void Show();

}  // namespace frmEditTN
