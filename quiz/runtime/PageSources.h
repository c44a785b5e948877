// Which files a page may read or open. A page comes from a bank or a package
// that anyone may have written, so its names are untrusted: nothing it names
// may start a program or reach the network.
#pragma once

#include <string>
#include <string_view>

namespace tq {

// A path that reaches beyond this machine's drives: a network share
// (\\host\share), a device or raw namespace (\\.\, \\?\), or a name holding a
// colon anywhere but after a leading drive letter (streams, devices, URLs).
bool IsNetworkOrDevicePath(std::wstring_view path);

// A sound or video file by its extension (compared without case).
bool IsMediaFile(std::wstring_view path);

// A picture a page may read: a local file, or one inside the page's own
// folder when that folder itself lies on a share. Never a device, a raw
// namespace path or a file stream.
bool MayReadPicture(const std::wstring& path, const std::wstring& pageFolder);
// An embedded file a click may open: a sound or video file inside the page's
// own folder, by its full path.
bool MayOpenEmbedded(const std::wstring& path, const std::wstring& pageFolder);

}  // namespace tq
