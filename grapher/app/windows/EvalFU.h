// The floating evaluation window: the evaluation panel's two pages (values
// and derivatives with the searches; limits and integrals) in a window of
// their own, which can stay above the other windows.
#pragma once

#include "framework/windows/Forms.h"

namespace kx {

class TkvCheckBox;

class TEvalForm : public TForm {
  KX_CLASS(TEvalForm, TForm)
 public:
  // Builds the window from its form resource.
  explicit TEvalForm(TComponent* owner);

  // OnClick of cbOnTop and OnShow of the window: topmost while cbOnTop is
  // ticked, else not, without moving or sizing the window.
  void cbOnTopClick(TObject* sender);

 private:
  TkvCheckBox* cbOnTop_ = nullptr;
};

// The program's floating evaluation window; nullptr until the program
// entry creates it.
extern TEvalForm* EvalForm;

}  // namespace kx
