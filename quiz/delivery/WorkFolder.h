// A private folder for the files of one compile or opening, so that fixed work
// names never meet the user's own files; removed with its files when it goes.
#pragma once

#include <string>

class WorkFolder {
 public:
  // Makes a new folder inside `parent` (which ends with a separator).
  explicit WorkFolder(const std::wstring& parent);
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool Made() const { return !path_.empty(); }
  // Path of a file inside the folder.
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};
