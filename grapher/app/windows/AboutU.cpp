#include "app/windows/AboutU.h"

#include "framework/core/FormResources.h"

namespace kx {

TAboutForm* AboutForm = nullptr;

KX_PUBLISH(TAboutForm) {}

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

}  // namespace kx
