// The compile screen's work apart from its window: the held bank, its attached
// files, and the three outputs (bank file, self-scoring page, test package).
#pragma once

#include <string>
#include <string_view>
#include <utility>
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

// The full paths of the attached files that are not there, in list order.
std::vector<std::wstring> MissingFiles(const Attachments& list);

inline constexpr std::wstring_view BankFilter = L"Tessaro files (*.xml)|*.xml|";
inline constexpr std::wstring_view PackageFilter = L"Tessaro Compress File (*.zip)|*.zip|";
inline constexpr std::wstring_view NoFileMessage = L"File bạn chọn không tồn tại !\r\nMời bạn chọn file khác !";
inline constexpr std::wstring_view NotABankMessage =
    L"File này không phải là File đề hoặc File chưa có câu hỏi nào !\r\nMời bạn chọn File khác !";
inline constexpr std::wstring_view OverwriteQuestion =
    L"File bạn chọn hiện đang tồn tại !\r\nBạn có muốn ghi đè lên file này ?";
inline constexpr std::wstring_view DoneMessage = L"Đã biên dịch xong !";
inline constexpr std::wstring_view MissingFilesHeading = L"Không tìm thấy các file đính kèm sau :";
inline constexpr std::wstring_view NothingWrittenLine = L"Chưa biên dịch, không có file nào được ghi !";
inline constexpr std::wstring_view FolderExistsHeading = L"Thư mục này đã có sẵn :";
inline constexpr std::wstring_view OtherNameLine = L"Mời bạn đặt tên khác !";
inline constexpr std::wstring_view NotCompiledHeading = L"Không biên dịch được :";
// At most this many missing files are named one by one in the message.
inline constexpr size_t MissingFilesShown = 15;

// The message that lists the attached files not found.
std::wstring MissingFilesMessage(const std::vector<std::wstring>& missing);

// What the compile screen's window does for the compile logic.
class CompileView {
 public:
  virtual ~CompileView() = default;
  // The screen's message box (title "Tessaro", this screen as owner); returns the answer.
  virtual int UniMsgBox(std::wstring_view text, int style) = 0;
  // CDBox's open or save dialog with this filter: the file chosen, empty when cancelled.
  virtual std::wstring ShowOpen(std::wstring_view filter) = 0;
  virtual std::wstring ShowSave(std::wstring_view filter) = 0;
  // CDBox's folder browser: the folder chosen, empty when cancelled.
  virtual std::wstring ShowFolder() = 0;
  // A bank was read: txtPath shows `path`, lstDS the attached files' bare
  // names, and cmdDoIt is enabled.
  virtual void DaDocFile(const std::wstring& path, const std::vector<std::wstring>& names) = 0;
  // txtOutPath(index) takes a path chosen in a dialog.
  virtual void SetOutPath(int index, const std::wstring& path) = 0;
};

// OutputMode: folder mode (optKieu(0)) or package mode (optKieu(1)).
enum class OutputMode { Folder = 0, Package = 1 };

// The boxes the compile command reads, as the screen holds them.
struct CompileInput {
  std::wstring outFolder;  // txtOutPath(0): where the output folder is made
  std::wstring name;       // txtName: the output folder's name
  bool html = false;       // ckHTML
  std::wstring package;    // txtOutPath(1)
};

// The compile screen's state and handlers. A compile checks every attached
// file first and writes nothing while one is missing; it reports success only
// for a complete output, and a failed one leaves nothing of its own behind.
class CompileState {
 public:
  // appTemp: the program's Temp folder, with its trailing separator.
  CompileState(CompileView& view, std::wstring appTemp);
  CompileState(const CompileState&) = delete;
  CompileState& operator=(const CompileState&) = delete;

  void SetAppTemp(std::wstring appTemp) { appTemp_ = std::move(appTemp); }

  // The screen loads: package mode, no bank.
  void Form_Load();
  void optKieu_Click(int index);
  // "...": chooses and reads a bank.
  void cmdPath_Click();
  // "Change Path": index 0 the output folder's parent, 1 the package file.
  void cmdChange_Click(int index);
  // "Biên dịch": true when the output was written whole and "Đã biên dịch
  // xong !" shown; false after another message, or when a box is blank.
  bool cmdDoIt_Click(const CompileInput& input);

  OutputMode Mode() const { return mode_; }
  bool BankRead() const { return bankRead_; }
  const CompileBank& Bank() const { return bank_; }
  const Attachments& Files() const { return files_; }

 private:
  bool CompileFolder(const CompileInput& input);
  bool CompilePackage(const CompileInput& input);
  // Shows the missing attached files; true when every one is there.
  bool AllFilesThere();
  void Failed(const std::wstring& item, const std::wstring& reason);

  CompileView& view_;
  std::wstring appTemp_;
  OutputMode mode_ = OutputMode::Package;
  bool bankRead_ = false;
  CompileBank bank_;
  Attachments files_;
};

}  // namespace frmBienDich
