#include "mainwindow/refresh_gate.h"

namespace netscry {

bool RefreshGate::Request() {
  if (busy_) {
    pending_ = true;
    return false;
  }
  busy_ = true;
  return true;
}

bool RefreshGate::Finish() {
  if (!busy_) return false;  // nothing was running: a stray finish starts nothing
  if (pending_) {
    pending_ = false;
    return true;
  }
  busy_ = false;
  return false;
}

}  // namespace netscry
