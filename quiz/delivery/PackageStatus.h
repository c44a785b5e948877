// Outcome of writing or opening a test package, naming the file concerned.
#pragma once

#include <string>

#include "runtime/ZipError.h"

enum class PackageFailure {
  None,
  WorkFolder,      // no work folder could be made in the Temp folder
  BankNotWritten,  // the temporary bank could not be written
  ArchiveFailed,   // packing or unpacking refused or failed (see zipFailure)
  CipherFailed,    // enciphering or deciphering failed
  NoBank,          // the unpacked package holds no "data.xml"
};

struct PackageStatus {
  PackageFailure failure = PackageFailure::None;
  std::wstring item;                                       // file or entry concerned
  tq::ZipFailure zipFailure = tq::ZipFailure::CannotOpen;  // meaningful for ArchiveFailed

  explicit operator bool() const { return failure == PackageFailure::None; }
};
