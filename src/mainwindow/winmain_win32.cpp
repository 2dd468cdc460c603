// The program's entry: one instance, the application's title, the main window, the message loop.
#include <windows.h>
#include <objbase.h>

#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "mainwindow/main_layout.h"
#include "mainwindow/system_snapshot_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  using namespace netscry;
  forms::Application& app = forms::Application::Instance();
  app.SetTitle(kAppTitle);
  // Held until the process ends; only its prior existence is tested.
  CreateMutexA(nullptr, FALSE, kMutexName);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    app.ShowMessage(kAlreadyRunning);
    return 0;
  }
  // The shell's property sheets and file-manager requests expect COM on the calling thread, in
  // a single-threaded apartment; once here for the whole run.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  struct ComUninit {
    bool active;
    ~ComUninit() {
      if (active) CoUninitialize();
    }
  } com_uninit{SUCCEEDED(com)};
  SystemSnapshotSource snapshot;
  MainWindowDeps deps;
  deps.snapshot = &snapshot;
  auto* form = new TFormNetscry(deps);
  app.SetMainForm(form);
  if (!form->Create()) {
    delete form;
    return 1;
  }
  // The main form frees itself on close (FormClose sets caFree).
  form->SetDeleteWhenDestroyed(true);
  // Maximised or minimised when started so; otherwise normal.
  const bool minimized = show == SW_SHOWMINIMIZED || show == SW_MINIMIZE || show == SW_SHOWMINNOACTIVE;
  form->Show(show == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  return app.Run();
}
