// Tessaro: the quiz tool's program entry.
#include <windows.h>

namespace {

LRESULT CALLBACK MainWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = MainWindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = L"frmMain";
  if (!RegisterClassW(&cls)) return 1;

  HWND main = CreateWindowExW(0, cls.lpszClassName, L"Tessaro", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                              480, nullptr, nullptr, instance, nullptr);
  if (!main) return 1;
  ShowWindow(main, show);
  UpdateWindow(main);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
