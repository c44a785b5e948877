// A stand-in for the system's help viewer, put beside the test programs under
// the viewer's own file name: the quiz tool must never load it.
#include <windows.h>

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpW(HWND, const wchar_t*, UINT, DWORD_PTR) { return nullptr; }
