#include "runtime/Xml.h"

namespace tq {

namespace {

class StringWriter : public pugi::xml_writer {
 public:
  void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
  std::string bytes;
};

// Walks without recursion: a hostile file may nest elements very deeply.
void AppendText(pugi::xml_node root, std::wstring& out) {
  pugi::xml_node node = root.first_child();
  while (node) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) out += node.value();
    if (node.type() == pugi::node_element && node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) break;
    node = node.next_sibling();
  }
}

}  // namespace

bool LoadXmlFile(pugi::xml_document& doc, const std::wstring& path, unsigned long long maxSize) {
  doc.reset();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, maxSize)) return false;
  const pugi::xml_parse_result result =
      doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_auto);
  if (!result) doc.reset();
  return static_cast<bool>(result);
}

IoStatus SaveXmlFile(const pugi::xml_document& doc, const std::wstring& path) {
  StringWriter writer;
  doc.save(writer, L"", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  // A reader turns a written carriage return into a line feed, as XML has it;
  // written as a reference, it is read back as it was. In UTF-8 a byte 13 is
  // always the character itself, and raw output adds none of its own.
  std::string bytes;
  bytes.reserve(writer.bytes.size());
  for (const char c : writer.bytes) {
    if (c == '\r') {
      bytes += "&#13;";
    } else {
      bytes += c;
    }
  }
  return WriteFileAtomic(path, bytes);
}

pugi::xml_node StartDocument(pugi::xml_document& doc, const wchar_t* root) {
  pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
  declaration.append_attribute(L"version") = L"1.0";
  declaration.append_attribute(L"standalone") = L"yes";
  pugi::xml_node element = doc.append_child(root);
  element.append_attribute(L"charset") = L"UTF-8";
  return element;
}

pugi::xml_node AppendTextElement(pugi::xml_node parent, const wchar_t* name, std::wstring_view text) {
  pugi::xml_node element = parent.append_child(name);
  const std::wstring clean = StripXmlInvalidChars(text);
  if (!clean.empty()) element.append_child(pugi::node_pcdata).set_value(clean.c_str());
  return element;
}

std::wstring XmlNodeText(pugi::xml_node node) {
  std::wstring text;
  AppendText(node, text);
  return text;
}

std::wstring StripXmlInvalidChars(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t k = 0; k < text.size(); ++k) {
    const wchar_t c = text[k];
    if (c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') continue;
    if (c == 0xFFFE || c == 0xFFFF) continue;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (k + 1 < text.size() && text[k + 1] >= 0xDC00 && text[k + 1] <= 0xDFFF) {
        out += c;
        out += text[++k];
      }
      continue;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) continue;
    out += c;
  }
  return out;
}

}  // namespace tq
