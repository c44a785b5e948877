// The question bank: its records, the bank file every reader and writer of the
// quiz tool shares, and the bank editor's in-memory bank.
#pragma once

#include <pugixml.hpp>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/FileIo.h"

// One question: texts in bank tag text, and the key letter "A" to "D".
struct QuestionRecord {
  std::wstring CauHoi;
  std::wstring CauA;
  std::wstring CauB;
  std::wstring CauC;
  std::wstring CauD;
  wchar_t DapAn = L' ';
};

inline constexpr int MaxQuestions = 1000;

// A key is one character: the first of a longer text, a space for an empty one.
wchar_t KeyOf(std::wstring_view text);

// Reads a bank file as every reader does: the count is the number of Question
// elements anywhere in the document, and record n takes the n-th element of
// each field name in document order, wherever it is nested.
class BankFileReader {
 public:
  // False when the file is missing, too large or not well-formed XML; it then
  // reads as a bank without questions.
  bool Load(const std::wstring& path);
  bool Loaded() const { return loaded_; }
  int QuestionCount() const;
  // True when every field list holds an element for record n (from 1).
  bool HasRecord(int n) const;
  // Record n (from 1); HasRecord(n) must hold.
  QuestionRecord Record(int n) const;

 private:
  enum List { Questions, CauHoi, CauA, CauB, CauC, CauD, DapAn, ListCount };

  pugi::xml_document doc_;
  bool loaded_ = false;
  std::array<std::vector<pugi::xml_node>, ListCount> lists_;
};

// Writes the records as a bank file, replacing the file only once it is
// complete. Characters an XML file cannot hold (control characters other than
// tab, CR and LF) are dropped.
tq::IoStatus WriteBankFile(const std::wstring& path, std::span<const QuestionRecord> records);

enum class BankReadResult {
  Ok,
  NoQuestions,       // missing, not XML, or without Question elements
  TooManyQuestions,  // more than MaxQuestions
  Incomplete,        // a field list shorter than the number of questions
};

// The bank editor's bank, numbered from 1, at most MaxQuestions records.
class EditorBank {
 public:
  // Shown when a file holds no questions.
  static constexpr std::wstring_view NoQuestionsMessage =
      L"File này không phải là File đề hoặc File chưa có câu hỏi nào !\r\nMời bạn chọn File khác !";

  // Reads a bank file. Whatever the result, the bank never mixes records of
  // two files: a read that does not succeed leaves the bank empty.
  BankReadResult ReadXML(const std::wstring& path);
  // Writes records 1 to Count; on success the bank is no longer modified, on
  // failure nothing changes and the old file stays.
  tq::IoStatus GhiFile(const std::wstring& path);
  // Writes a bank file without questions.
  static tq::IoStatus TaoFile(const std::wstring& path);
  // Appends a record and shows it; false (nothing stored) when the bank is full.
  bool AddQues(std::wstring_view question, std::wstring_view answerA, std::wstring_view answerB,
               std::wstring_view answerC, std::wstring_view answerD, std::wstring_view key);
  // Replaces one text of the current record: field 0 the question, 1 to 4 the
  // answers A to D; any other field stores nothing.
  void EditQues(std::wstring_view text, int field);
  // Removes record n (from 1); the records after it move up one.
  void Delete(int n);
  // The key of record n becomes the letter.
  void SetKey(int n, wchar_t key);
  // No records, not modified.
  void Empty();

  int Count() const { return static_cast<int>(records_.size()); }
  const QuestionRecord& Record(int n) const { return records_.at(static_cast<size_t>(n - 1)); }
  int Current() const { return current_; }
  void SetCurrent(int n) { current_ = n; }
  const std::wstring& Path() const { return path_; }
  void SetPath(std::wstring path) { path_ = std::move(path); }
  const std::wstring& Folder() const { return folder_; }
  bool Modified() const { return modified_; }
  void MarkModified() { modified_ = true; }
  void ClearModified() { modified_ = false; }

 private:
  std::vector<QuestionRecord> records_;
  int current_ = 0;
  std::wstring path_;
  std::wstring folder_;
  bool modified_ = false;
};
