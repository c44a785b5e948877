// Packs files into a ZIP archive, each as a top-level entry under its bare name
// (stored as UTF-8), so that unpacking puts them side by side in one folder.
#pragma once

#include <string>
#include <vector>

namespace tq {

class ZipPacker {
 public:
  // Adds a file by its full path; its entry name is the path's last component.
  void AddFile(const std::wstring& path);
  void SetArchiveName(const std::wstring& path) { archive_ = path; }

  // Writes the archive beside its target and moves it over the target only when
  // complete, so a failed pack leaves an earlier file of that name intact.
  // Throws ZipError: a missing source file, an entry name that is not a plain
  // file name, or two entries with one name (letter case ignored) fail the pack.
  void Create() const;

 private:
  std::vector<std::wstring> files_;
  std::wstring archive_;
};

}  // namespace tq
