// Reduction of embedded-file names to bare names, for compiled output whose
// files lie beside the bank or page.
#pragma once

#include <string>
#include <string_view>

namespace mdlMain {

// Every name inside an [image] or [media] pair cut to its last component
// ('\' and '/' both separate). A start tag with no end tag after it leaves the
// rest of the text unchanged.
std::wstring StripMediaFolders(std::wstring_view text);

}  // namespace mdlMain
