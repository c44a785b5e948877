#include "framework/windows/Dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/windows/Forms.h"

namespace kx {
namespace {

HWND DialogOwner(TControl* control) {
  if (TCustomForm* form = control ? GetParentForm(control) : nullptr; form && form->HandleAllocated())
    return form->Handle();
  return GetActiveWindow();
}

}  // namespace

std::string FilterToSystemForm(const std::string& filter) {
  std::string out = filter;
  std::replace(out.begin(), out.end(), '|', '\0');
  out.append(2, '\0');
  return out;
}

KX_PUBLISH(TOpenDialog) {
  p.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
  p.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
  p.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
  p.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
  p.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
  p.Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions);
  p.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() { return Run(false); }

bool TOpenDialog::Run(bool save) {
  std::vector<char> name(32768, '\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), name.size() - 1), name.begin());
  const std::string filter = FilterToSystemForm(filter_);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner(dynamic_cast<TControl*>(Owner()));
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.Flags = OFN_EXPLORER;
  if (options_.Contains(ofReadOnly)) ofn.Flags |= OFN_READONLY;
  if (options_.Contains(ofOverwritePrompt)) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (options_.Contains(ofHideReadOnly)) ofn.Flags |= OFN_HIDEREADONLY;
  if (options_.Contains(ofNoChangeDir)) ofn.Flags |= OFN_NOCHANGEDIR;
  if (options_.Contains(ofPathMustExist)) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (options_.Contains(ofFileMustExist)) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (options_.Contains(ofEnableSizing)) ofn.Flags |= OFN_ENABLESIZING;
  Application->CancelHint();
  const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  fileName_ = name.data();
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}

KX_PUBLISH(TOpenPictureDialog) {}

TOpenPictureDialog::TOpenPictureDialog(TComponent* owner) : TOpenDialog(owner) {
  SetFilter(
      "All (*.bmp;*.jpg;*.jpeg;*.ico)|*.bmp;*.jpg;*.jpeg;*.ico|Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg;*.jpeg)|"
      "*.jpg;*.jpeg|Icons (*.ico)|*.ico");
  TOpenOptions options = Options();
  options.Include(ofFileMustExist);
  SetOptions(options);
}

KX_PUBLISH(TSaveDialog) {}

bool TSaveDialog::Execute() { return Run(true); }

KX_PUBLISH(TColorDialog) {
  p.Color("Color", &TColorDialog::Color, &TColorDialog::SetColor);
  p.Property("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors);
}

namespace {

TChooseColorRunner& ChooseColorRunner() {
  static TChooseColorRunner runner = [](CHOOSECOLORA& request) { return ChooseColorA(&request) != FALSE; };
  return runner;
}

std::string CustomColorName(int index) { return std::string("Color") + char('A' + index); }

}  // namespace

TChooseColorRunner SetChooseColorRunner(TChooseColorRunner runner) {
  return std::exchange(ChooseColorRunner(), std::move(runner));
}

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner), customColors_(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute() {
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) {
    const std::string value = customColors_->Values(CustomColorName(i));
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(value.c_str(), &end, 16);
    // A line that is no hexadecimal number leaves its box white.
    custom[i] = !value.empty() && *end == '\0' ? static_cast<COLORREF>(parsed & 0xFFFFFF) : RGB(255, 255, 255);
  }
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = DialogOwner(dynamic_cast<TControl*>(Owner()));
  cc.rgbResult = ColorToRGB(color_);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  Application->CancelHint();
  const bool chosen = ChooseColorRunner()(cc);
  // The boxes keep what the user put in them, whichever button closed it.
  customColors_->BeginUpdate();
  customColors_->Clear();
  for (int i = 0; i < 16; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "%s=%.6lX", CustomColorName(i).c_str(), static_cast<unsigned long>(custom[i]));
    customColors_->Add(line);
  }
  customColors_->EndUpdate();
  if (!chosen) return false;
  color_ = static_cast<TColor>(cc.rgbResult);
  return true;
}

namespace {

constexpr int kInputEditId = 100;

// The in-memory template of the input box: a prompt, an edit, OK and Cancel
// (dialog units, the system's dialog font).
class InputTemplate {
 public:
  InputTemplate(const std::string& caption, const std::string& prompt) {
    DLGTEMPLATE head{};
    head.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head.cdit = 4;
    head.cx = 220;
    head.cy = 62;
    Append(&head, sizeof head);
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Text(caption);
    Word(8);
    Text("MS Shell Dlg");
    Item(WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 7, 206, 10, 0xFFFF, 0x0082, prompt);
    Item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 206, 12, kInputEditId, 0x0081, "");
    Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 108, 40, 50, 14, IDOK, 0x0080, "OK");
    Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 163, 40, 50, 14, IDCANCEL, 0x0080, "Cancel");
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  void Append(const void* bytes, size_t size) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    data_.insert(data_.end(), p, p + size);
  }
  void Word(WORD w) { Append(&w, sizeof w); }
  void Text(const std::string& text) {
    for (unsigned char c : text) Word(c);  // the ANSI code page's first 256 code points
    Word(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls, const std::string& text) {
    while (data_.size() % 4) data_.push_back(0);
    DLGITEMTEMPLATE item{};
    item.style = style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    Word(0xFFFF);
    Word(cls);
    Text(text);
    Word(0);  // no creation data
  }
  std::vector<uint8_t> data_;
};

struct InputState {
  std::string value;
};

INT_PTR CALLBACK InputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<InputState*>(lParam);
      SetDlgItemTextA(dialog, kInputEditId, state->value.c_str());
      SendDlgItemMessageA(dialog, kInputEditId, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(dialog, kInputEditId));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const int length = GetWindowTextLengthA(GetDlgItem(dialog, kInputEditId));
        std::string text(static_cast<size_t>(length) + 1, '\0');
        GetDlgItemTextA(dialog, kInputEditId, text.data(), length + 1);
        text.resize(std::strlen(text.c_str()));
        state->value = text;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  Application->CancelHint();
  const InputTemplate dialogTemplate(caption, prompt);
  InputState state{value};
  const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate.Get(), GetActiveWindow(),
                                                 &InputProc, reinterpret_cast<LPARAM>(&state));
  if (result == -1) RaiseLastOSError();
  if (result != IDOK) return false;
  value = state.value;
  return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText) {
  std::string value = defaultText;
  InputQuery(caption, prompt, value);
  return value;
}

int ShowMessageBox(TControl* owner, const std::string& text, const std::string& caption, unsigned flags) {
  Application->CancelHint();
  HWND wnd = owner ? DialogOwner(owner) : GetActiveWindow();
  return MessageBoxA(wnd, text.c_str(), caption.c_str(), flags);
}

}  // namespace kx
