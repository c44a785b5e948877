#include "ZipTestFiles.h"

#include <windows.h>

#include <minizip/unzip.h>
#include <minizip/zip.h>
// iowin32.h relies on the declarations above.
#include <minizip/iowin32.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "runtime/FileIo.h"

namespace ziptest {

namespace {

std::string DeflateRaw(const std::string& data) {
  z_stream z{};
  deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  path_ = std::wstring(temp) + L"tqzip" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  tq::RemoveFolderTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { tq::RemoveFolderTree(path_); }

void WriteArchive(const std::wstring& path, const std::vector<RawEntry>& entries) {
  zlib_filefunc64_def io;
  fill_win32_filefunc64W(&io);
  zipFile zip = zipOpen2_64(path.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
  if (!zip) throw std::runtime_error("cannot create test archive");
  for (const RawEntry& e : entries) {
    zip_fileinfo info{};
    const bool raw = e.declaredSize >= 0;
    zipOpenNewFileInZip4_64(zip, e.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION, raw ? 1 : 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr,
                            0, 0, e.flags, 0);
    const std::string bytes = raw ? DeflateRaw(e.data) : e.data;
    zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
    if (raw) {
      const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()));
      zipCloseFileInZipRaw64(zip, static_cast<ZPOS64_T>(e.declaredSize), crc);
    } else {
      zipCloseFileInZip(zip);
    }
  }
  zipClose(zip, nullptr);
}

void WriteSharedBlockArchive(const std::wstring& path, const std::string& data, const std::vector<std::string>& names) {
  const std::string block = DeflateRaw(data);
  const uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
  std::string out;
  auto put = [&](uint32_t value, int bytes) {
    for (int k = 0; k < bytes; ++k) out += static_cast<char>((value >> (8 * k)) & 0xFF);
  };
  // The sizes, method and dates every header shares, from "version needed" on.
  auto common = [&](const std::string& name) {
    put(20, 2);      // version needed
    put(0x800, 2);   // UTF-8 names
    put(8, 2);       // deflated
    put(0, 2);       // time
    put(0x5C21, 2);  // date
    put(crc, 4);
    put(static_cast<uint32_t>(block.size()), 4);
    put(static_cast<uint32_t>(data.size()), 4);
    put(static_cast<uint32_t>(name.size()), 2);
    put(0, 2);  // extra field
  };
  put(0x04034B50, 4);
  common(names.front());
  out += names.front();
  out += block;
  const uint32_t directory = static_cast<uint32_t>(out.size());
  for (const std::string& name : names) {
    put(0x02014B50, 4);
    put(20, 2);  // version made by
    common(name);
    put(0, 2);   // comment
    put(0, 2);   // disk
    put(0, 2);   // internal attributes
    put(0, 4);   // external attributes
    put(0, 4);   // the one local header
    out += name;
  }
  const uint32_t directorySize = static_cast<uint32_t>(out.size()) - directory;
  put(0x06054B50, 4);
  put(0, 2);
  put(0, 2);
  put(static_cast<uint32_t>(names.size()), 2);
  put(static_cast<uint32_t>(names.size()), 2);
  put(directorySize, 4);
  put(directory, 4);
  put(0, 2);
  WriteBytes(path, out);
}

std::vector<StoredEntry> ReadDirectory(const std::wstring& path) {
  zlib_filefunc64_def io;
  fill_win32_filefunc64W(&io);
  unzFile unz = unzOpen2_64(path.c_str(), &io);
  if (!unz) throw std::runtime_error("cannot open test archive");
  std::vector<StoredEntry> out;
  for (int rc = unzGoToFirstFile(unz); rc == UNZ_OK; rc = unzGoToNextFile(unz)) {
    unz_file_info64 info;
    char name[1024];
    unzGetCurrentFileInfo64(unz, &info, name, sizeof name, nullptr, 0, nullptr, 0);
    out.push_back({std::string(name, info.size_filename), info.flag});
  }
  unzClose(unz);
  return out;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Noise(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<char>(seed >> 24);
  }
  return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> ListFolder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace ziptest
