// Scratch folders and hand-made archives for the ZIP layer's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ziptest {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // Path of a name inside the folder (no trailing backslash for "").
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

// One entry as stored, name bytes untouched. `declaredSize` >= 0 writes the data
// deflated raw and declares that size instead of the real one.
struct RawEntry {
  std::string name;
  std::string data;
  unsigned long flags = 0x800;  // UTF-8 names
  long long declaredSize = -1;
};

void WriteArchive(const std::wstring& path, const std::vector<RawEntry>& entries);

// An archive whose directory lists every name (all of one length) as an entry
// of the same one compressed block of `data`, as hostile archives do to
// declare far more than they hold.
void WriteSharedBlockArchive(const std::wstring& path, const std::string& data, const std::vector<std::string>& names);

// Entries as stored: raw name bytes and general purpose flags.
struct StoredEntry {
  std::string name;
  unsigned long flags;
};
std::vector<StoredEntry> ReadDirectory(const std::wstring& path);

void WriteBytes(const std::wstring& path, const std::string& bytes);
// Bytes that hardly compress, as in a real picture; the same for the same seed.
std::string Noise(size_t size, uint32_t seed);
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// Names of the files and folders directly in a folder, sorted.
std::vector<std::wstring> ListFolder(const std::wstring& folder);

}  // namespace ziptest
