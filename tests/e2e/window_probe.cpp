// Reads what a user sees of a running program's windows, for the end-to-end tests: titles,
// positions, and the texts and states of their controls (the same information a screen reader
// gets). It changes no window's state, but for `repaint`, which only has a window paint itself
// whole again, and `click-repaint`, which clicks as a user would and times what the screen shows.
// Output is UTF-8, one item per line.
//   window_probe list                     visible top-level windows: "window <pid> <title>"
//   window_probe dump <title> [seconds]   waits for that visible window, then prints
//       "frame L T R B", "client X Y W H" (screen), "topmost 0|1", and for every descendant
//       "control <class> <id> <visible> <enabled> <checked> <L> <T> <R> <B> <text>" with the
//       rectangle relative to the client origin; exit 1 when the window did not appear
//   window_probe gone <title> [seconds]   exit 0 once no visible window has that title
//   window_probe ping <title> [seconds]   sends the window WM_NULL again and again for that long,
//       each answer awaited up to 30 s, and after each one the same to an idle window of the
//       probe's own on another thread (what the machine alone costs an answer right then);
//       prints "answers <n> worst_ms <w> late <k> idle_worst_ms <w> idle_late <k>" (late: answers
//       later than 100 ms) and, on standard error, when each late answer came; exit 1 when the
//       window did not appear or did not answer
//   window_probe click-repaint X Y L T W H   a left click at screen point X,Y, then watches the
//       screen rectangle L,T,W,H until its pixels change; prints "repainted_ms <n>" (from the
//       press), or "no repaint within 5000 ms" and exit 1
//   window_probe repaint <title> [seconds] has that window and its children painted whole again
//       (what the screen would show if nothing were left stale); exit 1 when it did not appear
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <span>
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


// A window that does nothing but answer, on a thread of its own: its answer times are the
// machine's share of any answer time (scheduling, the window server), measured at the same moments.
struct IdleWindow {
  HANDLE thread = nullptr;
  HWND hwnd = nullptr;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);

  static DWORD WINAPI Run(void* self_pointer) {
    auto* self = static_cast<IdleWindow*>(self_pointer);
    self->hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (self->hwnd) ShowWindow(self->hwnd, SW_SHOWNOACTIVATE);
    SetEvent(self->ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    if (self->hwnd) DestroyWindow(self->hwnd);
    return 0;
  }
  IdleWindow() {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    if (thread) WaitForSingleObject(ready, 10000);
  }
  ~IdleWindow() {
    if (thread) {
      PostThreadMessageW(GetThreadId(thread), WM_QUIT, 0, 0);
      WaitForSingleObject(thread, 10000);
      CloseHandle(thread);
    }
    CloseHandle(ready);
  }
};

struct AnswerTimes {
  unsigned answers = 0, late = 0;
  DWORD worst = 0;
  std::vector<DWORD> late_at;  // ms from the first ping
};

// Milliseconds the window took to answer WM_NULL, or -1 when it did not within 30 s.
long AnswerMs(HWND hwnd, const LARGE_INTEGER& frequency) {
  LARGE_INTEGER t0, t1;
  DWORD_PTR result = 0;
  QueryPerformanceCounter(&t0);
  if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result)) return -1;
  QueryPerformanceCounter(&t1);
  return long((t1.QuadPart - t0.QuadPart) * 1000 / frequency.QuadPart);
}

void Count(AnswerTimes& times, DWORD ms, DWORD at) {
  ++times.answers;
  if (ms > times.worst) times.worst = ms;
  if (ms > 100) {
    ++times.late;
    times.late_at.push_back(at);
  }
}

void PrintLate(const char* whose, const AnswerTimes& times) {
  std::fprintf(stderr, "late answers of %s at (ms):", whose);
  for (DWORD at : times.late_at) std::fprintf(stderr, " %lu", at);
  std::fprintf(stderr, "\n");
}

int Ping(HWND hwnd, DWORD deadline) {
  IdleWindow idle;
  if (!idle.hwnd) {
    std::printf("the idle window could not be made\n");
    return 1;
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  AnswerTimes window, machine;
  const DWORD start = GetTickCount();
  while (LONG(GetTickCount() - deadline) < 0) {
    const DWORD at = GetTickCount() - start;
    const long ms = AnswerMs(hwnd, frequency);
    if (ms < 0) {
      std::printf("no answer within 30000 ms after %u answers\n", window.answers);
      return 1;
    }
    Count(window, DWORD(ms), at);
    const long idle_ms = AnswerMs(idle.hwnd, frequency);
    if (idle_ms >= 0) Count(machine, DWORD(idle_ms), GetTickCount() - start);
    Sleep(10);
  }
  std::printf("answers %u worst_ms %lu late %u idle_worst_ms %lu idle_late %u\n", window.answers,
              window.worst, window.late, machine.worst, machine.late);
  PrintLate("the window", window);
  PrintLate("the idle window", machine);
  return window.answers > 0 ? 0 : 1;
}


// A screen rectangle, as the user sees it, read again and again into one bitmap made once (the
// reads are timed, and run beside the program being measured).
class ScreenArea {
 public:
  ScreenArea(int left, int top, int width, int height)
      : left_(left), top_(top), width_(width), height_(height), screen_(GetDC(nullptr)),
        memory_(CreateCompatibleDC(screen_)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_ && bits_ && memory_) old_ = SelectObject(memory_, bitmap_);
  }
  ~ScreenArea() {
    if (old_) SelectObject(memory_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (memory_) DeleteDC(memory_);
    ReleaseDC(nullptr, screen_);
  }
  ScreenArea(const ScreenArea&) = delete;
  ScreenArea& operator=(const ScreenArea&) = delete;

  bool Valid() const { return old_ != nullptr; }
  // Reads the screen; the pixels stay readable until the next read.
  std::span<const std::uint32_t> Read() {
    BitBlt(memory_, 0, 0, width_, height_, screen_, left_, top_, SRCCOPY);
    GdiFlush();
    return {static_cast<const std::uint32_t*>(bits_), std::size_t(width_) * std::size_t(height_)};
  }

 private:
  int left_, top_, width_, height_;
  HDC screen_;
  HDC memory_;
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void SendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

// How long after a click at (x, y) the screen rectangle shows something else.
int ClickRepaint(int x, int y, int left, int top, int width, int height) {
  if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return 2;
  ScreenArea area(left, top, width, height);
  if (!area.Valid()) {
    std::printf("the screen could not be read\n");
    return 2;
  }
  SetCursorPos(x, y);
  Sleep(200);  // hover effects of arriving there settle first
  const std::span<const std::uint32_t> shown = area.Read();
  const std::vector<std::uint32_t> before(shown.begin(), shown.end());
  LARGE_INTEGER frequency, t0, t1;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t0);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  SendButton(MOUSEEVENTF_LEFTUP);
  for (;;) {
    const std::span<const std::uint32_t> now = area.Read();
    const bool changed = !std::equal(now.begin(), now.end(), before.begin());
    QueryPerformanceCounter(&t1);
    const long ms = long((t1.QuadPart - t0.QuadPart) * 1000 / frequency.QuadPart);
    if (changed) {
      std::printf("repainted_ms %ld\n", ms);
      return 0;
    }
    if (ms > 5000) {
      std::printf("no repaint within 5000 ms\n");
      return 1;
    }
    Sleep(2);
  }
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
  if (command == L"click-repaint") {
    if (argc < 8) return 2;
    return ClickRepaint(_wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]), _wtoi(argv[7]));
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: window_probe list | dump|gone|ping|repaint TITLE [SECONDS] | click-repaint X Y L T W H\n");
    return 2;
  }
  std::wstring title = argv[2];
  for (;;) {
    HWND hwnd = FindVisible(title);
    if (command == L"dump" && hwnd) return Dump(hwnd);
    if (command == L"gone" && !hwnd) return 0;
    if (command == L"ping" && hwnd) return Ping(hwnd, deadline);
    if (command == L"repaint" && hwnd) {
      const UINT how = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
      return RedrawWindow(hwnd, nullptr, nullptr, how) ? 0 : 1;
    }
    if (LONG(GetTickCount() - deadline) >= 0) return 1;
    Sleep(50);
  }
}
