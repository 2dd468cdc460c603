#pragma once
// One snapshot read on a thread of its own. The job is shared by the user-interface thread and
// the worker: the worker alone writes it until it sets `done` (and posts `message` to `target`);
// from then on only the user-interface thread touches it. Everything the read needs is copied
// into the job before the thread starts, so a window that is gone before the read ends loses
// nothing the worker uses; its post then fails or reaches a window that ignores it.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>

#include "mainwindow/snapshot_source.h"
#include "snapshot/file_rec.h"

namespace netscry {

struct SnapshotJob {
  SnapshotSource* source = nullptr;  // must outlive the read (the program's is never freed)
  HWND target = nullptr;
  UINT message = 0;
  WPARAM serial = 0;  // sent back as the message's wParam
  // In: an unshared copy of the arrays last shown (a table that cannot be read keeps its
  // entries). Out: the snapshot, sharing no text with anything the worker keeps.
  FileRecArray tcp, udp;
  std::uint64_t taken_at = 0;   // system file time, read just before the tables
  std::exception_ptr error;     // the read failed; the arrays are then not to be used
  std::atomic<bool> done{false};
};

// The message a finished read posts (registered once, so no other window gives it a meaning).
UINT SnapshotDoneMessage();

// The system time as a file time.
std::uint64_t FileTimeNow();

// Reads the snapshot into the job on the calling thread: the time, then the tables, then the
// arrays made to share no text with the source (which may keep texts for later snapshots).
// An error is kept in the job, not thrown. Does not set `done` nor post.
void RunSnapshotRead(SnapshotJob& job);

// Starts the read on a new thread, detached. False when no thread could be made (the job is
// then untouched and not done).
bool StartSnapshotWorker(const std::shared_ptr<SnapshotJob>& job);

}  // namespace netscry
