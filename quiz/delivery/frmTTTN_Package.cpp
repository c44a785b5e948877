#include <windows.h>

#include "authoring/mdlEncrypt.h"
#include "authoring/mdlMain.h"
#include "delivery/WorkFolder.h"
#include "delivery/frmTTTN.h"
#include "runtime/FileIo.h"

namespace frmTTTN {

namespace {

// Makes a folder that did not exist before; empty when none could be made.
std::wstring MakeNewFolder(const std::wstring& base) {
  if (CreateDirectoryW(base.c_str(), nullptr)) return base;
  for (unsigned n = 2; n < 1000 && GetLastError() == ERROR_ALREADY_EXISTS; ++n) {
    const std::wstring path = base + L"_" + std::to_wstring(n);
    if (CreateDirectoryW(path.c_str(), nullptr)) return path;
  }
  return {};
}

}  // namespace

std::wstring UnpackStamp(const SYSTEMTIME& time) {
  return std::to_wstring(time.wMonth) + std::to_wstring(time.wDay) + std::to_wstring(time.wHour) +
         std::to_wstring(time.wMinute) + std::to_wstring(time.wSecond);
}

PackageStatus OpenPackage(const std::wstring& package, const std::wstring& appTemp, const SYSTEMTIME& now,
                          std::wstring& folder, const tq::ZipLimits& limits) {
  // The deciphered archive gets a work folder of its own, so that a package
  // lying in the Temp folder itself is never overwritten or deleted.
  WorkFolder work(appTemp);
  if (!work.Made()) return {PackageFailure::WorkFolder, appTemp};
  const std::wstring archive = work.File(L"package.zip");
  if (!mdlEncrypt::CipherFile(package, archive, mdlEncrypt::QuizKey)) {
    return {PackageFailure::CipherFailed, package};
  }
  const std::wstring unpacked = MakeNewFolder(appTemp + UnpackStamp(now));
  if (unpacked.empty()) return {PackageFailure::WorkFolder, appTemp + UnpackStamp(now)};

  try {
    tq::ZipExtract(archive, unpacked, limits);
  } catch (const tq::ZipError& e) {
    tq::RemoveFolderTree(unpacked);
    return {PackageFailure::ArchiveFailed, e.Entry(), e.Reason()};
  }
  if (!mdlMain::FileExists(unpacked + L"\\data.xml")) {
    tq::RemoveFolderTree(unpacked);
    return {PackageFailure::NoBank, package};
  }
  folder = unpacked;
  return {};
}

}  // namespace frmTTTN
