// The main window with the dialogs the Add button opens, for tests that go
// through the program's real windows as a user does, and the picture the
// capture button saves.
#pragma once

#include <windows.h>

#include <string>

#include "DialogWindowsTest.h"
#include "MainWindowFixture.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVMemo.h"

namespace endtoend {

template <class T>
T& Named(kx::TComponent& form, const char* name) {
  T* found = dynamic_cast<T*>(form.FindComponent(name));
  if (!found) throw kx::EComponentError(std::string("no ") + name);
  return *found;
}

class EndToEnd : public mainwindow::MainWindow {
 protected:
  // The pictures, function lists and screenshots these tests save.
  testsupport::CurrentFolder folder_{"end_to_end"};

  static void SetUpTestSuite() {
    MainWindow::SetUpTestSuite();
    dialogtesting::MakeDialogs();
  }
  void SetUp() override {
    MainWindow::SetUp();
    DeleteFileA("Pic0.png");
  }
  void TearDown() override {
    DeleteFileA("Pic0.png");
    MainWindow::TearDown();
  }

  // Add, the kind chooser's button, the formula typed over the dialog's
  // first formula, and "Đồng ý".
  void AddThroughDialogs(const char* kindButton, const char* formula) {
    dialogtesting::ModalScript script;
    script.Then(*kx::SelFTypeForm, [kindButton] { dialogtesting::Click(Named<kx::TkvButton>(*kx::SelFTypeForm, kindButton)); })
        .Then(*kx::FInForm, [formula] {
          kx::TkvMemo& input = Named<kx::TkvMemo>(*kx::FInForm, "meFInput1");
          input.SetFocus();
          input.SelectAll();
          SendMessageA(input.Handle(), WM_CLEAR, 0, 0);
          dialogtesting::Type(input, formula);
          dialogtesting::Click(Named<kx::TkvButton>(*kx::FInForm, "btnOK"));
        });
    script.Run([&] { Click(*Find<kx::TkvButton>("BtnAddFunc")); });
  }

  // The picture the capture button's right click saves at the view's size,
  // kept under another name to be looked at.
  testsupport::Picture Capture(const char* keepAs) {
    DeleteFileA("Pic0.png");
    auto* capture = Find<kx::TkvButton>("btnCapture");
    SendMessageA(capture->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageA(capture->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    Drain();
    testsupport::Picture picture;
    EXPECT_TRUE(testsupport::LoadPng("Pic0.png", picture));
    DeleteFileA("Pic0.png");
    testsupport::SavePng(picture, keepAs);
    return picture;
  }
};

}  // namespace endtoend
