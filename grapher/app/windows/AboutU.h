// The about box: the program's name and version, what it does and for whom,
// beside two pictures of its graphs. Texts and pictures only; its title bar's
// close button closes it.
#pragma once

#include "framework/windows/Forms.h"

namespace kx {

class TAboutForm : public TForm {
  KX_CLASS(TAboutForm, TForm)
 public:
  explicit TAboutForm(TComponent* owner);
};

// The program's one about box; nullptr until the program creates it.
extern TAboutForm* AboutForm;

}  // namespace kx
