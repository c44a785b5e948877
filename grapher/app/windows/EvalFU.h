// The floating evaluation window: the evaluation panel's two pages (values
// and derivatives with the searches; limits and integrals) in a window of
// their own, which can stay above the other windows. Its controls' events go
// to the main window, which runs the panel wherever it is shown.
#pragma once

#include "framework/windows/Forms.h"

namespace kx {

class TkvCheckBox;

class TEvalForm : public TForm {
  KX_CLASS(TEvalForm, TForm)
 public:
  // Builds the window from its form resource.
  explicit TEvalForm(TComponent* owner);

  // Binds the panel's controls into the floating window's tables.
  void FormCreate(TObject* sender);
  // Closing the window closes the panel; it stays the floating one.
  void FormClose(TObject* sender, TCloseAction& action);
  // OnClick of cbOnTop and OnShow of the window: topmost while cbOnTop is
  // ticked, else not, without moving or sizing the window.
  void cbOnTopClick(TObject* sender);
  // Forwarded to the main window's handlers of the same names.
  void edEvalVar1Change(TObject* sender);
  void pgEvalTabActive(TObject* sender, int index);
  void btnEvalMaxClick(TObject* sender);
  void btnEvalMinClick(TObject* sender);
  void btnEvalZClick(TObject* sender);
  // Published like the main window's component menu handlers; nothing
  // binds them.
  void Ham11Click(TObject* sender);
  void Ham21Click(TObject* sender);
  void Ham31Click(TObject* sender);

 private:
  TkvCheckBox* cbOnTop_ = nullptr;
};

// The program's floating evaluation window; nullptr until the program
// entry creates it.
extern TEvalForm* EvalForm;

}  // namespace kx
