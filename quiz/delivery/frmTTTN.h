// The test set-up screen's work apart from its window: opening a test package.
#pragma once

#include <windows.h>

#include <string>

#include "delivery/PackageStatus.h"
#include "runtime/ZipUnpack.h"

namespace frmTTTN {

// Month, day, hour, minute and second in decimal without leading zeros, joined
// without separators: 25 December 14:30:05 gives "122514305".
std::wstring UnpackStamp(const SYSTEMTIME& time);

// Deciphers the package and unpacks it flat into a new folder appTemp & stamp
// (a suffix "_2", "_3"... keeps an earlier folder of the same stamp apart).
// On success `folder` names it, without trailing separator, and it holds
// "data.xml" and the attached files. The deciphered archive is removed in
// every case, and so is everything unpacked when the package is refused.
PackageStatus OpenPackage(const std::wstring& package, const std::wstring& appTemp, const SYSTEMTIME& now,
                          std::wstring& folder, const tq::ZipLimits& limits = {});

}  // namespace frmTTTN
