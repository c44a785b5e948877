// A bank of 1,000 and one of 10,000 questions through each step the quiz
// tool takes with a bank, in a work folder of its own under the Temp folder.
#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "Sections.h"
#include "Timing.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmTTTN.h"

namespace {

std::vector<QuestionRecord> MakeBank(int count) {
  std::vector<QuestionRecord> records;
  for (int k = 1; k <= count; ++k) {
    const std::wstring n = std::to_wstring(k);
    records.push_back({L"Câu hỏi số " + n + L": [b]tính[/b] " + n + L" + 2 bằng bao nhiêu ?", n + L" + 1",
                       n + L" + 2", L"Không tính được", L"[i]Một số khác[/i]", L"ABCD"[k % 4]});
  }
  return records;
}

struct StepTimes {
  double write = 0, read = 0, page = 0, pack = 0, unpack = 0;
};

StepTimes Measure(int count, const std::filesystem::path& work) {
  const std::vector<QuestionRecord> records = MakeBank(count);
  const std::wstring bankPath = (work / L"bank.xml").wstring();
  StepTimes t;
  t.write = tqbench::BestMs(3, [&] {
    if (!WriteBankFile(bankPath, records)) throw std::runtime_error("the bank was not written");
  });
  t.read = tqbench::BestMs(3, [&] {
    BankFileReader reader;
    if (!reader.Load(bankPath) || reader.QuestionCount() != count) throw std::runtime_error("the bank was not read");
    for (int n = 1; n <= count; ++n) (void)reader.Record(n);
  });
  frmBienDich::CompileBank bank{records, work.wstring() + L"\\"};
  std::wstring page;
  t.page = tqbench::BestMs(3, [&] { page = frmBienDich::CompiledPageText(bank); });
  const std::wstring package = (work / L"test.zip").wstring();
  const std::wstring appTemp = (work / L"t").wstring();
  t.pack = tqbench::BestMs(3, [&] {
    if (!frmBienDich::WritePackage(bank, {}, package, appTemp)) throw std::runtime_error("the package was not written");
  });
  t.unpack = tqbench::BestMs(3, [&] {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::wstring folder;
    if (!frmTTTN::OpenPackage(package, appTemp, now, folder)) throw std::runtime_error("the package did not open");
    std::filesystem::remove_all(folder);
  });
  return t;
}

}  // namespace

void tqbench::BankFigures() {
  Heading("Question bank, 1,000 and 10,000 questions (growth about 10 is linear)");
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path work = std::filesystem::path(temp) / L"tq-bench-bank";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);
  const StepTimes small = Measure(1000, work), large = Measure(10000, work);
  std::filesystem::remove_all(work);
  TenfoldRow("write the bank file", small.write, large.write);
  TenfoldRow("read the bank file", small.read, large.read);
  TenfoldRow("turn it into the page", small.page, large.page);
  TenfoldRow("pack the test package", small.pack, large.pack);
  TenfoldRow("unpack the test package", small.unpack, large.unpack);
}
