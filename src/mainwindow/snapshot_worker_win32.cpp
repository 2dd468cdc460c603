#include "mainwindow/snapshot_worker_win32.h"

#include "mainwindow/snapshot_handover.h"

namespace netscry {

UINT SnapshotDoneMessage() {
  static const UINT message = RegisterWindowMessageA("Netscry.SnapshotDone");
  return message;
}

std::uint64_t FileTimeNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

void RunSnapshotRead(SnapshotJob& job) {
  // Taken before the tables are read: a process created after that cannot own a row's socket.
  job.taken_at = FileTimeNow();
  try {
    job.source->TakeSnapshot(job.tcp, job.udp);
    job.tcp = UnsharedCopy(job.tcp);
    job.udp = UnsharedCopy(job.udp);
  } catch (...) {
    job.error = std::current_exception();
  }
}

namespace {

DWORD WINAPI SnapshotThread(void* param) {
  // The thread's own reference: the job lives until both sides have let go of it.
  std::unique_ptr<std::shared_ptr<SnapshotJob>> owned(static_cast<std::shared_ptr<SnapshotJob>*>(param));
  SnapshotJob& job = **owned;
  RunSnapshotRead(job);
  job.done.store(true, std::memory_order_release);
  // A full queue refuses the post; the window would then wait for this read for ever, so the
  // post is tried again while the queue is full and the window lives.
  while (!PostMessageA(job.target, job.message, job.serial, 0) && GetLastError() == ERROR_NOT_ENOUGH_QUOTA &&
         IsWindow(job.target)) {
    Sleep(50);
  }
  return 0;
}

}  // namespace

bool StartSnapshotWorker(const std::shared_ptr<SnapshotJob>& job) {
  SnapshotDoneMessage();  // registered on this thread before the worker needs it
  auto* reference = new std::shared_ptr<SnapshotJob>(job);
  HANDLE thread = CreateThread(nullptr, 0, &SnapshotThread, reference, 0, nullptr);
  if (!thread) {
    delete reference;
    return false;
  }
  CloseHandle(thread);
  return true;
}

}  // namespace netscry
