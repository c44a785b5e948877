// The compile screen's work apart from its window: the held bank, its attached
// files, and the three outputs (bank file, self-scoring page, test package).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "authoring/QuestionBank.h"
#include "delivery/PackageStatus.h"
#include "runtime/FileIo.h"

namespace frmBienDich {

// The compile screen.
void Show();

// The bank held by the screen: 1 to MaxQuestions records once a bank is read.
struct CompileBank {
  std::vector<QuestionRecord> records;
  std::wstring BankFolder;  // with its trailing separator; base of relative names
};

// The attached files: entry k of `names` (bare name, shown) belongs to entry k
// of `paths` (full path).
struct Attachments {
  std::vector<std::wstring> names;
  std::vector<std::wstring> paths;
};

// Reads a bank file; banks over MaxQuestions are cut to their first ones. On
// any result but Ok the held bank stays as it was.
BankReadResult DocXML(const std::wstring& path, CompileBank& bank);

// Appends every file named by the text's [image] and [media] pairs, pictures
// first. Names without ":\" are looked for in the bank's folder by their last
// component. A name whose last component could not be a file of the output
// folder (empty, "..", a device name) is no attachment.
void KiemFile(std::wstring_view text, const std::wstring& bankFolder, Attachments& list);
// Drops later entries whose bare name equals an earlier one (letter case counts).
void KiemTraLai(Attachments& list);
// KiemFile over the question and answers of every record in order, then KiemTraLai.
Attachments CollectAttachments(const CompileBank& bank);

// Writes the bank with every embedded file named by its bare name.
tq::IoStatus GhiLaiFile(const CompileBank& bank, const std::wstring& target);

// Copies the attached files into the output folder (no trailing separator);
// an existing file is never replaced. Returns the names that could not be copied.
std::vector<std::wstring> SaoChepFiles(const Attachments& list, const std::wstring& folder);

// The self-scoring page as text.
std::wstring CompiledPageText(const CompileBank& bank);
// Writes the byte-order mark and the page as UTF-8.
tq::IoStatus GhiFileHTML(std::wstring_view text, const std::wstring& path);
tq::IoStatus BienDichHTML(const CompileBank& bank, const std::wstring& path);

// Writes the test package `target`: the bank with bare names as "data.xml" and
// the attached files, zipped and enciphered whole. Work files lie in a folder
// of their own inside appTemp and are removed whatever happens; the target is
// replaced only by a complete package.
PackageStatus WritePackage(const CompileBank& bank, const Attachments& list, const std::wstring& target,
                           const std::wstring& appTemp);

}  // namespace frmBienDich
