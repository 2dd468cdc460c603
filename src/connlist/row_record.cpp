#include "connlist/row_record.h"

namespace netscry {

void ReleaseRowStrings(TMyRec& rec) {
  // Swapping with empty strings hands the buffers back; clear() would keep them.
  for (std::string* s : {&rec.Protocol, &rec.StateText, &rec.LocalIP, &rec.LocalPort, &rec.RemoteIP,
                         &rec.RemotePort, &rec.ProcessID, &rec.ProcessName, &rec.FilePath, &rec.FileDesc,
                         &rec.Company, &rec.Remark}) {
    std::string().swap(*s);
  }
}

}  // namespace netscry
