#include "runtime/App.h"

#include <exception>

#include "runtime/Form.h"
#include "runtime/Utf.h"

namespace tq {

namespace {

// Posted when the last screen unloads: the loop ends only if no handler has
// shown another screen by the time it arrives.
constexpr UINT WM_TQ_CHECKEND = WM_APP + 0x3F0;

}  // namespace

App& App::Get() {
  static App app;
  return app;
}

HINSTANCE App::Instance() const { return GetModuleHandleW(nullptr); }

std::wstring App::CommandTail(std::wstring_view line) {
  size_t k = 0;
  if (!line.empty() && line[0] == L'"') {
    const size_t close = line.find(L'"', 1);
    k = close == std::wstring_view::npos ? line.size() : close + 1;
  } else {
    while (k < line.size() && line[k] != L' ' && line[k] != L'\t') ++k;
  }
  while (k < line.size() && (line[k] == L' ' || line[k] == L'\t')) ++k;
  return std::wstring(line.substr(k));
}

bool App::PrevInstance(const wchar_t* name) {
  if (mutex_) return false;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  mutex_ = mutex;  // held until the process ends
  return false;
}

bool App::PreTranslate(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  Form* form = Form::FromWindow(top);
  if (!form) return false;
  // Menu shortcuts go first, so that Ctrl+H reaches the menu, not an edit.
  if (form->TranslateShortcut(msg)) return true;
  return IsDialogMessageW(top, &msg) != 0;
}

void App::Dispatch(MSG& msg) {
  if (msg.hwnd == nullptr && msg.message == WM_TQ_CHECKEND) {
    if (loaded_ == 0) PostQuitMessage(0);
    return;
  }
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int App::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

bool App::DoEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    Dispatch(msg);
  }
  return true;
}

void App::Quit() { PostQuitMessage(0); }

HMODULE App::LoadSystemLibrary(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

void App::HandleException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Utf16FromUtf8(e.what()).c_str(), L"Tessaro", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, L"Unexpected error", L"Tessaro", MB_OK | MB_ICONERROR);
  }
}

void App::FormLoaded(Form*) { ++loaded_; }

void App::FormUnloaded(Form*) {
  if (--loaded_ > 0) return;
  PostThreadMessageW(GetCurrentThreadId(), WM_TQ_CHECKEND, 0, 0);
}

}  // namespace tq
