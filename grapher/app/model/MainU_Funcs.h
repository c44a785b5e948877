// The grapher's model: the plot record, the two function lists of at most 20
// records, the tables of the function kinds, palettes and compile errors, and
// the formula compilers. It needs no window: the main window and the dialogs
// read and write it, the driver (MainU_Driver.h) adds, edits and deletes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/model/RangeArray.h"
#include "compiler/KCompiler.h"
#include "framework/core/Colors.h"

namespace kx {

// Records per list.
constexpr int MaxFuncs = 20;
// The kind of experimental data: points, no formulas.
constexpr int32_t TNKind = 9;

struct TTNPoint {
  long double X = 0;
  long double Y = 0;
};

// A formula compiler of a record. Its owner component is TemplateCompiler,
// but the record destroys it when the record is replaced, deleted or
// discarded.
using TFormulaCompiler = std::unique_ptr<TKCompiler>;

// One function to draw. A record owns its compilers and its data arrays, so
// it moves but never copies; CopyForEdit gives a copy that shares nothing.
struct TFuncRec {
  int32_t FuncType = 0;  // 1..9 (KindTable); 9 is experimental data
  std::string FuncName;  // TCVN3, at most 255 characters
  bool Shown = false;
  int32_t LineWidth = 0;  // pixels
  TColor Color = 0;
  // Kinds 1 to 8: start, end and step of the first and second variable; shift
  // along x and y in plot units; rotation in radians.
  double First1 = 0, Last1 = 0, Step1 = 0;
  double First2 = 0, Last2 = 0, Step2 = 0;
  double RelX = 0, RelY = 0, Rotate = 0;
  // Kind 9: the data points in table order, how they are drawn (0 points,
  // 1 broken line, 2 interpolation polynomial, 3 least-squares polynomial)
  // and the fitted polynomials.
  std::vector<TTNPoint> TNPoints;
  int32_t DrawType = 0;
  int32_t BacPT = 0;                // degree of the least-squares polynomial
  std::vector<long double> HeSo;    // HeSo[k] multiplies x^k
  std::vector<long double> TyHieu;  // TyHieu[k - 1]: divided difference of order k over the last k + 1 points
  TRangeArray<TFormulaCompiler, 1, 3> Compilers;
  TRangeArray<std::string, 1, 3> Func;  // formula texts, at most 255 characters each

  TFuncRec() = default;
  TFuncRec(TFuncRec&&) = default;
  TFuncRec& operator=(TFuncRec&&) = default;

  int32_t TNCount() const { return static_cast<int32_t>(TNPoints.size()); }
  // Every field, with copies of the data arrays of its own and no compilers.
  TFuncRec CopyForEdit() const;
  // Empties the kind-9 fields and releases their arrays.
  void ClearTNData();
  void DestroyCompilers();
};

using TFuncList = TRangeArray<TFuncRec, 1, MaxFuncs>;

// One row of KindTable (kinds 1 to 8; kind 9 has none). Letters a kind does
// not use are blanks, labels it does not use are empty.
struct TFuncKindInfo {
  std::string Caption;                    // TCVN3
  TRangeArray<std::string, 1, 3> Labels;  // in front of each formula edit
  TRangeArray<char, 1, 3> FuncLetters;    // the component each formula gives
  TRangeArray<char, 1, 2> VarNames;       // the variables the formulas use
  int32_t NVars = 0;
  int32_t NFormulas = 0;
};

const TRangeArray<TFuncKindInfo, 1, 8>& KindTable();
// TCVN3 texts of the compile errors, by TError value.
const TRangeArray<std::string, eNone, eParameter>& CompileErrorMessages();

// Default colours of new records, entries 1 to 10 of the dialogs' colour boxes.
inline constexpr TRangeArray<TColor, 1, 10> ColorTable2D{
    {0xFF0000, 0x00FF00, 0xD08410, 0x00FFFF, 0x808000, 0xFFFF00, 0xFF00FF, 0xF0CAA6, 0x008080, 0xC0DCC0}};
inline constexpr TRangeArray<TColor, 1, 10> ColorTable3D{
    {0xD08410, 0x00FF00, 0x00FFFF, 0xF0CAA6, 0x808000, 0xFFFF00, 0xFF00FF, 0xFF0000, 0x008080, 0xC0DCC0}};

// Formulas of a kind: none for kind 9 and for a number that is no kind.
int32_t FormulaCount(int32_t kind);
// Kinds 1 to 5 and 9 are drawn in the plane (List2D), 6 to 8 in space (List3D).
bool IsKind2D(int32_t kind);
// The colour a new record takes when its list holds `count` records; the
// palette has ten entries, so the eleventh record starts it again.
TColor DefaultColor(int32_t kind, int32_t count);

// Makes the compiler that holds the built-in functions every formula compiler
// shares, and that owns the formula compilers.
void CreateTemplateCompiler(std::unique_ptr<TKCompiler>& compiler);

class TFuncModel {
 public:
  TFuncModel();
  TFuncModel(const TFuncModel&) = delete;
  TFuncModel& operator=(const TFuncModel&) = delete;

  // Made first and freed last: it owns every formula compiler.
  std::unique_ptr<TKCompiler> TemplateCompiler;
  // The variable cells every formula compiler binds its kind's VarNames to;
  // whoever evaluates writes them, then calls Calculate.
  TRangeArray<long double, 1, 2> VarCells;
  TFuncList List2D, List3D;
  int32_t Count2D = 0, Count3D = 0;
  // The list and count of the current view mode.
  TFuncList* CurList = &List2D;
  int32_t* CurCount = &Count2D;
  // The record being added or edited.
  TFuncRec CurFunc;
  // The last failed compile: its TCVN3 text and its formula (1..3).
  std::string CompileErrMsg;
  int32_t CompileErrIdx = 0;
  // A new record is being added (else an entry is edited).
  bool IsNewFunc = false;
  // Set by the dialogs: store the edited record as a new entry.
  bool SaveAsNew = false;

  // Points CurList and CurCount at the plane or the space list.
  void SetCurrentList(bool twoD);
  TFuncList& ListOf(int32_t kind) { return IsKind2D(kind) ? List2D : List3D; }
  int32_t& CountOf(int32_t kind) { return IsKind2D(kind) ? Count2D : Count3D; }
  // Entry (itemIndex + 1) of CurList for a list-box item; nullptr for an
  // index outside the list (no selection is -1).
  TFuncRec* CurEntry(int itemIndex);

  // New compilers for CurFunc's formulas, owned by TemplateCompiler, sharing
  // its function table, with the kind's variables bound to VarCells; the
  // compilers CurFunc held are destroyed.
  void CreateCompilers();
  // Compiles CurFunc's formulas in order; at the first error sets
  // CompileErrMsg and CompileErrIdx and compiles no further.
  bool CompileFuncs();
  // Moves CurFunc into the list: index 0 appends, i replaces entry i (its
  // compilers and arrays are released). CurFunc keeps a copy of what it held,
  // without the compilers. False, storing nothing, for a 21st record or an
  // index outside the list.
  bool StoreFunc(TFuncList& list, int index, int32_t& count);
  // Releases entry index and moves the entries above it down; false for an
  // index outside 1..count.
  bool DeleteFunc(TFuncList& list, int index, int32_t& count);
};

// The program's one model; made when the main window is created.
TFuncModel& FuncModel();

}  // namespace kx
