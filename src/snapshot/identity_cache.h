#pragma once
// What the identity lookups learned, kept from one snapshot to the next so that a snapshot asks
// the platform only about processes and files it has not met before. Almost every process that
// owns an endpoint is the one that owned it ten seconds earlier; opening it, enumerating its
// modules and reading its file's version block again every time is most of a snapshot's cost.
//
// A process is known by its ID and its creation time together: IDs are reused, and a reused ID
// must never be given the previous owner's path. A file's version texts are known by its path,
// last-write time and size, so a file replaced under a running program is read again. A process
// or file whose time cannot be read is looked up afresh every time and not kept.
//
// The image name is not kept: the process list is walked at every snapshot anyway, and a name
// is whatever that walk says.
//
// The cache holds plain strings and no shared texts, so it never shares a block with the
// entries it helped to fill: its owner may take snapshots on another thread than the one that
// reads them. It is used by one snapshot at a time and belongs to whoever takes the snapshots.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "snapshot/snapshot.h"

namespace netscry {

class ProcessIdentityCache {
 public:
  // Drops the processes the snapshot's process list no longer holds. A list that could not be
  // taken (empty) drops nothing: what is kept is still checked against creation times before
  // it is used.
  void BeginSnapshot(const std::unordered_map<std::uint32_t, std::string>& process_list);
  // Drops the files no kept process runs from. Only now, after the lookups: a program whose
  // last process ended and which started again finds its file still known.
  void EndSnapshot();

  // The process's path: the kept one when the process's creation time is the one it was kept
  // with, else looked up (and kept when the creation time is known).
  std::string ProcessPath(std::uint32_t pid, ProcessLookups& lookups);

  // The file's version texts: the kept ones when the file's last-write time and size are those
  // they were kept with, else read (and kept when time and size are known). An empty path has
  // no version texts and is not looked at.
  VersionText FileVersionText(const std::string& path, ProcessLookups& lookups);

  std::size_t ProcessCount() const { return processes_.size(); }
  std::size_t FileCount() const { return files_.size(); }

 private:
  struct KnownProcess {
    std::uint64_t created = 0;
    std::string path;
  };
  struct KnownFile {
    FileStamp stamp;
    VersionText text;
  };
  std::unordered_map<std::uint32_t, KnownProcess> processes_;
  std::unordered_map<std::string, KnownFile> files_;
};

}  // namespace netscry
