// Function and variable tables, signature language and option bytes.
#include "compiler/KCompilerBase.h"

#include <algorithm>

namespace kx {

namespace {

const char* const TypeNames[] = {"i08", "u08", "i16", "u16", "i32", "u32", "i64", "f32", "f64", "f80"};
const int SlotSizes[] = {1, 1, 2, 2, 4, 4, 8, 4, 8, 12};

const char* const CompilerIdName = "kcompilerid";
// The reserved variable "kcompilerid" reads this read-only cell.
const int32_t CompilerIdCell = 1;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Signature text -> parameter list; false for anything but whole lower-case groups.
bool ParseSignature(const std::string& text, TAVarDef& params) {
  if (text.size() % 4 != 0) return false;
  params.clear();
  for (size_t i = 0; i < text.size(); i += 4) {
    const char mode = text[i];
    if (mode != 'v' && mode != 'r') return false;
    const auto name = std::find_if(std::begin(TypeNames), std::end(TypeNames),
                                   [&](const char* n) { return text.compare(i + 1, 3, n) == 0; });
    if (name == std::end(TypeNames)) return false;
    params.push_back({static_cast<uint8_t>(name - std::begin(TypeNames)), static_cast<uint8_t>(mode == 'r')});
  }
  return true;
}

}  // namespace

int TypeSlotSize(uint8_t code) { return code <= MaxTypeCode ? SlotSizes[code] : 0; }

bool IsIdentifier(const std::string& name) {
  if (name.empty() || !(IsLetter(name[0]) || name[0] == '_')) return false;
  return std::all_of(name.begin() + 1, name.end(), [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; });
}

std::string LowerName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

KX_PUBLISH(TCtrlBlck) {
  p.Property("TrigMode", &TCtrlBlck::TrigMode, &TCtrlBlck::SetTrigMode).Default(1);
  p.Property("ParallelExecution", &TCtrlBlck::ParallelExecution, &TCtrlBlck::SetParallelExecution).Default(1);
  p.Property("EliminateBrackets", &TCtrlBlck::EliminateBrackets, &TCtrlBlck::SetEliminateBrackets).Default(1);
  p.Property("OutOfOrder", &TCtrlBlck::OutOfOrder, &TCtrlBlck::SetOutOfOrder).Default(1);
  p.Property("AlignMode", &TCtrlBlck::AlignMode, &TCtrlBlck::SetAlignMode).Default(1);
  p.Property("BackOperation", &TCtrlBlck::BackOperation, &TCtrlBlck::SetBackOperation).Default(1);
  p.Property("SmartLoad", &TCtrlBlck::SmartLoad, &TCtrlBlck::SetSmartLoad).Default(1);
}

TCtrlBlck::TCtrlBlck(TComponent* owner) : TComponent(owner), functions_(std::make_shared<std::vector<TFunction>>()) {}

TCtrlBlck::~TCtrlBlck() = default;

std::vector<TFunction>& TCtrlBlck::WritableFunctions() {
  if (functions_.use_count() > 1) functions_ = std::make_shared<std::vector<TFunction>>(*functions_);
  return *functions_;
}

bool TCtrlBlck::NameInUse(const std::string& lowerName) const {
  if (lowerName == CompilerIdName) return true;
  const auto same = [&](const auto& entry) { return entry.Name == lowerName; };
  return std::any_of(functions_->begin(), functions_->end(), same) ||
         std::any_of(variables_.begin(), variables_.end(), same);
}

uint32_t TCtrlBlck::AddFunction(const std::string& name, const std::string& signature, uint8_t callConv,
                                uint8_t resultType, int32_t extraRegs, void* address, bool foldable,
                                const TAByte& code) {
  TFunction f;
  if (!ParseSignature(signature, f.Params) || callConv > MaxCallConv || resultType > MaxTypeCode) return 0;
  f.Name = LowerName(name);
  if (!IsIdentifier(f.Name) || NameInUse(f.Name) || FunctionCount() >= MaxFunctions) return 0;
  f.CallConv = callConv;
  f.ResultType = resultType;
  f.ExtraRegs = std::clamp(extraRegs, 0, 8);
  f.Address = address;
  f.Foldable = foldable;
  f.Code = code;
  auto& table = WritableFunctions();
  table.push_back(std::move(f));
  return static_cast<uint32_t>(table.size());
}

uint32_t TCtrlBlck::AddVariable(const std::string& name, uint8_t varType, void* address) {
  const std::string lower = LowerName(name);
  if (lower.empty() || varType > MaxTypeCode || NameInUse(lower) || VariableCount() >= MaxVariables) return 0;
  variables_.push_back({lower, varType, address});
  return static_cast<uint32_t>(variables_.size());
}

uint32_t TCtrlBlck::FindFunction(const std::string& name) const {
  const std::string lower = LowerName(name);
  if (!IsIdentifier(lower)) return 0;
  const int n = std::min(FunctionCount(), MaxFunctions);
  for (int i = 0; i < n; ++i)
    if ((*functions_)[i].Name == lower) return static_cast<uint32_t>(i + 1);
  return 0;
}

uint32_t TCtrlBlck::FindVariable(const std::string& name) const {
  const std::string lower = LowerName(name);
  if (!IsIdentifier(lower)) return 0;
  if (lower == CompilerIdName) return KCompilerIdVar;
  const int n = std::min(VariableCount(), MaxVariables);
  for (int i = 0; i < n; ++i)
    if (variables_[i].Name == lower) return static_cast<uint32_t>(i + 1);
  return 0;
}

bool TCtrlBlck::GetFunction(uint32_t id, TFunction& out) const {
  if (id < 1 || id > static_cast<uint32_t>(std::min(FunctionCount(), MaxFunctions)) ||
      (*functions_)[id - 1].Name.empty())
    return false;
  out = (*functions_)[id - 1];
  return true;
}

bool TCtrlBlck::GetVariable(uint32_t id, TVariable& out) const {
  if (id == KCompilerIdVar) {
    out = {CompilerIdName, tcI32, const_cast<int32_t*>(&CompilerIdCell)};
    return true;
  }
  if (id < 1 || id > static_cast<uint32_t>(std::min(VariableCount(), MaxVariables)) || variables_[id - 1].Name.empty())
    return false;
  out = variables_[id - 1];
  return true;
}

void TCtrlBlck::ClearFunctions() {
  // A shared table stays intact for its other holders.
  functions_ = std::make_shared<std::vector<TFunction>>();
}

void TCtrlBlck::ClearVariables() { variables_.clear(); }

void TCtrlBlck::SetFunctions(const TFunctionTable& table) {
  if (table) functions_ = table;
}

int TCtrlBlck::FunctionFPUNeed(uint32_t id) const {
  TFunction f;
  if (!GetFunction(id, f)) return 2147483647;
  int need = f.ExtraRegs;
  if (f.CallConv == 4)
    need += static_cast<int>(
        std::count_if(f.Params.begin(), f.Params.end(), [](const TVarDefItem& p) { return IsFloatType(p.TypeCode); }));
  if (need == 0 && IsFloatType(f.ResultType)) need = 1;
  return std::min(need, 8);
}

int TCtrlBlck::FunctionStackBytes(const TFunction& f) const {
  int x87Places = f.CallConv == 4 ? 8 - f.ExtraRegs : 0;
  int regPlaces = (f.CallConv == 0 || f.CallConv == 4) ? 3 : 0;
  int bytes = 0;
  for (const TVarDefItem& p : f.Params) {
    if (p.ByRef || p.TypeCode <= tcU32) {
      if (regPlaces > 0)
        --regPlaces;
      else
        bytes += 4;
    } else if (p.TypeCode == tcI64) {
      bytes += 8;
    } else if (x87Places > 0) {
      --x87Places;
    } else {
      bytes += TypeSlotSize(p.TypeCode);
    }
  }
  return bytes;
}

void TCtrlBlck::SetTrigMode(TTrigMode value) {
  if (value <= tmRuntime) trigMode_ = value;
}

void TCtrlBlck::SetEliminateBrackets(TEliminateBrackets value) {
  if (value <= ebAgressive) eliminateBrackets_ = value;
}

void TCtrlBlck::SetOutOfOrder(TOutOfOrder value) {
  if (value <= ooAgressive) outOfOrder_ = value;
}

}  // namespace kx
