// The compile screen's handlers apart from its window: choosing the bank and
// the output, and compiling into a folder or a package.
#include <windows.h>

#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"

namespace frmBienDich {

namespace {

constexpr int kInformation = static_cast<int>(mUniMsgBox::Information);
constexpr int kYesNo = static_cast<int>(mUniMsgBox::YesNo);

// What went wrong with a package, in the words of the screen.
std::wstring ReasonOf(const PackageStatus& status) {
  switch (status.failure) {
    case PackageFailure::WorkFolder:
      return L"Không tạo được thư mục tạm.";
    case PackageFailure::ArchiveFailed:
      switch (status.zipFailure) {
        case tq::ZipFailure::CannotOpen:
        case tq::ZipFailure::ReadFailed:
          return L"Không đọc được file này.";
        case tq::ZipFailure::UnsafeName:
          return L"Tên file không hợp lệ.";
        case tq::ZipFailure::DuplicateName:
          return L"Hai file trùng tên.";
        default:
          return L"Không đóng gói được.";
      }
    case PackageFailure::BankNotWritten:
    case PackageFailure::CipherFailed:
    default:
      return L"Không ghi được file này.";
  }
}

}  // namespace

std::vector<std::wstring> MissingFiles(const Attachments& list) {
  std::vector<std::wstring> missing;
  for (const std::wstring& path : list.paths) {
    if (!mdlMain::FileExists(path)) missing.push_back(path);
  }
  return missing;
}

std::wstring MissingFilesMessage(const std::vector<std::wstring>& missing) {
  std::wstring text(MissingFilesHeading);
  for (size_t k = 0; k < missing.size() && k < MissingFilesShown; ++k) text += L"\r\n" + missing[k];
  if (missing.size() > MissingFilesShown) {
    text += L"\r\n... và " + std::to_wstring(missing.size() - MissingFilesShown) + L" file khác";
  }
  return text + L"\r\n" + std::wstring(NothingWrittenLine);
}

CompileState::CompileState(CompileView& view, std::wstring appTemp) : view_(view), appTemp_(std::move(appTemp)) {}

void CompileState::Form_Load() {
  mode_ = OutputMode::Package;
  bankRead_ = false;
  bank_ = {};
  files_ = {};
}

void CompileState::optKieu_Click(int index) { mode_ = index == 0 ? OutputMode::Folder : OutputMode::Package; }

void CompileState::cmdPath_Click() {
  const std::wstring path = view_.ShowOpen(BankFilter);
  if (mdlMain::IsBlank(path)) return;
  if (!mdlMain::FileExists(path)) {
    view_.UniMsgBox(NoFileMessage, kInformation);
    return;
  }
  // A rejected file leaves the held bank as it was.
  if (DocXML(path, bank_) != BankReadResult::Ok) {
    view_.UniMsgBox(NotABankMessage, kInformation);
    return;
  }
  files_ = CollectAttachments(bank_);
  bankRead_ = true;
  view_.DaDocFile(path, files_.names);
}

void CompileState::cmdChange_Click(int index) {
  if (index == 0) {
    const std::wstring folder = view_.ShowFolder();
    if (!mdlMain::IsBlank(folder)) view_.SetOutPath(0, folder);
    return;
  }
  const std::wstring path = view_.ShowSave(PackageFilter);
  if (mdlMain::IsBlank(path)) return;
  if (mdlMain::FileExists(path) && view_.UniMsgBox(OverwriteQuestion, kYesNo) != mUniMsgBox::AnswerYes) return;
  view_.SetOutPath(1, path);
}

bool CompileState::cmdDoIt_Click(const CompileInput& input) {
  if (!bankRead_) return false;
  return mode_ == OutputMode::Folder ? CompileFolder(input) : CompilePackage(input);
}

bool CompileState::AllFilesThere() {
  const std::vector<std::wstring> missing = MissingFiles(files_);
  if (missing.empty()) return true;
  view_.UniMsgBox(MissingFilesMessage(missing), kInformation);
  return false;
}

void CompileState::Failed(const std::wstring& item, const std::wstring& reason) {
  view_.UniMsgBox(std::wstring(NotCompiledHeading) + L"\r\n" + item + L"\r\n" + reason, kInformation);
}

bool CompileState::CompileFolder(const CompileInput& input) {
  if (mdlMain::IsBlank(input.name) || mdlMain::IsBlank(input.outFolder)) return false;
  if (!AllFilesThere()) return false;
  const std::wstring folder = input.outFolder + L"\\" + input.name;
  // An output folder is always new: one that exists is never merged into.
  if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
    view_.UniMsgBox(std::wstring(FolderExistsHeading) + L"\r\n" + folder + L"\r\n" + std::wstring(OtherNameLine),
                    kInformation);
    return false;
  }
  if (!CreateDirectoryW(folder.c_str(), nullptr)) {
    Failed(folder, tq::IoStatus{GetLastError()}.Text());
    return false;
  }
  // The folder is this compile's own: one that does not finish takes it away.
  const std::wstring written = folder + (input.html ? L"\\index.htm" : L"\\data.xml");
  const tq::IoStatus status = input.html ? BienDichHTML(bank_, written) : GhiLaiFile(bank_, written);
  if (!status) {
    tq::RemoveFolderTree(folder);
    Failed(written, status.Text());
    return false;
  }
  const std::vector<std::wstring> notCopied = SaoChepFiles(files_, folder);
  if (!notCopied.empty()) {
    tq::RemoveFolderTree(folder);
    Failed(notCopied.front(), L"Không chép được file này.");
    return false;
  }
  view_.UniMsgBox(DoneMessage, kInformation);
  return true;
}

bool CompileState::CompilePackage(const CompileInput& input) {
  if (mdlMain::IsBlank(input.package)) return false;
  if (!AllFilesThere()) return false;
  const PackageStatus status = WritePackage(bank_, files_, input.package, appTemp_);
  if (!status) {
    Failed(status.item, ReasonOf(status));
    return false;
  }
  view_.UniMsgBox(DoneMessage, kInformation);
  return true;
}

}  // namespace frmBienDich
