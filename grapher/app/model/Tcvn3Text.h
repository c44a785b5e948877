// The grapher's windows show TCVN3 text; the texts its code holds are written
// in UTF-8 and converted once, where they are first used.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// TCVN3 of a UTF-8 text; EConvertError names a character TCVN3 cannot hold
// (a mistake in the program's own texts, which the tests convert).
std::string Tcvn3Text(std::string_view utf8);

}  // namespace kx
