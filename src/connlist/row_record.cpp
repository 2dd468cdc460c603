#include "connlist/row_record.h"

namespace netscry {

void ReleaseRowStrings(TMyRec& rec) {
  for (FieldText* s : {&rec.Protocol, &rec.StateText, &rec.LocalIP, &rec.LocalPort, &rec.RemoteIP,
                       &rec.RemotePort, &rec.ProcessID, &rec.ProcessName, &rec.FilePath, &rec.FileDesc,
                       &rec.Company, &rec.Remark}) {
    s->clear();  // hands a heap block back
  }
}

}  // namespace netscry
