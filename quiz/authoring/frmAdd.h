// The add-question screen's work apart from its window, shared with the
// edit-question screen: typed text to bank tag text, the format and
// insertion commands on a box's text, and the preview page.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace frmAdd {

// How a question screen is being left.
enum class ExitMode : uint8_t { Quit = 0, Back = 1, MainMenu = 2 };

inline constexpr std::wstring_view ImageFilter = L"Image File (*.jpg;*.gif;*.png)|*.jpg;*.gif;*.png|";
inline constexpr std::wstring_view MediaFilter = L"Media File (*.mp3;*.wma;*.wmv)|*.mp3;*.wma;*.wmv|";
inline constexpr std::wstring_view BlankMessage = L"Bạn phải nhập đầy đủ dữ liệu cho câu hỏi !";
inline constexpr std::wstring_view NoKeyMessage = L"Bạn chưa chọn đáp án !";
inline constexpr std::wstring_view LeaveMessage = L"Bạn có muốn lưu file đang chỉnh sửa này không ?";

// Typed text as bank tag text: CR LF as "[E]", then "<" as "&lt;" and ">" as "&gt;".
std::wstring EntryConversion(std::wstring_view typed);

// A box's text after a command, with the caret's place (nothing selected).
struct BoxEdit {
  std::wstring text;
  int caret = 0;
};

// Format command 0 to 4 (bold, italic, underline, superscript, subscript)
// wraps the selection in its tags; 5 (plain text) removes the format tags
// inside the selection only. The caret goes back to the selection's start.
BoxEdit FormatCommand(std::wstring_view text, int selStart, int selLength, int command);
// Replaces the selection with an [image] or [media] pair around the path.
BoxEdit InsertFile(std::wstring_view text, int selStart, int selLength, bool media, std::wstring_view path);

// The preview page of five texts already in bank tag text (question, A to
// D) and the key (empty while none is chosen); bare file names are looked
// for in `folder`.
std::wstring PreviewPage(const std::array<std::wstring, 5>& texts, std::wstring_view key, std::wstring_view folder);

// The index (0 question, 1 to 4 answers) of the first blank text, or -1.
int FirstBlank(const std::array<std::wstring, 5>& texts);

// The screen of the program.
void Show();

}  // namespace frmAdd
