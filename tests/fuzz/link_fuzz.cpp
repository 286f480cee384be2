// libFuzzer target: whatever the pager and its fixture answer, the link
// must end every transaction with a result code, never crash, hang, throw
// or touch memory outside its buffers, and leave the port closed.
//
// Input: byte 0 picks the exchange and the command set, byte 1 the link
// state it starts from (status asked, firmware known) and the read
// request's options (blank read, into the pager copy), the stop request
// after some bytes; every byte the PC reads after
// that, echoes included, is the next input byte. When the input runs out
// the line falls silent: each read costs its 500 ms time-out on the fake
// clock, so a silent line ends the exchange in fake time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

#include "errors/reporter.h"
#include "link/clock.h"
#include "link/comm.h"
#include "link/link_state_seam.h"
#include "link/operation_scope.h"
#include "link/pager_link.h"
#include "link/service_commands.h"

namespace {

using namespace zelta;

class FuzzClock : public link::Clock {
 public:
  std::int64_t now = 0;
  std::int64_t nowMs() override { return now; }
  void delayMs(std::int64_t ms) override { now += ms > 0 ? ms : 0; }
  std::tm localTime() override { return std::tm{}; }
};

// The pager: its replies are the input, in order.
class FuzzDevice : public link::SerialDevice {
 public:
  FuzzDevice(const std::uint8_t* data, std::size_t size, FuzzClock& clock)
      : data_(data), size_(size), clock_(clock) {}

  std::size_t written = 0;

  bool open(const std::string&, const link::LineSettings&, link::OpenFailure&) override {
    if (open_) std::abort();  // the link always closes before it opens
    open_ = true;
    return true;
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  bool readByte(std::uint8_t& byte) override {
    if (!open_) std::abort();
    if (at_ >= size_) {
      clock_.now += 500;
      return false;
    }
    byte = data_[at_++];
    return true;
  }
  bool writeByte(std::uint8_t) override {
    if (!open_) std::abort();
    ++written;
    clock_.now += 1;
    return true;
  }
  bool purge() override { return open_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  FuzzClock& clock_;
  bool open_ = false;
};

class NoReporter : public errors::Reporter {
 protected:
  void showMessage(const errors::Message&) override {}
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return false;
  }
};

constexpr link::Transaction kTransactions[] = {
    link::Transaction::StatusRequest,
    link::Transaction::InformationRequest,
    link::Transaction::ReadImage,
    link::Transaction::WriteImage,
    link::Transaction::SetClock,
    link::Transaction::Test,
    link::Transaction::QuickPage,
    link::Transaction::ReceiverAlwaysOn,
    link::Transaction::KeepOnlyGoodMessages,
    link::Transaction::Chirp,
};
constexpr std::size_t kExchanges = std::size(kTransactions) + 3;  // + probe, identify, test command

// One exchange as byte 0 picks it.
errors::ResultCode exchangeOnce(link::PagerLink& pager, std::uint8_t pick,
                                const link::ReadImageRequest& read) {
  const std::size_t exchange = pick % kExchanges;
  const link::Variant variant = (pick & 0x80) ? link::Variant::A : link::Variant::B;
  errors::ResultCode result = 0;
  if (exchange < std::size(kTransactions)) {
    const link::Transaction transaction = kTransactions[exchange];
    result = transaction == link::Transaction::ReadImage
                 ? pager.readImage(read, variant)
                 : pager.runTransaction(transaction, variant);
  } else if (exchange == std::size(kTransactions)) {
    result = pager.informationProbe(link::ProbeKind::BeforeRead);
  } else if (exchange == std::size(kTransactions) + 1) {
    link::Identification id;
    result = pager.identify(id);
  } else {
    result = link::SendTestCommand(pager, 0x06, 1).result;
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t pick = data[0];
  const std::uint8_t state = data[1];
  FuzzClock clock;
  FuzzDevice device(data + 2, size - 2, clock);
  NoReporter reporter;
  link::TDComm comm(device, reporter, clock);
  link::PagerLink pager(comm, reporter);

  std::vector<std::uint8_t> image(0x800, 0x5A);
  std::vector<std::uint8_t> copy(0x800);
  std::vector<std::uint8_t> oldFormat(0x300);
  pager.setImageBuffers({image, copy, oldFormat});
  const std::size_t stopAfter = (state >> 5) * 97;  // 0: never
  link::LinkHooks hooks;
  hooks.askPassword = [](link::PasswordField& field) { field = link::makePasswordField("FUZZ"); };
  if (stopAfter != 0) {
    hooks.stopRequested = [&device, stopAfter] { return device.written >= stopAfter; };
  }
  pager.setHooks(hooks);
  errors::ResultCode result = 0;
  {
    const link::OperationScope operation(pager);
    link::LinkState& st = link::LinkStateSeam::of(pager);
    if (state & 0x01) st.firstStatus = 'N';
    if (state & 0x02) st.extendedFirmware = (state & 0x04) ? 1 : 0;
    link::ReadImageRequest read;
    read.blankRead = (state & 0x08) != 0;
    read.into = (state & 0x10) != 0 ? link::ReadInto::PagerCopy : link::ReadInto::Image;
    result = exchangeOnce(pager, pick, read);
  }
  if (result > 1 || comm.IsOpen() || device.isOpen()) std::abort();
  return 0;
}
