// The function-list file (.fls): both lists as line-oriented key=value text
// that a person can read and edit, lines ending CR LF. The writer and the
// reader work on text and records only; the main window chooses the file,
// reads and writes its bytes and hands the records to the driver.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/model/MainU_Funcs.h"

namespace kx {

// The reader's bounds: a data record's points, the degree of its fitted
// polynomial, and the size of a file it reads at all.
constexpr int32_t MaxFilePoints = 10000;
constexpr int32_t MaxFileDegree = 100;
constexpr int64_t MaxFuncFileSize = 64 * 1024 * 1024;
// Line widths a record may have; a file's other widths are brought inside.
constexpr int32_t MinLineWidth = 1, MaxLineWidth = 5;

// The message for a file that cannot be read as a function list.
constexpr const char* BadFuncFileText = "Loi file hoac file dinh dang sai";

// A real as the file writes it: 23 characters, a blank for a value that is
// not negative or "-", one digit, ".", 14 digits, "E", the exponent's sign
// and four digits, rounded to 15 significant digits (-15 is
// "-1.50000000000000E+0001"). Infinities and not-a-number are written " INF",
// "-INF" and " NAN".
std::string FuncFileReal(long double value);
// Reads a real of the file: an optional sign, digits, ".", digits and an
// optional exponent, or INF, -INF, NAN in any letter case. A finite number
// beyond the range of a 64-bit float reads as its largest finite value.
bool TryParseFuncFileReal(std::string_view text, long double& value);

// The whole file for entries 1..count of the plane and the space list.
std::string WriteFuncListText(const TFuncList& list2D, int32_t count2D, const TFuncList& list3D, int32_t count3D);

// The records of one file by section, in file order, each shown and without
// compilers.
struct TFuncFileRecords {
  std::vector<TFuncRec> Section2D, Section3D;
};

// Reads a whole file, all or nothing: false, with records left empty, on any
// format error (a key missing, a number that does not convert, a count or
// kind out of range, data arrays that do not match their record).
bool ReadFuncListText(std::string_view text, TFuncFileRecords& records);

}  // namespace kx
