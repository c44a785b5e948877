#include <set>

#include "authoring/mdlEncrypt.h"
#include "delivery/WorkFolder.h"
#include "delivery/frmBienDich.h"
#include "runtime/ZipNames.h"
#include "runtime/ZipPack.h"

namespace frmBienDich {

namespace {

constexpr std::wstring_view kBankName = L"data.xml";

}  // namespace

PackageStatus WritePackage(const CompileBank& bank, const Attachments& list, const std::wstring& target,
                           const std::wstring& appTemp) {
  WorkFolder work(appTemp);
  if (!work.Made()) return {PackageFailure::WorkFolder, appTemp};
  const std::wstring bankFile = work.File(std::wstring(kBankName));
  if (!GhiLaiFile(bank, bankFile)) return {PackageFailure::BankNotWritten, bankFile};

  // As in an output folder, the bank comes first and a later file never
  // replaces an earlier one of the same name, whatever its letter case.
  std::set<std::wstring> taken{tq::FileNameKey(kBankName)};
  tq::ZipPacker packer;
  for (size_t k = 0; k < list.paths.size(); ++k) {
    if (taken.insert(tq::FileNameKey(list.names[k])).second) packer.AddFile(list.paths[k]);
  }
  packer.AddFile(bankFile);
  const std::wstring archive = work.File(L"package.zip");
  packer.SetArchiveName(archive);
  try {
    packer.Create();
  } catch (const tq::ZipError& e) {
    return {PackageFailure::ArchiveFailed, e.Entry(), e.Reason()};
  }
  if (!mdlEncrypt::CipherFile(archive, target, mdlEncrypt::QuizKey)) {
    return {PackageFailure::CipherFailed, target};
  }
  return {};
}

}  // namespace frmBienDich
