// XML helpers over pugixml (wide-character mode) for the quiz tool's files.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "runtime/FileIo.h"

namespace tq {

// Loads a whole XML file. False when the file cannot be read, is larger than
// the bound, or is not well-formed; the document is then empty. White space in
// texts is kept as written.
bool LoadXmlFile(pugi::xml_document& doc, const std::wstring& path, unsigned long long maxSize = 64ull << 20);

// Saves the document as UTF-8 without byte-order mark or added white space,
// atomically (the old file stays when the save fails). Adds no declaration of
// its own. Carriage returns are written as "&#13;", so that they read back.
IoStatus SaveXmlFile(const pugi::xml_document& doc, const std::wstring& path);

// Starts a document of ours: the declaration (version 1.0, standalone), then
// the root element with its charset attribute "UTF-8". Returns the root.
pugi::xml_node StartDocument(pugi::xml_document& doc, const wchar_t* root);

// Appends an element holding the text, less what XML cannot hold
// (StripXmlInvalidChars); an empty text makes an empty element.
pugi::xml_node AppendTextElement(pugi::xml_node parent, const wchar_t* name, std::wstring_view text);

// The text of a node as a DOM reports it: every text and CDATA section
// below it, in document order.
std::wstring XmlNodeText(pugi::xml_node node);

// Drops what an XML 1.0 document cannot hold: control characters other than
// tab, CR and LF, unpaired surrogates, U+FFFE and U+FFFF.
std::wstring StripXmlInvalidChars(std::wstring_view text);

}  // namespace tq
