#include <windows.h>

#include <algorithm>
#include <unordered_set>

#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"
#include "runtime/FileIo.h"
#include "runtime/ZipNames.h"

namespace frmBienDich {

namespace {

constexpr std::wstring_view kFullPathMark = L":\\";

// Copies by way of a temporary file in the target's folder, so that a failed
// copy leaves no partial file; an existing target is never replaced.
bool CopyWhole(const std::wstring& source, const std::wstring& target) {
  std::wstring temp;
  if (!tq::CreateTempBeside(target, temp)) return false;
  if (CopyFileW(source.c_str(), temp.c_str(), FALSE) &&
      MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temp.c_str());
  return false;
}

}  // namespace

BankReadResult DocXML(const std::wstring& path, CompileBank& bank) {
  BankFileReader reader;
  reader.Load(path);
  const int count = std::min(reader.QuestionCount(), MaxQuestions);
  if (count == 0) return BankReadResult::NoQuestions;
  std::vector<QuestionRecord> records;
  records.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) {
    if (!reader.HasRecord(n)) return BankReadResult::Incomplete;
    records.push_back(reader.Record(n));
  }
  bank.records = std::move(records);
  bank.BankFolder = mdlMain::FolderOfPath(path);
  return BankReadResult::Ok;
}

void KiemFile(std::wstring_view text, const std::wstring& bankFolder, Attachments& list) {
  for (int kind = 0; kind <= 1; ++kind) {
    const mdlMain::TagPair& tags = mdlMain::TagTable[kind];
    size_t from = 0;
    // The start tag found stays valid while the scan has not passed it, so
    // stray end tags before it do not make the search start over.
    size_t start = std::wstring_view::npos;
    for (;;) {
      if (start == std::wstring_view::npos || start < from) start = text.find(tags.start, from);
      if (start == std::wstring_view::npos) break;
      // The first end tag anywhere after `from`: one standing before the start
      // tag is passed over and the start tag looked at again.
      const size_t end = text.find(tags.end, from);
      if (end == std::wstring_view::npos) break;
      const size_t nameAt = start + tags.start.size();
      if (end > nameAt) {
        const std::wstring_view name = text.substr(nameAt, end - nameAt);
        const std::wstring full = name.find(kFullPathMark) != std::wstring_view::npos
                                      ? std::wstring(name)
                                      : bankFolder + mdlMain::FileNameOfPath(name);
        std::wstring bare = mdlMain::FileNameOfPath(full);
        if (tq::IsPlainFileName(bare)) {
          list.names.push_back(std::move(bare));
          list.paths.push_back(full);
        }
      }
      from = end + tags.end.size();
    }
  }
}

void KiemTraLai(Attachments& list) {
  std::unordered_set<std::wstring> seen;
  Attachments kept;
  for (size_t k = 0; k < list.names.size(); ++k) {
    if (!seen.insert(list.names[k]).second) continue;
    kept.names.push_back(std::move(list.names[k]));
    kept.paths.push_back(std::move(list.paths[k]));
  }
  list = std::move(kept);
}

Attachments CollectAttachments(const CompileBank& bank) {
  Attachments list;
  for (const QuestionRecord& r : bank.records) {
    for (const std::wstring* text : {&r.CauHoi, &r.CauA, &r.CauB, &r.CauC, &r.CauD}) {
      KiemFile(*text, bank.BankFolder, list);
    }
  }
  KiemTraLai(list);
  return list;
}

tq::IoStatus GhiLaiFile(const CompileBank& bank, const std::wstring& target) {
  std::vector<QuestionRecord> records = bank.records;
  for (QuestionRecord& r : records) {
    for (std::wstring* text : {&r.CauHoi, &r.CauA, &r.CauB, &r.CauC, &r.CauD}) {
      *text = mdlMain::StripMediaFolders(*text);
    }
  }
  return WriteBankFile(target, records);
}

std::vector<std::wstring> SaoChepFiles(const Attachments& list, const std::wstring& folder) {
  std::vector<std::wstring> failed;
  for (size_t k = 0; k < list.names.size(); ++k) {
    const std::wstring target = folder + L"\\" + list.names[k];
    if (mdlMain::FileExists(target)) continue;
    if (!CopyWhole(list.paths[k], target)) failed.push_back(list.names[k]);
  }
  return failed;
}

}  // namespace frmBienDich
