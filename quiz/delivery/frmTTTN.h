// The test set-up screen's work apart from its window: opening a bank or a
// test package, the set-up checks and the start of a test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "delivery/PackageStatus.h"
#include "runtime/ZipUnpack.h"

namespace frmLamTN {
class TestSession;
}

namespace frmTTTN {

// The test set-up screen.
void Show();
// Opens a bank or package for the set-up (the path as the command line gives it).
void NapDuongDan(const std::wstring& path);

inline constexpr std::wstring_view OpenFilter = L"Tessaro File (*.xml;*.zip)|*.xml;*.zip|";
inline constexpr std::wstring_view NoFileText = L"Bạn chưa chọn file trắc nghiệm !";
inline constexpr std::wstring_view NoQuestionsMessage = L"File trắc nghiệm này không có câu hỏi nào !";
inline constexpr std::wstring_view SetupRefusedMessage = L"Bạn cần nhập lại phần thiết lập làm bài hợp lệ !";
inline constexpr std::wstring_view NotATestMessage =
    L"File này không phải là File đề hoặc File chưa có câu hỏi nào !\r\nMời bạn chọn File khác !";
// Why a package that declares more than it may unpack was refused.
inline constexpr std::wstring_view TooLargeReason =
    L"File đề này khai báo dung lượng giải nén quá lớn (hơn 100 lần kích thước File, hoặc hơn chỗ trống trên ổ đĩa).";

// Month, day, hour, minute and second in decimal without leading zeros, joined
// without separators: 25 December 14:30:05 gives "122514305".
std::wstring UnpackStamp(const SYSTEMTIME& time);

// How much a package may unpack into the Temp folder: what its directory
// declares may not exceed the larger of `floorBytes` and `sizeFactor` times
// the package file's real size, nor the Temp drive's free space less the
// margin. The file's real size counts, not the sizes its directory declares,
// so entries that share one compressed block cannot pass.
struct UnpackBounds {
  tq::ZipLimits zip;
  uint64_t floorBytes = uint64_t{64} << 20;
  uint32_t sizeFactor = 100;
  // Free bytes on the Temp folder's drive; measured there when not given.
  std::optional<uint64_t> freeBytes;
  // Left free whatever the package declares.
  uint64_t freeMargin = uint64_t{64} << 20;
};

// Deciphers the package and unpacks it flat into a new folder appTemp & stamp
// (a suffix "_2", "_3"... keeps an earlier folder of the same stamp apart).
// On success `folder` names it, without trailing separator, and it holds
// "data.xml" and the attached files. The deciphered archive is removed in
// every case, and so is everything unpacked when the package is refused; a
// package that declares more than the bounds allow is refused before anything
// is unpacked. A failure names the package itself, never a work file.
PackageStatus OpenPackage(const std::wstring& package, const std::wstring& appTemp, const SYSTEMTIME& now,
                          std::wstring& folder, const UnpackBounds& bounds = {});

// What the screen's window does for the set-up logic.
class SetupView {
 public:
  virtual ~SetupView() = default;
  // The screen's message box (title "Tessaro", this screen as owner); returns the answer.
  virtual int UniMsgBox(std::wstring_view text, int style) = 0;
  // The open dialog CDBox with this filter: the file chosen, empty when cancelled.
  virtual std::wstring ShowOpen(std::wstring_view filter) = 0;
  // A bank was opened: txtPath shows `path`, the window grows and the range
  // boxes take the whole bank (txtSoCau and txtDen `bankCount`, txtTu "1",
  // Khung(1) QuestionFrameCaption), then the average is shown again.
  virtual void DaMoFile(const std::wstring& path, int bankCount) = 0;
};

// The caption of the question frame once a bank of `bankCount` questions is open.
std::wstring QuestionFrameCaption(int bankCount);

// The boxes the start command and the average read, as the screen holds them.
struct SetupInput {
  std::wstring path;     // txtPath
  std::wstring from;     // txtTu
  std::wstring to;       // txtDen
  std::wstring count;    // txtSoCau
  std::wstring minutes;  // txtTime
  bool random = false;   // ckRandom
  bool noTime = false;   // ckNoTime
};

// A set-up that passed every check: values that fit what the test takes.
struct TestPlan {
  int16_t from = 0;
  int16_t to = 0;
  int16_t count = 0;
  bool random = false;
  uint8_t minutes = 0;  // 0 for no limit
};

// The checks of the start command. Empty (refused) when a box does not hold a
// 16-bit number, the range is not within 1..bankCount, a random count is not
// within 1..the range, or the minutes are not within 0..255. Sequential order
// does not read the count box; the no-time box makes the time box unread.
std::optional<TestPlan> CheckSetup(const SetupInput& input, int bankCount);

// lblTrungBinh: the average seconds per question from the numbers as read;
// empty when there is nothing sensible to show (no positive number of
// questions, minutes that are negative, a result that does not fit), so the
// label keeps what it had.
std::optional<std::wstring> TinhTrungBinh(const SetupInput& input);

// Where opening works: the program's Temp folder, the Windows temporary folder
// (both with a trailing separator), the clock for unpack stamps and the bounds.
struct SetupPlaces {
  std::wstring appTemp;
  std::wstring systemTemp;
  std::function<SYSTEMTIME()> clock;
  UnpackBounds bounds;
};
// The program's own places and the local clock.
SetupPlaces ProgramPlaces();

// SetupState: what the set-up screen keeps for the whole run, and its handlers.
// Opening keeps one rule: FromPackage, KeptUnpackFolder, the parked bank and
// the path shown change only once a bank was counted with success, and always
// describe that bank.
class SetupState {
 public:
  SetupState(SetupView& view, SetupPlaces places);
  SetupState(const SetupState&) = delete;
  SetupState& operator=(const SetupState&) = delete;

  // Where opening works from now on; only while nothing is kept in them.
  void SetPlaces(SetupPlaces places) { places_ = std::move(places); }

  // The screen loads: no bank is open.
  void Form_Load();
  // The command-line text names a bank (".xml" in any case) or a package. False
  // when the screen must unload: a plain bank that cannot be opened.
  bool NapDuongDan(const std::wstring& path);
  // The "..." button: a file chosen in the open dialog (".zip" in any case is a
  // package, anything else a bank). A missing file or a cancelled dialog does nothing.
  void cmdPath_Click();
  // The start command: checks the set-up, reads the bank and hands it to the
  // test. True once the test screen holds the test; the caller then fills its
  // candidate labels, unloads this screen and shows the test screen. False
  // after a message: the screen stays as it was.
  bool cmdLamBai_Click(const SetupInput& input, frmLamTN::TestSession& test);
  // The screen unloads, whatever closes it: without a test starting, the kept
  // unpack folder and the parked bank go.
  void Form_Unload();

  int BankCount() const { return bankCount_; }
  bool FromPackage() const { return fromPackage_; }
  const std::wstring& KeptUnpackFolder() const { return keptUnpackFolder_; }
  bool TestStarting() const { return testStarting_; }
  // The bank of an opened package between opening and the start: a file of
  // its own in the Windows temporary folder; empty when there is none.
  const std::wstring& ParkedBank() const { return parkedBank_; }
  // The file opened last with success, as txtPath shows it.
  const std::wstring& OpenedPath() const { return openedPath_; }

 private:
  enum class Count { Ok, NoQuestions, NotABank, TooLarge };

  // Counts the Question elements of a bank file.
  Count ReadXML(const std::wstring& path, int& count);
  bool OpenBank(const std::wstring& path);
  bool OpenTestPackage(const std::wstring& path);
  // Makes the bank just counted the one in use.
  void Adopt(const std::wstring& path, int count, bool fromPackage, std::wstring folder, std::wstring parked);
  void Refuse(const std::wstring& path, Count why);
  void DropKeptFolder();
  void DropParkedBank();

  SetupView& view_;
  SetupPlaces places_;
  int bankCount_ = 0;
  bool fromPackage_ = false;
  std::wstring keptUnpackFolder_;
  bool testStarting_ = false;
  std::wstring parkedBank_;
  std::wstring openedPath_;
};

// The candidate labels of the test screen from the set-up's boxes as edited.
struct CandidateLabels {
  std::wstring lblTenTS;
  std::wstring lblLop;
  std::wstring lblMaSo;
};
CandidateLabels CandidateLabelsOf(std::wstring_view name, std::wstring_view className, std::wstring_view number);

}  // namespace frmTTTN
