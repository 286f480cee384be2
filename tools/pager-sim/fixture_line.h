#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace zelta::pagersim {

// The fixture's end of the serial line: the master side of a pseudo-terminal
// whose slave the PC opens as its port.
//
// What the pager sends leaves no faster than the line allows: each byte is
// due one byte time after the byte before it, or after the moment it was
// handed over when the line was quiet. Waits are timed to the nanosecond, so
// a byte goes out when its last bit would have, not a timer tick later.
//
// Closing the port drops the PC's modem lines, and the fixture stops the
// pager: what it still had to send is lost. A pseudo-terminal shows the close
// only while nobody holds it open, which a PC that reopens at once never lets
// the master see; the opens and closes of the terminal are therefore counted
// through inotify, which queues every one of them.
class FixtureLine {
 public:
  FixtureLine() = default;
  ~FixtureLine();
  FixtureLine(const FixtureLine&) = delete;
  FixtureLine& operator=(const FixtureLine&) = delete;

  // Opens the pseudo-terminal; false (errno set) when it cannot.
  bool open();
  const std::string& path() const { return path_; }

  struct Exchange {
    std::vector<std::uint8_t> received;  // what the PC sent
    bool portClosed = false;             // the PC let go of the port
    std::size_t dropped = 0;             // bytes the close left unsent
    bool failed = false;                 // the terminal broke down
  };

  // Waits until the PC sends bytes, opens or closes the port, the next byte
  // falls due, or maxWaitMs pass; sends what is due and returns what the PC
  // sent. A close is seen before the bytes that follow it, so the answer to
  // a new wake-up is never dropped with the rest of the old exchange.
  Exchange exchange(int maxWaitMs);

  // Queues bytes to the PC, each taking byteTimeNs on the line, and sends
  // those already due.
  void send(const std::vector<std::uint8_t>& bytes, std::int64_t byteTimeNs);
  bool sending() const { return !pending_.empty(); }

  // Waits until everything queued has gone out.
  void drain();

  static std::int64_t nowNs();

 private:
  struct Pending {
    std::int64_t dueNs;
    std::uint8_t byte;
  };

  void sendDue();
  bool takeCloses();

  int master_ = -1;
  int watch_ = -1;
  int openers_ = 0;
  std::int64_t lastActivityNs_ = 0;  // last byte in either direction
  std::string path_;
  std::deque<Pending> pending_;
};

}  // namespace zelta::pagersim
