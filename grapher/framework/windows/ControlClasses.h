// Start-up of the windowed framework: registers its component classes so that
// form resources can create them by name. The program's start-up calls it once,
// before the first form is created.
#pragma once

namespace kx {

void RegisterControlClasses();

}  // namespace kx
