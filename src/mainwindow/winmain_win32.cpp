// The program's entry: one instance, the application's title, the main window, the message loop.
#include <windows.h>
#include <objbase.h>

#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"
#include "mainwindow/main_layout.h"
#include "mainwindow/system_snapshot_win32.h"

namespace {

int RunProgram(int show) {
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
  // Never freed: a snapshot read may still run on its worker thread when the window is gone.
  auto* snapshot = new SystemSnapshotSource;
  MainWindowDeps deps;
  deps.snapshot = snapshot;
  auto* form = new TFormNetscry(deps);
  app.SetMainForm(form);
  if (!form->Create()) {
    delete form;
    return 1;
  }
  // The main form frees itself on close (FormClose sets caFree).
  form->SetDeleteWhenDestroyed(true);
  // Maximised or minimised when started so; otherwise normal. The skinned frame maximises the
  // window itself (to the work area, its maximise button then restores); a window the platform
  // maximised would hang over the screen's edges and that button could never restore it.
  const bool minimized = show == SW_SHOWMINIMIZED || show == SW_MINIMIZE || show == SW_SHOWMINNOACTIVE;
  if (show == SW_SHOWMAXIMIZED) form->skSkinForm1.Frame().SetFrameState(TskFrameState::Maximized);
  form->Show(minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  // Windows may apply the starting show state to the first window shown, whatever is asked.
  if (show == SW_SHOWMAXIMIZED && IsZoomed(form->Handle())) ShowWindow(form->Handle(), SW_RESTORE);
  return app.Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  // Ends the process without returning: the platform stops a snapshot read still running on its
  // worker before anything is torn down, where a return would run the program's static
  // destructors beside it. Closing never waits for a read.
  ExitProcess(UINT(RunProgram(show)));
}
