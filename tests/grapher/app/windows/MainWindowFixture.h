// The real main window from its form resource, made afresh for each test on
// an empty model and a fresh view state, and the ways a test reaches it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/model/Tcvn3Text.h"
#include "app/windows/MainU.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "TestSupport.h"

namespace mainwindow {

// Empties both lists, releasing what the entries hold.
inline void ClearModel() {
  kx::TFuncModel& m = kx::FuncModel();
  while (m.Count2D > 0) m.DeleteFunc(m.List2D, 1, m.Count2D);
  while (m.Count3D > 0) m.DeleteFunc(m.List3D, 1, m.Count3D);
  m.SetCurrentList(true);
}

class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() { kx::RegisterControlClasses(); }

  void SetUp() override {
    // Each window gives the screen font back when it goes.
    AddFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str());
    ClearModel();
    kx::ViewState() = kx::TViewState();
    form_ = kx::TCustomForm::Create<kx::TMainForm>(nullptr);
    kx::MainForm = form_;
  }
  void TearDown() override {
    delete form_;
    kx::MainForm = nullptr;
    ClearModel();
    Drain();
  }

  template <class T>
  T* Find(const char* name) const {
    return kx::As<T>(form_->FindComponent(name));
  }
  static void Drain() { kx::Application->ProcessMessages(); }
  void ShowWindow() {
    form_->Show();
    // Other test programs' windows share the screen: none may cover this one
    // while it is captured.
    SetWindowPos(form_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Drain();
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Drain();
  }
  // A left click in the middle of a control, as the mouse gives it.
  static void Click(kx::TWinControl& control) {
    const LPARAM at = MAKELPARAM(control.Width() / 2, control.Height() / 2);
    SendMessageA(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control.Handle(), WM_LBUTTONUP, 0, at);
    Drain();
  }
  // Stores a plane function through the driver's compile-first path, which
  // opens no dialog.
  void AddThroughDriver(const char* formula, kx::TColor color, const char* name) {
    kx::TFuncRec& f = kx::FuncModel().CurFunc;
    f = kx::TFuncRec();
    f.FuncType = 1, f.Shown = true, f.LineWidth = 1, f.Color = color, f.FuncName = name;
    f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
    f.Func[1] = formula;
    kx::FuncModel().IsNewFunc = true;
    ASSERT_TRUE(form_->Driver().AddOrEditFunc(0, true)) << formula;
  }

  kx::TMainForm* form_ = nullptr;
};

// Control x (0x00RRGGBB) as the screen shows it.
inline unsigned Rgb(kx::TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace mainwindow
