#include <windows.h>

#include <algorithm>
#include <optional>

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

// What the package may unpack: the bounds given, no more than the bound of its
// real size, and no more than the Temp folder's drive holds beyond the margin.
tq::ZipLimits LimitsFor(const std::wstring& package, const std::wstring& appTemp, const UnpackBounds& bounds) {
  tq::ZipLimits limits = bounds.zip;
  WIN32_FILE_ATTRIBUTE_DATA data;
  const uint64_t size = GetFileAttributesExW(package.c_str(), GetFileExInfoStandard, &data)
                            ? uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow
                            : 0;
  limits.maxTotalBytes = std::min(limits.maxTotalBytes, std::max(bounds.floorBytes, size * bounds.sizeFactor));
  std::optional<uint64_t> free = bounds.freeBytes;
  ULARGE_INTEGER available;
  if (!free && GetDiskFreeSpaceExW(appTemp.c_str(), &available, nullptr, nullptr)) free = available.QuadPart;
  if (free)
    limits.maxTotalBytes = std::min(limits.maxTotalBytes, *free > bounds.freeMargin ? *free - bounds.freeMargin : 0);
  return limits;
}

}  // namespace

std::wstring UnpackStamp(const SYSTEMTIME& time) {
  return std::to_wstring(time.wMonth) + std::to_wstring(time.wDay) + std::to_wstring(time.wHour) +
         std::to_wstring(time.wMinute) + std::to_wstring(time.wSecond);
}

PackageStatus OpenPackage(const std::wstring& package, const std::wstring& appTemp, const SYSTEMTIME& now,
                          std::wstring& folder, const UnpackBounds& bounds) {
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
    tq::ZipExtract(archive, unpacked, LimitsFor(package, appTemp, bounds));
  } catch (const tq::ZipError& e) {
    tq::RemoveFolderTree(unpacked);
    // The deciphered copy is a work file the user never saw: name the package.
    const bool aboutArchive = e.Entry().empty() || e.Entry() == archive;
    return {PackageFailure::ArchiveFailed, aboutArchive ? package : e.Entry(), e.Reason()};
  }
  if (!mdlMain::FileExists(unpacked + L"\\data.xml")) {
    tq::RemoveFolderTree(unpacked);
    return {PackageFailure::NoBank, package};
  }
  folder = unpacked;
  return {};
}

}  // namespace frmTTTN
