#pragma once
// The connection list's fill, refresh merge, row comparison and header click as the main window
// calls them: one seam, so the window does not care where these live.
#include <string>

#include "controls/tree_list.h"
#include "snapshot/file_rec.h"

namespace netscry {

struct ConnListOptions {
  bool ShowLocal = true;
  std::string MsgSystemDesc;
  std::string MsgIdleDesc;
};

struct ConnListCounts {
  int Programs = 0;
  int Connections = 0;
};

// The list's comparison and header-click callbacks.
void BindConnListSorting(TStringTreeList& list);
ConnListCounts FillConnList(TStringTreeList& list, const FileRecArray& tcp, const FileRecArray& udp,
                            const ConnListOptions& options);
ConnListCounts RefreshConnList(TStringTreeList& list, FileRecArray& tcp, FileRecArray& udp,
                               const ConnListOptions& options);
// Whether a click in the column opens the row menu, and whether its row commands are enabled.
struct ConnMenuState {
  bool Open = false;
  bool RowCommandsEnabled = false;
};
ConnMenuState ConnColumnClick(const TStringTreeList& list, TColumnIndex column);

}  // namespace netscry
