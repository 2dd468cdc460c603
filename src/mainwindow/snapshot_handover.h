#pragma once
// Snapshot arrays that cross between the user-interface thread and the snapshot worker. Long
// field texts share a heap block whose count is not locked, so an array handed to the other
// thread must share no block with anything the giving thread keeps (the rows shown, a source's
// own memory of earlier snapshots).
#include "snapshot/file_rec.h"

namespace netscry {

// A copy with the same texts whose heap blocks are new: texts that shared one block in `recs`
// share one new block in the copy (one allocation per distinct long text, as in a snapshot).
// Made on the giving thread, before the hand-over.
FileRecArray UnsharedCopy(const FileRecArray& recs);

}  // namespace netscry
