#include "authoring/QuestionBank.h"

#include <climits>
#include <cstdint>
#include <cwchar>

#include "authoring/mdlMain.h"
#include "runtime/Xml.h"

namespace {

constexpr std::array<const wchar_t*, 7> ElementNames{L"Question", L"CauHoi", L"CauA", L"CauB",
                                                     L"CauC",     L"CauD",   L"DapAn"};

// How often, on average, the fields' texts may read each node of a file.
constexpr uint64_t MaxReadsPerNode = 4;

// The elements whose whole text becomes part of a record.
bool IsField(pugi::xml_node node) {
  if (node.type() != pugi::node_element) return false;
  for (size_t k = 1; k < ElementNames.size(); ++k) {
    if (std::wcscmp(node.name(), ElementNames[k]) == 0) return true;
  }
  return false;
}

}  // namespace

wchar_t KeyOf(std::wstring_view text) { return text.empty() ? L' ' : text.front(); }

bool BankFileReader::Load(const std::wstring& path) {
  for (auto& list : lists_) list.clear();
  loaded_ = tq::LoadXmlFile(doc_, path);
  // Every element in document order, without recursion (nesting is not
  // bounded). A field's text is everything below it, so a node below several
  // fields is read once for each of them: that work is counted here, and a
  // file whose fields nest so deeply that it exceeds a small multiple of the
  // file's own size is refused before any text is copied.
  uint64_t size = 0;
  uint64_t work = 0;
  uint64_t fieldDepth = 0;
  pugi::xml_node node = doc_.first_child();
  while (node) {
    uint64_t nodeSize = 1;
    if (node.type() == pugi::node_element) {
      for (size_t list = 0; list < ListCount; ++list) {
        if (std::wcscmp(node.name(), ElementNames[list]) == 0) lists_[list].push_back(node);
      }
    } else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
      nodeSize += std::wcslen(node.value());
    }
    size += nodeSize;
    work += nodeSize * fieldDepth;
    if (node.first_child()) {
      if (IsField(node)) ++fieldDepth;
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) {
      node = node.parent();
      if (IsField(node)) --fieldDepth;
    }
    if (node) node = node.next_sibling();
  }
  if (work > MaxReadsPerNode * size) {
    for (auto& list : lists_) list.clear();
    doc_.reset();
    loaded_ = false;
  }
  return loaded_;
}

int BankFileReader::QuestionCount() const {
  const size_t count = lists_[Questions].size();
  return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

bool BankFileReader::HasRecord(int n) const {
  if (n < 1) return false;
  for (const auto& list : lists_) {
    if (list.size() < static_cast<size_t>(n)) return false;
  }
  return true;
}

QuestionRecord BankFileReader::Record(int n) const {
  const size_t k = static_cast<size_t>(n - 1);
  QuestionRecord record;
  record.CauHoi = tq::XmlNodeText(lists_[CauHoi].at(k));
  record.CauA = tq::XmlNodeText(lists_[CauA].at(k));
  record.CauB = tq::XmlNodeText(lists_[CauB].at(k));
  record.CauC = tq::XmlNodeText(lists_[CauC].at(k));
  record.CauD = tq::XmlNodeText(lists_[CauD].at(k));
  record.DapAn = KeyOf(tq::XmlNodeText(lists_[DapAn].at(k)));
  return record;
}

tq::IoStatus WriteBankFile(const std::wstring& path, std::span<const QuestionRecord> records) {
  pugi::xml_document doc;
  pugi::xml_node root = tq::StartDocument(doc, L"Quorel");
  for (const QuestionRecord& record : records) {
    pugi::xml_node question = root.append_child(L"Question");
    tq::AppendTextElement(question, L"CauHoi", record.CauHoi);
    tq::AppendTextElement(question, L"CauA", record.CauA);
    tq::AppendTextElement(question, L"CauB", record.CauB);
    tq::AppendTextElement(question, L"CauC", record.CauC);
    tq::AppendTextElement(question, L"CauD", record.CauD);
    tq::AppendTextElement(question, L"DapAn", std::wstring_view(&record.DapAn, 1));
  }
  return tq::SaveXmlFile(doc, path);
}

BankReadResult EditorBank::ReadXML(const std::wstring& path) {
  Empty();
  folder_ = mdlMain::FolderOfPath(path);
  BankFileReader reader;
  reader.Load(path);
  const int count = reader.QuestionCount();
  if (count == 0) return BankReadResult::NoQuestions;
  if (count > MaxQuestions) return BankReadResult::TooManyQuestions;
  if (!reader.HasRecord(count)) return BankReadResult::Incomplete;
  records_.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) records_.push_back(reader.Record(n));
  current_ = 1;
  return BankReadResult::Ok;
}

tq::IoStatus EditorBank::GhiFile(const std::wstring& path) {
  tq::IoStatus status = WriteBankFile(path, records_);
  if (status) modified_ = false;
  return status;
}

tq::IoStatus EditorBank::TaoFile(const std::wstring& path) { return WriteBankFile(path, {}); }

bool EditorBank::AddQues(std::wstring_view question, std::wstring_view answerA, std::wstring_view answerB,
                         std::wstring_view answerC, std::wstring_view answerD, std::wstring_view key) {
  if (Count() >= MaxQuestions) return false;
  modified_ = true;
  records_.push_back({std::wstring(question), std::wstring(answerA), std::wstring(answerB), std::wstring(answerC),
                      std::wstring(answerD), KeyOf(key)});
  current_ = Count();
  return true;
}

void EditorBank::EditQues(std::wstring_view text, int field) {
  if (current_ >= 1 && current_ <= Count()) {
    QuestionRecord& record = records_[static_cast<size_t>(current_ - 1)];
    std::wstring* texts[] = {&record.CauHoi, &record.CauA, &record.CauB, &record.CauC, &record.CauD};
    if (field >= 0 && field < 5) *texts[field] = std::wstring(text);
  }
  modified_ = true;
}

void EditorBank::Delete(int n) {
  if (n < 1 || n > Count()) return;
  records_.erase(records_.begin() + (n - 1));
  modified_ = true;
  if (current_ > Count()) current_ = Count();
}

void EditorBank::SetKey(int n, wchar_t key) {
  if (n < 1 || n > Count()) return;
  records_[static_cast<size_t>(n - 1)].DapAn = key;
  modified_ = true;
}

void EditorBank::Empty() {
  records_.clear();
  current_ = 0;
  modified_ = false;
}
