#include "delivery/mdlMain_Strip.h"

#include "authoring/mdlMain.h"

namespace mdlMain {

std::wstring StripMediaFolders(std::wstring_view text) {
  std::wstring out(text);
  for (int kind = 0; kind <= 1; ++kind) {
    const TagPair& tags = TagTable[kind];
    size_t from = 0;
    for (;;) {
      const size_t start = out.find(tags.start, from);
      if (start == std::wstring::npos) break;
      const size_t nameAt = start + tags.start.size();
      const size_t end = out.find(tags.end, nameAt);
      if (end == std::wstring::npos) break;
      const std::wstring bare = FileNameOfPath(std::wstring_view(out).substr(nameAt, end - nameAt));
      out.replace(nameAt, end - nameAt, bare);
      // Go on after this pair's end tag, never inside what was just written.
      from = nameAt + bare.size() + tags.end.size();
    }
  }
  return out;
}

}  // namespace mdlMain
