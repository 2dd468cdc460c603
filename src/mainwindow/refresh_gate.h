#pragma once
// When the main window may start a snapshot read. One read at a time: a refresh asked for while
// one runs (the timer, the loopback option, an ended process) is remembered, and any number of
// such requests make exactly one more read once the running one has been applied.
namespace netscry {

class RefreshGate {
 public:
  // A refresh is asked for. True: start a read now. False: one is running; another follows it.
  bool Request();
  // The running read's result has been applied (or dropped). True: start the remembered read
  // now (the gate stays busy); false: the gate is idle again.
  bool Finish();

  bool Busy() const { return busy_; }
  bool Pending() const { return pending_; }

 private:
  bool busy_ = false;
  bool pending_ = false;
};

}  // namespace netscry
