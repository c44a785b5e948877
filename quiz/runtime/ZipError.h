// Failures of the ZIP layer, with the entry they concern so that screens can name it.
#pragma once

#include <stdexcept>
#include <string>

namespace tq {

enum class ZipFailure {
  CannotOpen,     // the archive or a file to pack cannot be opened
  NotAnArchive,   // damaged, or no ZIP archive at all
  UnsafeName,     // an entry name that is no plain file name of the folder
  DuplicateName,  // two entries would land on one file
  TooLarge,       // over the bound of total size or entry count
  Unsupported,    // encrypted entry or unknown compression method
  ReadFailed,     // reading failed, checksum mismatch included
  WriteFailed,
};

class ZipError : public std::runtime_error {
 public:
  ZipError(ZipFailure reason, std::wstring entry, const char* what)
      : std::runtime_error(what), reason_(reason), entry_(std::move(entry)) {}
  ZipFailure Reason() const { return reason_; }
  // The entry name or file path concerned; empty for the archive as a whole.
  const std::wstring& Entry() const { return entry_; }

 private:
  ZipFailure reason_;
  std::wstring entry_;
};

}  // namespace tq
