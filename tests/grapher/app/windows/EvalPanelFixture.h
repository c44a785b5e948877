// The real main window with the real floating evaluation window beside it,
// on a fresh evaluation state, for the tests of the panel and its searches.
#pragma once

#include "MainWindowFixture.h"
#include "app/model/EvalFU_State.h"
#include "app/windows/EvalFU.h"

namespace mainwindow {

class EvalPanelWindow : public MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    kx::EvalState() = kx::TEvalState();
    kx::EvalForm = kx::TCustomForm::Create<kx::TEvalForm>(nullptr);
  }
  void TearDown() override {
    form_->UseSearchHost(nullptr);
    delete kx::EvalForm;
    kx::EvalForm = nullptr;
    MainWindow::TearDown();
  }
};

}  // namespace mainwindow
