// The quiz tool's application object: command line, single instance, the
// message loop and the end of the program when its last screen closes.
#pragma once

#include <windows.h>

#include <string>

namespace tq {

class Form;

class App {
 public:
  static App& Get();

  HINSTANCE Instance() const;

  // Everything after the program name on the command line, as typed.
  static std::wstring CommandTail(std::wstring_view commandLine);
  std::wstring CommandTail() const { return CommandTail(GetCommandLineW()); }

  // True when another process holds the program's named mutex; otherwise this
  // process takes it for its lifetime.
  bool PrevInstance(const wchar_t* name);

  // Runs the message loop until Quit or until no screen is loaded any more.
  int Run();
  // Handles the messages waiting in the queue as the loop would; false when
  // the loop was told to end.
  bool DoEvents();
  // Ends the message loop.
  void Quit();

  // Loads a library of the system by its full path in the system folder, so
  // that a file of the same name beside the program is never loaded.
  static HMODULE LoadSystemLibrary(const std::wstring& name);

  // Shows what an exception that reached a window procedure says. Window
  // procedures, hooks and timer callbacks call it from their catch blocks.
  void HandleException() noexcept;

  // Loaded screens; the program ends when the last one unloads.
  void FormLoaded(Form* form);
  void FormUnloaded(Form* form);
  int LoadedForms() const { return loaded_; }

 private:
  App() = default;
  bool PreTranslate(MSG& msg);
  void Dispatch(MSG& msg);

  HANDLE mutex_ = nullptr;
  int loaded_ = 0;
};

}  // namespace tq
