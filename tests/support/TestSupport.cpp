#include "TestSupport.h"

#include <png.h>

#include <cstdlib>

#include <jpeglib.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace testsupport {

ChildProcess::~ChildProcess() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& exe, const std::string& args) {
  std::string command = "\"" + exe + "\"";
  if (!args.empty()) command += " " + args;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_) !=
         0;
}

int ChildProcess::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<int>(code);
}

std::string ProgramPath(const std::string& name) {
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string dir(self, n);
  dir.resize(dir.find_last_of("\\/"));      // .../build/tests
  dir.resize(dir.find_last_of("\\/") + 1);  // .../build/
  return dir + "bin\\" + name;
}

CurrentFolder::CurrentFolder(const std::string& folder) {
  char previous[MAX_PATH];
  previous_.assign(previous, GetCurrentDirectoryA(MAX_PATH, previous));
  CreateDirectoryA(folder.c_str(), nullptr);
  if (!SetCurrentDirectoryA(folder.c_str())) throw std::runtime_error("cannot enter the folder " + folder);
}

CurrentFolder::~CurrentFolder() { SetCurrentDirectoryA(previous_.c_str()); }

namespace {

struct WindowSearch {
  const std::string* caption;
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (!IsWindowVisible(wnd)) return TRUE;
  if (search->pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    if (owner != search->pid) return TRUE;
  }
  char text[512];
  int len = GetWindowTextA(wnd, text, sizeof text);
  if (*search->caption == std::string(text, len)) {
    search->found = wnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND WaitForWindow(const std::string& caption, DWORD pid, DWORD timeoutMs) {
  WindowSearch search{&caption, pid, nullptr};
  PumpUntil(
      [&] {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

Picture CaptureWindow(HWND wnd) {
  Picture picture;
  RECT r;
  if (!GetWindowRect(wnd, &r)) return picture;
  picture.width = r.right - r.left;
  picture.height = r.bottom - r.top;
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* src = static_cast<const unsigned*>(bits);
  for (size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = src[i] & 0xFFFFFFu;
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

namespace {
struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;
}  // namespace

POINT InCapture(HWND wnd, POINT screen) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return POINT{screen.x - r.left, screen.y - r.top};
}

Picture Crop(const Picture& picture, RECT area) {
  Picture out;
  out.width = area.right - area.left;
  out.height = area.bottom - area.top;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) out.pixels.push_back(picture.At(x, y));
  return out;
}

bool SavePng(const Picture& picture, const std::string& path) {
  File file(fopen(path.c_str(), "wb"));
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(picture.width) * 3);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      unsigned p = picture.At(x, y);
      row[x * 3] = (p >> 16) & 0xFF;
      row[x * 3 + 1] = (p >> 8) & 0xFF;
      row[x * 3 + 2] = p & 0xFF;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool LoadPng(const std::string& path, Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_BGRA;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  for (unsigned& p : picture.pixels) p &= 0xFFFFFFu;
  return true;
}

std::vector<unsigned char> EncodeJpeg(const Picture& picture) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = picture.width;
  c.image_height = picture.height;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<size_t>(picture.width) * 3);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const unsigned p = picture.At(x, y);
      row[x * 3] = (p >> 16) & 0xFF;
      row[x * 3 + 1] = (p >> 8) & 0xFF;
      row[x * 3 + 2] = p & 0xFF;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<unsigned char> result(buffer, buffer + size);
  free(buffer);
  return result;
}

namespace {

struct MenuDrive {
  const std::function<void(HWND, int)>* onShown;
  int ticks = 0;
  int calls = 0;
};
MenuDrive* g_menuDrive = nullptr;

void CALLBACK MenuDriveTick(HWND, UINT, UINT_PTR, DWORD) {
  MenuDrive& drive = *g_menuDrive;
  HWND menu = FindWindowA("#32768", nullptr);
  ++drive.ticks;
  if (!menu || !IsWindowVisible(menu)) {
    if (drive.ticks > 40) EndMenu();
    return;
  }
  (*drive.onShown)(menu, drive.calls++);
}

}  // namespace

bool DriveShownMenu(const std::function<void()>& show, const std::function<void(HWND menu, int call)>& onShown) {
  MenuDrive drive{&onShown};
  g_menuDrive = &drive;
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, &MenuDriveTick);
  show();
  KillTimer(nullptr, timer);
  g_menuDrive = nullptr;
  return drive.calls > 0;
}

}  // namespace testsupport
