// The one message box of the quiz tool: Unicode text and title, with its text
// set in a 13-pixel Tahoma of weight 500.
#pragma once

#include <windows.h>

#include <string>

namespace mUniMsgBox {

// Styles the screens use, and the answers they read.
inline constexpr UINT Information = 64;  // OK, information icon
inline constexpr UINT YesNo = 36;        // Yes and No, question icon
inline constexpr UINT YesNoCancel = 35;  // Yes, No and Cancel, question icon
inline constexpr int AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7;

// Shows the box modal to the owner and returns the button pressed. The font
// lives while the box is shown and is deleted once it has closed; the hook
// that sets it is gone when the call returns, even if no box ever opened.
int UnicodeMsgBox(const std::wstring& text, UINT style, const std::wstring& title, HWND owner);

// How often the box's hook has run in this process: a hook left installed
// would go on running for every window activated afterwards.
unsigned HookCalls();

}  // namespace mUniMsgBox
