// What start-up takes from the command line: the function-list file to load
// before the message loop runs.
#pragma once

#include <string>

namespace kx {

struct TCommandLine {
  // At least one argument was given: the Load handler reads FileName without
  // a file dialog.
  bool CmdLineLoad = false;
  // The first argument as a path the ANSI file calls open; further arguments
  // are passed over.
  std::string FileName;
};

// Splits a command line as the system does (the program's name first, then
// the arguments, quotes grouping blanks).
TCommandLine ReadCommandLine(const wchar_t* commandLine);

// The program's command line, read once at start-up.
const TCommandLine& CmdLine();

// A path for the ANSI file calls: a name with characters the ANSI code page
// lacks is given by its short form, which names the same file.
std::string AnsiPath(const std::wstring& path);

}  // namespace kx
