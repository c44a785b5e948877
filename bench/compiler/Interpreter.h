// A tree-walking formula interpreter: the baseline the compiled code is measured against.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TInterpreter {
 public:
  // Variables by name, read at every evaluation.
  void Bind(const std::string& name, const long double* cell);
  // False when the text does not parse.
  bool Parse(const std::string& text);
  long double Evaluate() const;

  struct TNode;

 private:
  std::vector<std::pair<std::string, const long double*>> vars_;
  std::shared_ptr<TNode> root_;
};
