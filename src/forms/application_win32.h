#pragma once
// The application object: its title (the caption of every message box), the main form, the
// message loop and the default error handler.
#include <windows.h>

#include <string>

namespace netscry::forms {

class Form;

class Application {
 public:
  static Application& Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Closing the main form ends the message loop.
  Form* MainForm() const { return main_form_; }
  void SetMainForm(Form* form) { main_form_ = form; }

  // Runs the message loop until WM_QUIT; returns its exit code.
  int Run();
  // Waits for and handles one message. Returns false on WM_QUIT, which it posts again so that
  // an outer loop ends too (used by nested modal loops).
  bool HandleMessage();
  // Handles the messages already queued, without waiting.
  void ProcessMessages();
  // Handles one message as every loop of the program does (the dialog manager's keys first).
  void Dispatch(MSG& msg);
  void Terminate() { PostQuitMessage(0); }

  // The default error handler: the message with a full stop appended when its last character
  // sorts after ".", in a message box with the error icon and the title as caption. The program
  // goes on afterwards.
  void HandleException(const std::string& message);

  // The window that owns the application's message boxes: the thread's active window when it
  // is enabled, else the main form, else none.
  HWND OwnerWindow() const;
  // A system message box owned by the application; returns its result (IDYES …).
  int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
  // The message dialog: OK only, no icon, centred on the screen, the title as caption; modal
  // for every window of the thread. Owned like the message boxes.
  void ShowMessage(const std::string& text);

 private:
  // The flags that put a box owned by owner (or by no window) above the windows it blocks.
  UINT OrderFlags(HWND owner, UINT flags) const;
  Application() = default;

  std::string title_;
  Form* main_form_ = nullptr;
};

}  // namespace netscry::forms
