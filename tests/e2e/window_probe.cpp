// Reads what a user sees of a running program's windows, for the end-to-end tests: titles,
// positions, and the texts and states of their controls (the same information a screen reader
// gets). It changes no window's state; `repaint` only has a window paint itself whole again.
// Output is UTF-8, one item per line.
//   window_probe list                     visible top-level windows: "window <pid> <title>"
//   window_probe dump <title> [seconds]   waits for that visible window, then prints
//       "frame L T R B", "client X Y W H" (screen), "topmost 0|1", and for every descendant
//       "control <class> <id> <visible> <enabled> <checked> <L> <T> <R> <B> <text>" with the
//       rectangle relative to the client origin; exit 1 when the window did not appear
//   window_probe gone <title> [seconds]   exit 0 once no visible window has that title
//   window_probe ping <title> [seconds]   sends the window WM_NULL again and again for that long,
//       each answer awaited up to 30 s; prints "answers <n> worst_ms <w> late <k>" (late: answers
//       later than 100 ms); exit 1 when the window did not appear or did not answer
//   window_probe repaint <title> [seconds] has that window and its children painted whole again
//       (what the screen would show if nothing were left stale); exit 1 when it did not appear
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(std::size_t(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t buffer[1024] = {};
  // WM_GETTEXT rather than GetWindowText, so that controls of another process answer too.
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  buffer[1023] = 0;
  return buffer;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM lp) {
  if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectAll(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> result;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&result));
  return result;
}

HWND FindVisible(const std::wstring& title) {
  for (HWND hwnd : TopLevelWindows())
    if (TextOf(hwnd) == title) return hwnd;
  return nullptr;
}

void PrintControl(HWND top, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&r), 2);
  std::wstring cls = ClassOf(child);
  LRESULT checked = -1;
  if (_wcsicmp(cls.c_str(), L"Button") == 0) {
    LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX)
      SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, reinterpret_cast<PDWORD_PTR>(&checked));
  }
  std::printf("control %s %d %d %d %d %ld %ld %ld %ld %s\n", Utf8(cls).c_str(), GetDlgCtrlID(child),
              IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0, int(checked),
              r.left, r.top, r.right, r.bottom, Utf8(TextOf(child)).c_str());
}

int Dump(HWND hwnd) {
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  std::printf("frame %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
  std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  std::printf("topmost %d\n", (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
  std::vector<HWND> children;
  EnumChildWindows(hwnd, CollectAll, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) PrintControl(hwnd, child);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  double seconds = argc > 3 ? _wtof(argv[3]) : 20.0;
  DWORD deadline = GetTickCount() + DWORD(seconds * 1000);
  if (command == L"list") {
    for (HWND hwnd : TopLevelWindows()) {
      DWORD pid = 0;
      GetWindowThreadProcessId(hwnd, &pid);
      std::printf("window %lu %s\n", pid, Utf8(TextOf(hwnd)).c_str());
    }
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: window_probe list | dump|gone|ping|repaint TITLE [SECONDS]\n");
    return 2;
  }
  std::wstring title = argv[2];
  for (;;) {
    HWND hwnd = FindVisible(title);
    if (command == L"dump" && hwnd) return Dump(hwnd);
    if (command == L"gone" && !hwnd) return 0;
    if (command == L"ping" && hwnd) {
      unsigned answers = 0, late = 0;
      DWORD worst = 0;
      LARGE_INTEGER frequency, t0, t1;
      QueryPerformanceFrequency(&frequency);
      while (LONG(GetTickCount() - deadline) < 0) {
        DWORD_PTR result = 0;
        QueryPerformanceCounter(&t0);
        if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result)) {
          std::printf("no answer within 30000 ms after %u answers\n", answers);
          return 1;
        }
        QueryPerformanceCounter(&t1);
        const DWORD ms = DWORD((t1.QuadPart - t0.QuadPart) * 1000 / frequency.QuadPart);
        ++answers;
        if (ms > worst) worst = ms;
        if (ms > 100) ++late;
        Sleep(10);
      }
      std::printf("answers %u worst_ms %lu late %u\n", answers, worst, late);
      return answers > 0 ? 0 : 1;
    }
    if (command == L"repaint" && hwnd) {
      const UINT how = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
      return RedrawWindow(hwnd, nullptr, nullptr, how) ? 0 : 1;
    }
    if (LONG(GetTickCount() - deadline) >= 0) return 1;
    Sleep(50);
  }
}
