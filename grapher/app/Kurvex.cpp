// Kurvex: the function grapher's program entry.
#include <windows.h>

#include "ProcessFpu.h"

namespace {

LRESULT CALLBACK MainWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  kurvex::SetProcessControlWord();

  WNDCLASSA cls{};
  cls.lpfnWndProc = MainWindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = "TMainForm";
  if (!RegisterClassA(&cls)) return 1;

  HWND main = CreateWindowExA(0, cls.lpszClassName, "Plotvane v2.21", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 619, 480, nullptr, nullptr,
                              instance, nullptr);
  if (!main) return 1;
  ShowWindow(main, show);
  UpdateWindow(main);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
