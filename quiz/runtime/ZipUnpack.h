// Unpacks a ZIP archive flat into one folder, treating the archive as untrusted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tq {

struct ZipLimits {
  uint64_t maxTotalBytes = uint64_t{1} << 31;  // everything unpacked together
  uint32_t maxEntries = 20000;
};

// Extracts every entry of `archive` directly into `folder` (made when missing)
// under the last component of its name, and returns the names written.
//
// All names are checked before anything is written: a name whose last component
// is no plain file name (empty, ".", "..", a drive colon, a device name), two
// entries landing on one file, or declared sizes over the bound refuse the whole
// archive. While extracting, sizes are counted again and checksums verified.
// Throws ZipError; on failure the files written so far are removed again, and
// the folder too when this call made it. Existing files are never replaced.
std::vector<std::wstring> ZipExtract(const std::wstring& archive, const std::wstring& folder,
                                     const ZipLimits& limits = {});

}  // namespace tq
