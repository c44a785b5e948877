#include "framework/core/FormResources.h"

#include "framework/core/Filer.h"
#include "framework/core/FormText.h"
#include "framework/core/Streams.h"

#include <windows.h>

namespace kx {

void ReadComponentText(TComponent& root, std::string_view text, const std::string& sourceName) {
  TMemoryStream binary;
  TLineMap lines;
  ObjectTextToBinary(text, binary, sourceName, &lines);
  binary.SetPosition(0);
  TReader reader(binary);
  reader.SetSource(sourceName, &lines);
  reader.ReadRootComponent(root);
}

void ReadFormResource(TComponent& root, const std::string& name, void* module) {
  const std::string resName = name.empty() ? root.ClassName() : name;
  TResourceStream res(module, resName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  const std::string_view text(reinterpret_cast<const char*>(res.Memory()), size_t(res.DataSize()));
  ReadComponentText(root, text, "Form resource " + resName);
}

bool FormResourceExists(const std::string& name, void* module) {
  return TResourceStream::Exists(module, name, MAKEINTRESOURCEA(10));
}

std::string WriteComponentText(TComponent& root) {
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(root);
  }
  binary.SetPosition(0);
  return ObjectBinaryToText(binary);
}

}  // namespace kx
