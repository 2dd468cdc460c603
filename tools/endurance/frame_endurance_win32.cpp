// frame-endurance [cycles [report every]]: runs the real main window (a fixed, changing snapshot instead of the
// system's) through cycles of refresh, resize, maximise and restore by caption double clicks,
// hover cross-fades on the close button and activation changes, all through real messages, and
// prints the process's GDI and USER objects and private bytes at the start, every 100 cycles and
// at the end. GetGuiResources answers 0 under Wine; there live GDI objects are counted by their
// table slots (a handle whose upper word is 0 names whichever object holds that slot) and USER
// objects by the windows of the thread. Exits 1 when a count at the end differs from the start.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "forms/application_win32.h"
#include "mainwindow/main_form_win32.h"

namespace {

using namespace netscry;

class ChangingSnapshot : public SnapshotSource {
 public:
  int round = 0;
  void TakeSnapshot(FileRecArray& tcp, FileRecArray& udp) override {
    ++round;
    tcp.clear();
    udp.clear();
    // Rows that stay, rows that come and go, and a state that changes: every refresh merges.
    for (int i = 0; i < 40; ++i) {
      if ((i + round) % 7 == 0) continue;
      File_Rec r;
      r.State = (i + round) % 3 == 0 ? 2 : 5;
      r.LocalIP = "10.0.0." + std::to_string(i % 250);
      r.LocalPort = std::to_string(1000 + i);
      r.RemoteIP = "10.1.0." + std::to_string(i % 250);
      r.RemotePort = std::to_string(80 + i % 3);
      r.ProcessID = std::to_string(100 + i % 9);
      r.ProcessName = "p" + std::to_string(i % 9) + ".exe";
      r.FilePath = "C:\\p" + std::to_string(i % 9) + ".exe";
      tcp.push_back(r);
    }
    File_Rec u;
    u.LocalIP = "0.0.0.0";
    u.LocalPort = std::to_string(5000 + round % 5);
    u.ProcessID = "100";
    u.ProcessName = "p0.exe";
    udp.push_back(u);
  }
};

class NoShell : public ShellOpener {
 public:
  void Open(HWND, const char*, const std::string&) override {}
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int GdiSlots() {
  int n = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) n += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
  return n;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(hwnd, &CountChild, count);
  return TRUE;
}

int ThreadWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&n));
  return n;
}

struct Figures {
  DWORD gdi = 0, user = 0;  // GetGuiResources
  int gdi_slots = 0, windows = 0;
  SIZE_T private_bytes = 0;     // GetProcessMemoryInfo's PrivateUsage
  SIZE_T committed_private = 0; // committed private pages (VirtualQuery)
  DWORD handles = 0;
};

Figures Measure() {
  Figures f;
  HANDLE self = GetCurrentProcess();
  f.gdi = GetGuiResources(self, GR_GDIOBJECTS);
  f.user = GetGuiResources(self, GR_USEROBJECTS);
  f.gdi_slots = GdiSlots();
  f.windows = ThreadWindows();
  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof mem;
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem)) {
    f.private_bytes = mem.PrivateUsage;
  }
  // Wine reports no private usage: the committed private pages, walked region by region.
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) f.committed_private += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  GetProcessHandleCount(self, &f.handles);
  return f;
}

void Print(const char* when, int cycle, const Figures& f) {
  std::printf("%-6s cycle %5d  GDI %lu (live slots %d)  USER %lu (windows %d)  private bytes %lu (committed %lu)"
              "  handles %lu\n",
              when, cycle, static_cast<unsigned long>(f.gdi), f.gdi_slots, static_cast<unsigned long>(f.user), f.windows,
              static_cast<unsigned long>(f.private_bytes), static_cast<unsigned long>(f.committed_private),
              static_cast<unsigned long>(f.handles));
  std::fflush(stdout);
}

LPARAM ScreenAt(HWND hwnd, Point p) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return MAKELPARAM(r.left + p.x, r.top + p.y);
}

LPARAM ClientAt(HWND hwnd, Point p) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  POINT s{r.left + p.x, r.top + p.y};
  ScreenToClient(hwnd, &s);
  return MAKELPARAM(s.x, s.y);
}

Point Center(const Rect& r) { return {r.left + r.Width() / 2, r.top + r.Height() / 2}; }

void CaptionDoubleClick(TFormNetscry& form) {
  TskSkinCaptionObject* caption = form.skSkinForm1.Frame().CaptionObject();
  if (caption == nullptr) return;
  const Point at = Center(caption->ObjectRect);
  // The second click of the pair (the first would start the platform's move loop, which waits
  // for a real button).
  SendMessageA(form.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenAt(form.Handle(), at));
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, ClientAt(form.Handle(), at));
  Pump();
}

// The mouse onto the close button and off again, with the cross-fade's ticks each way.
void HoverClose(TFormNetscry& form) {
  HWND h = form.Handle();
  Rect close;
  for (const auto& o : form.skSkinForm1.Frame().LiveObjects()) {
    if (o->IDName == "closebutton") close = o->ObjectRect;
  }
  if (close.IsEmpty()) return;
  RECT w{};
  GetWindowRect(h, &w);
  const Point on = Center(close);
  SetCursorPos(w.left + on.x, w.top + on.y);
  SendMessageA(h, WM_NCHITTEST, 0, ScreenAt(h, on));
  SendMessageA(h, WM_NCMOUSEMOVE, HTOBJECT, ScreenAt(h, on));
  SendMessageA(h, WM_TIMER, TskSkinForm::kHoverTimerId, 0);
  for (int t = 0; t < 6; ++t) SendMessageA(h, WM_TIMER, TskSkinForm::kMorphTimerId, 0);
  SetCursorPos(w.left + 200, w.top + 200);
  SendMessageA(h, WM_TIMER, TskSkinForm::kHoverTimerId, 0);
  for (int t = 0; t < 6; ++t) SendMessageA(h, WM_TIMER, TskSkinForm::kMorphTimerId, 0);
  Pump();
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  const int every = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
  forms::Application::Instance().SetTitle("Netscry");

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "netscry-endurance\\";
  CreateDirectoryA(dir.c_str(), nullptr);

  ChangingSnapshot snapshot;
  NoShell shell;
  MainWindowDeps deps;
  deps.snapshot = &snapshot;
  deps.shell = &shell;
  deps.app_path = dir;
  TFormNetscry form(deps);
  if (!form.Create()) {
    std::printf("the main window could not be made\n");
    return 2;
  }
  form.Show();
  Pump();
  HWND h = form.Handle();
  if (!form.skSkinForm1.Frame().SkinActive()) std::printf("note: the main window has no skin\n");

  forms::Form other;
  forms::FormParams op;
  op.caption = "other";
  op.client_size = {120, 80};
  other.CreateForm(op);
  other.Show(SW_SHOWNOACTIVATE);
  Pump();

  RECT start_rect{};
  GetWindowRect(h, &start_rect);
  auto cycle = [&](int i) {
    form.BTNRefreshClick();
    Pump();
    SetWindowPos(h, nullptr, 0, 0, 762 + (i % 9) * 17, 469 + (i % 7) * 13, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    CaptionDoubleClick(form);  // maximise
    CaptionDoubleClick(form);  // restore
    HoverClose(form);
    SetActiveWindow(other.Handle());
    Pump();
    SetActiveWindow(h);
    Pump();
    // Every cycle ends at the starting size, so that any two cycles end alike.
    SetWindowPos(h, nullptr, 0, 0, start_rect.right - start_rect.left, start_rect.bottom - start_rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  };

  // Ten cycles first: window classes, fonts, the list's surfaces, the icon lists' files and the
  // like are made once and kept.
  for (int i = 0; i < 10; ++i) cycle(i);
  SetWindowPos(h, nullptr, 0, 0, start_rect.right - start_rect.left, start_rect.bottom - start_rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  const Figures first = Measure();
  Print("start", 0, first);
  for (int i = 1; i <= cycles; ++i) {
    cycle(i);
    if (i % every == 0 && i != cycles) Print("", i, Measure());
  }
  SetWindowPos(h, nullptr, 0, 0, start_rect.right - start_rect.left, start_rect.bottom - start_rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  const Figures last = Measure();
  Print("end", cycles, last);
  std::printf("frame state %s, %d refreshes, %d compositions of the frame\n",
              form.skSkinForm1.Frame().FrameState == TskFrameState::Normal ? "normal" : "not normal", snapshot.round,
              form.skSkinForm1.Compositions());
  const bool flat = first.gdi == last.gdi && first.user == last.user && first.gdi_slots == last.gdi_slots &&
                    first.windows == last.windows;
  std::printf("%s\n", flat ? "GDI and USER objects flat" : "GDI or USER objects changed");
  other.Destroy();
  form.OnCloseQuery = nullptr;
  return flat ? 0 : 1;
}
