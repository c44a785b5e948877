// Build-time converter of form resources (host program).
//
//   FormConvert <form.kxf> <output> [<depfile>]
//
// Reads a form authored in UTF-8, replaces each `file 'name'` value by the
// named file's bytes as a binary value {...} (names relative to the form's
// folder), converts the text to TCVN3 and writes it. A character that TCVN3
// cannot encode, malformed UTF-8 or a missing file stops the build with
// "<form>:<line>:<column>: error: ...". Line numbers of the output match the
// source, so errors at run time point at the authored file.
#include "framework/core/Tcvn3.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Failure {
  std::string message;
};

class Converter {
 public:
  Converter(std::string source, fs::path path) : text_(std::move(source)), path_(std::move(path)) {}

  std::string Run() {
    if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0) text_.erase(0, 3);
    size_t plainStart = 0;
    size_t i = 0;
    while (i < text_.size()) {
      const char c = text_[i];
      if (c == '\'') {
        i = SkipString(i);
      } else if (IsWordStart(c) && (i == 0 || !IsWordChar(text_[i - 1]))) {
        size_t end = i;
        while (end < text_.size() && IsWordChar(text_[end])) ++end;
        if (IsFileKeyword(i, end)) {
          size_t q = end;
          while (q < text_.size() && (text_[q] == ' ' || text_[q] == '\t')) ++q;
          if (q < text_.size() && text_[q] == '\'') {
            Convert(plainStart, i);
            const size_t after = SkipString(q);
            Embed(q, after);
            i = plainStart = after;
            continue;
          }
        }
        i = end;
      } else {
        ++i;
      }
    }
    Convert(plainStart, text_.size());
    return out_;
  }

  const std::vector<fs::path>& Dependencies() const { return deps_; }

 private:
  static bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
  static bool IsWordChar(char c) { return IsWordStart(c) || (c >= '0' && c <= '9') || c == '.'; }

  bool IsFileKeyword(size_t begin, size_t end) const {
    if (end - begin != 4) return false;
    std::string w = text_.substr(begin, 4);
    for (char& ch : w) ch = char(ch | 0x20);
    return w == "file";
  }

  // Index after the string literal starting at the quote at i ('' stays inside).
  size_t SkipString(size_t i) const {
    ++i;
    while (i < text_.size() && text_[i] != '\n') {
      if (text_[i] == '\'') {
        if (i + 1 < text_.size() && text_[i + 1] == '\'') {
          i += 2;
          continue;
        }
        return i + 1;
      }
      ++i;
    }
    Fail(i, "unterminated string");
  }

  [[noreturn]] void Fail(size_t offset, const std::string& message) const {
    int line = 1, column = 1;
    for (size_t k = 0; k < offset && k < text_.size(); ++k) {
      if (text_[k] == '\n') {
        ++line;
        column = 1;
      } else if ((static_cast<unsigned char>(text_[k]) & 0xC0) != 0x80) {
        ++column;
      }
    }
    throw Failure{path_.string() + ":" + std::to_string(line) + ":" + std::to_string(column) + ": error: " + message};
  }

  void Convert(size_t begin, size_t end) {
    std::string piece;
    kx::TTcvn3Error error;
    if (!kx::Utf8ToTcvn3(std::string_view(text_).substr(begin, end - begin), piece, &error)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", unsigned(error.CodePoint));
      Fail(begin + error.Offset, error.CodePoint == 0
                                     ? std::string("malformed UTF-8")
                                     : std::string("character ") + code + " cannot be encoded in TCVN3");
    }
    out_ += piece;
  }

  void Embed(size_t quote, size_t after) {
    std::string name = text_.substr(quote + 1, after - quote - 2);
    for (size_t k = 0; (k = name.find("''", k)) != std::string::npos; ++k) name.erase(k, 1);
    const fs::path rel(name);
    if (name.empty() || rel.is_absolute() || rel.has_root_name())
      Fail(quote, "file reference '" + name + "' must be relative to the form's folder");
    const fs::path file = path_.parent_path() / rel;
    std::ifstream in(file, std::ios::binary);
    if (!in) Fail(quote, "cannot read " + file.string());
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    deps_.push_back(fs::absolute(file));
    static const char hex[] = "0123456789ABCDEF";
    out_ += '{';
    for (unsigned char b : bytes) {
      out_ += hex[b >> 4];
      out_ += hex[b & 15];
    }
    out_ += '}';
  }

  std::string text_;
  fs::path path_;
  std::string out_;
  std::vector<fs::path> deps_;
};

std::string DepfilePath(const fs::path& p) {
  std::string s = fs::absolute(p).string(), escaped;
  for (char c : s) {
    if (c == ' ' || c == '#') escaped += '\\';
    if (c == '$') escaped += '$';
    escaped += c;
  }
  return escaped;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: FormConvert <form> <output> [<depfile>]\n");
    return 2;
  }
  const fs::path input = argv[1], output = argv[2];
  try {
    std::ifstream in(input, std::ios::binary);
    if (!in) throw Failure{input.string() + ": error: cannot read the form"};
    std::stringstream source;
    source << in.rdbuf();
    Converter converter(source.str(), input);
    const std::string text = converter.Run();

    // Written beside the target and moved over it, so a failed build leaves no half file.
    const fs::path temp = output.string() + ".tmp";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      out.write(text.data(), std::streamsize(text.size()));
      if (!out.flush()) throw Failure{temp.string() + ": error: cannot write"};
    }
    fs::rename(temp, output);

    if (argc == 4) {
      std::ofstream dep(argv[3], std::ios::trunc);
      dep << DepfilePath(output) << ":";
      for (const fs::path& d : converter.Dependencies()) dep << " \\\n  " << DepfilePath(d);
      dep << "\n";
      if (!dep.flush()) throw Failure{std::string(argv[3]) + ": error: cannot write"};
    }
  } catch (const Failure& f) {
    std::fprintf(stderr, "%s\n", f.message.c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: error: %s\n", input.string().c_str(), e.what());
    return 1;
  }
  return 0;
}
