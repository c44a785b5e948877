// A modal window's result: which button closed it. Window-free code that
// shows dialogs through an interface (the grapher's add/edit driver) reads
// results without the window framework. The values are the system's
// dialog-box command identifiers (IDOK ...), so a message box's answer is a
// modal result as it stands; Forms.h checks them against the system's.
#pragma once

namespace kx {

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7;

}  // namespace kx
