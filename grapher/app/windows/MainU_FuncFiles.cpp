// The main window's Save and Load buttons: the function lists to and from
// a function-list file through the file dialogs, and the file named on the
// command line at start-up.
#include <windows.h>

#include <exception>

#include "app/model/MainU_FuncFile.h"
#include "app/windows/MainU.h"
#include "framework/core/Streams.h"
#include "framework/windows/Dialogs.h"

namespace kx {

namespace {

// Closes the file whatever way the reading ends.
class TReadFile {
 public:
  explicit TReadFile(const std::string& fileName)
      : handle_(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~TReadFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  TReadFile(const TReadFile&) = delete;
  TReadFile& operator=(const TReadFile&) = delete;

  bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Size(int64_t& size) const {
    LARGE_INTEGER s;
    if (!GetFileSizeEx(handle_, &s)) return false;
    size = s.QuadPart;
    return true;
  }
  bool ReadAll(std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
      DWORD got = 0;
      if (!ReadFile(handle_, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) return false;
      if (got == 0) {
        bytes.resize(done);  // the file shrank while it was read
        break;
      }
      done += got;
    }
    return true;
  }

 private:
  HANDLE handle_;
};

}  // namespace

void TMainForm::MakeFileDialogs() {
  ChooseSaveFile = [this](std::string& fileName) {
    auto* dialog = As<TSaveDialog>(FindComponent("SaveFuncFileDlg"));
    dialog->SetTitle("Luu file text chua danh sach ham so");
    dialog->SetFileName("");
    dialog->SetDefaultExt(".fls");
    dialog->SetFilter("Function List (*.fls)|*.fls");
    if (!dialog->Execute()) return false;
    fileName = dialog->FileName();
    return true;
  };
  ChooseLoadFile = [this](std::string& fileName) {
    auto* dialog = As<TOpenDialog>(FindComponent("OpenFuncFileDlg"));
    if (!dialog->Execute()) return false;
    fileName = dialog->FileName();
    return true;
  };
}

void TMainForm::btnSaveClick(TObject*) {
  std::string fileName;
  if (!ChooseSaveFile || !ChooseSaveFile(fileName)) return;
  const TFuncModel& model = FuncModel();
  const std::string text = WriteFuncListText(model.List2D, model.Count2D, model.List3D, model.Count3D);
  try {
    // Written beside the target and moved over it only when complete.
    SaveToFileSafely(fileName, text);
  } catch (const Exception& e) {
    fileMessages_->ShowWarning("Khong luu duoc file " + fileName + "\r\n" + e.Message(), "Error");
  }
}

void TMainForm::btnLoadClick(TObject*) {
  // Loading replaces compilers a running search may be calling.
  if (StopSearchInstead(EvalState())) return;
  std::string fileName;
  if (ChooseLoadFile && ChooseLoadFile(fileName)) LoadFuncFile(fileName);
}

void TMainForm::LoadFuncFile(const std::string& fileName) {
  TReadFile file(fileName);
  int64_t size = 0;
  if (!file.Opened() || !file.Size(size)) {
    fileMessages_->ShowWarning("Khong mo duoc file " + fileName + "\r\n" + SysErrorMessage(GetLastError()), "Error");
    return;
  }
  // Anything larger is no list of 40 functions.
  if (size > MaxFuncFileSize) {
    fileMessages_->ShowWarning(BadFuncFileText, "Error");
    return;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!file.ReadAll(bytes)) {
    fileMessages_->ShowWarning("Khong doc duoc file " + fileName + "\r\n" + SysErrorMessage(GetLastError()), "Error");
    return;
  }
  driver_->LoadFuncList(bytes);
}

}  // namespace kx
