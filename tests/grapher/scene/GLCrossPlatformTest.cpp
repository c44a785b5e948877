// The scene library's dialogs over the framework, driven from a second
// thread as a user would answer them: the input box, the message box and
// the picture-open dialog, and the image editors that use them.
#include "TestSupport.h"
#include "framework/windows/Graphics.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLTexture.h"
#include "scene/GLTextureImages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

using namespace kx;

namespace {

constexpr int kInputEditId = 100;
constexpr int kFileNameEditId = 0x47C;  // the file dialog's name box

struct Found {
  HWND dialog = nullptr;
};

BOOL CALLBACK FindDialog(HWND wnd, LPARAM param) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  char cls[32] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && std::string(cls) == "#32770") {
    reinterpret_cast<Found*>(param)->dialog = wnd;
    return FALSE;
  }
  return TRUE;
}

std::string TextOf(HWND wnd) {
  char text[512] = {};
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

// Answers the dialogs that open while it lives, one `answer` per dialog in
// order; each gets the dialog window.
class DialogDriver {
 public:
  explicit DialogDriver(std::vector<std::function<void(HWND)>> answers)
      : answers_(std::move(answers)), thread_([this] { Run(); }) {}
  ~DialogDriver() {
    stop_ = true;
    thread_.join();
  }
  int Answered() const { return answered_; }

 private:
  void Run() {
    const DWORD start = GetTickCount();
    while (!stop_ && answered_ < static_cast<int>(answers_.size()) && GetTickCount() - start < 30000) {
      Found found;
      EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&found));
      if (found.dialog && found.dialog != last_) {
        Sleep(300);  // let it finish painting
        answers_[answered_](found.dialog);
        last_ = found.dialog;
        ++answered_;
      }
      Sleep(100);
    }
  }
  std::vector<std::function<void(HWND)>> answers_;
  std::atomic<bool> stop_{false};
  std::atomic<int> answered_{0};
  HWND last_ = nullptr;
  std::thread thread_;
};

// Types `text` into the input box and confirms it.
std::function<void(HWND)> Type(const std::string& text, std::string* caption = nullptr, std::string* prompt = nullptr) {
  return [=](HWND dialog) {
    if (caption) *caption = TextOf(dialog);
    if (prompt) {
      HWND label = GetWindow(dialog, GW_CHILD);
      *prompt = TextOf(label);
    }
    SetDlgItemTextA(dialog, kInputEditId, text.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
}

std::function<void(HWND)> Press(int button) {
  return [button](HWND dialog) { PostMessageA(dialog, WM_COMMAND, button, 0); };
}

TEST(SceneDialogs, TheInputBoxReturnsWhatWasTypedOrTheDefault) {
  std::string caption, prompt;
  {
    DialogDriver driver({[&](HWND dialog) {
                           testsupport::SavePng(testsupport::CaptureWindow(dialog), "scene_input_box.png");
                           Type("typed", &caption, &prompt)(dialog);
                         },
                         Press(IDCANCEL)});
    EXPECT_EQ(InputDlg("The caption", "The prompt", "default"), "typed");
    EXPECT_EQ(InputDlg("The caption", "The prompt", "default"), "default") << "cancelled";
    EXPECT_EQ(driver.Answered(), 2);
  }
  EXPECT_EQ(caption, "The caption");
  EXPECT_EQ(prompt, "The prompt");
}

TEST(SceneDialogs, ABlankImageTakesItsSizeFromTheInputBox) {
  TGLMaterial material(nullptr);
  TGLTexture* texture = material.Texture();
  texture->SetImageClassName("TGLBlankImage");
  TGLTextureImage* image = texture->Image();
  std::string caption, prompt, message;
  {
    DialogDriver driver({Type(" 128 x 64 ", &caption, &prompt), Type("12 x wide"), Type("no size"),
                         [&](HWND box) {
                           message = TextOf(GetDlgItem(box, 0xFFFF));
                           PostMessageA(box, WM_COMMAND, IDOK, 0);
                         }});
    EXPECT_TRUE(image->Edit());
    EXPECT_EQ(image->Width(), 128);
    EXPECT_EQ(image->Height(), 64);
    EXPECT_TRUE(image->Edit());  // a bad number becomes 256
    EXPECT_EQ(image->Width(), 12);
    EXPECT_EQ(image->Height(), 256);
    EXPECT_FALSE(image->Edit());  // no "x": refused with a message
    EXPECT_EQ(image->Width(), 12);
    EXPECT_EQ(driver.Answered(), 4);
  }
  EXPECT_EQ(caption, "Blank Image");
  EXPECT_EQ(prompt, "Enter size");
  EXPECT_EQ(message, "Invalid size");
}

TEST(SceneDialogs, APictureFileImageTakesANewNameFromTheInputBox) {
  TGLMaterial material(nullptr);
  material.Texture()->SetImageClassName("TGLPicFileImage");
  auto* image = static_cast<TGLPicFileImage*>(material.Texture()->Image());
  image->SetPictureFileName("old.bmp");
  std::string caption;
  {
    DialogDriver driver({Type("old.bmp", &caption), Type("new.bmp")});
    EXPECT_FALSE(image->Edit()) << "the same name";
    EXPECT_TRUE(image->Edit());
    EXPECT_EQ(image->PictureFileName(), "new.bmp");
  }
  EXPECT_EQ(caption, "PicFile Image");
}

TEST(SceneDialogs, APersistentImageLoadsThePictureChosenInTheOpenDialog) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "kx_dialog_" + std::to_string(GetCurrentProcessId()) + ".bmp";
  TBitmap picture;
  picture.SetSize(8, 4);
  const std::vector<uint8_t> bytes = picture.SaveToBytes();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);

  TGLMaterial material(nullptr);
  auto* image = static_cast<TGLPersistentImage*>(material.Texture()->Image());
  std::string chosen = "preset.bmp";
  {
    DialogDriver driver({Press(IDCANCEL)});
    EXPECT_FALSE(OpenPictureDlg(chosen, folder));
    EXPECT_EQ(chosen, "preset.bmp") << "cancelled: unchanged";
  }
  {
    DialogDriver driver({[&](HWND dialog) {
      SetDlgItemTextA(dialog, kFileNameEditId, path.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_TRUE(image->Edit());
  }
  EXPECT_EQ(image->Width(), 8);
  EXPECT_EQ(image->Height(), 4);
  DeleteFileA(path.c_str());
}

TEST(SceneDialogs, ACubeMapSaysItCannotBeEdited) {
  TGLMaterial material(nullptr);
  material.Texture()->SetImageClassName("TGLCubeMapImage");
  std::string message;
  {
    DialogDriver driver({[&](HWND box) {
      message = TextOf(GetDlgItem(box, 0xFFFF));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_FALSE(material.Texture()->Image()->Edit());
  }
  EXPECT_EQ(message, "Not supported... yet");
}

}  // namespace
