// Form resources: a window's stored component tree, authored as UTF-8 text,
// converted to TCVN3 by the build (kx_add_form_resources) and compiled into
// the program as an RCDATA resource named after the form file.
#pragma once

#include "framework/core/Classes.h"

#include <string>
#include <string_view>

namespace kx {

// Reads a form's text (TCVN3 bytes) into root: components are created in
// stream order with root as owner, get their parent, then their properties;
// references are resolved and Loaded runs before this returns. Errors are
// EParserError or EReadError naming sourceName, the line and the property.
void ReadComponentText(TComponent& root, std::string_view text, const std::string& sourceName);

// Reads the form resource `name` (default: root's class name) of module
// (nullptr: the program itself). EResNotFound when it is missing.
void ReadFormResource(TComponent& root, const std::string& name = {}, void* module = nullptr);
bool FormResourceExists(const std::string& name, void* module = nullptr);

// The text form of root and everything stored inside it.
std::string WriteComponentText(TComponent& root);

}  // namespace kx
