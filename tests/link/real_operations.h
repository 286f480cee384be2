#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codeplug/builders.h"
#include "codeplug/codec.h"
#include "codeplug/new_codeplug.h"
#include "link/clock.h"
#include "link/comm.h"
#include "link/termios_serial_device.h"
#include "operations/pager_operations.h"
#include "recording_reporter.h"
#include "temp_folder.h"

// The read and program operations as the program builds them, over a real
// pseudo-terminal to the simulator.
namespace zelta::testing {

// Real time with the protocol's pauses a tenth as long.
class TenthPauseClock : public link::SteadyClock {
 public:
  void delayMs(std::int64_t ms) override { link::SteadyClock::delayMs(ms / 10); }
};

inline std::size_t sizeOf(models::ModelCode model) {
  return models::modelIn(model, models::ModelGroup::newProtocolModels) ? 2048 : 1024;
}

struct Codeplug {
  std::unique_ptr<codeplug::CodeplugImage> image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
};

// A codeplug of the model built from its defaults with one code, then
// decoded as a file load leaves it.
inline Codeplug defaultCodeplug(models::ModelCode model) {
  Codeplug c;
  codeplug::setUpNewCodeplug(model, *c.image, c.settings);
  c.settings.code[0] = "1234567";
  codeplug::buildImage(*c.image, c.settings, {});
  codeplug::standardCodec().decode(codeplug::DecodeCommand::OpenFile, *c.image, c.settings, {});
  return c;
}

inline std::vector<std::uint8_t> bytesOf(const Codeplug& c, std::size_t n) {
  const auto b = c.image->buffer().first(n);
  return {b.begin(), b.end()};
}

class NoDialogs : public operations::OperatorDialogs {
 public:
  errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest&) override {
    return errors::code::Cancelled;
  }
};

// The operations as the program builds them, on a real pseudo-terminal.
struct RealOperations {
  explicit RealOperations(const std::string& port) {
    comm.SetPortName(port);
    work.folder = folder.path();
    link.setImageBuffers(link::imageBuffersOf(*codeplug.image));
  }
  TenthPauseClock clock;
  link::TermiosSerialDevice device;
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
  link::PagerLink link{comm, reporter};
  Codeplug codeplug;
  TempFolder folder;
  storage::WorkFiles work;
  conversion::ConverterState converter;
  NoDialogs dialogs;
  operations::OperationSettings settings;
  storage::CodeplugSession session{*codeplug.image, codeplug.settings, work, reporter,
                                   codeplug::standardCodec()};
  operations::PagerOperations operations{link, session, converter, dialogs, settings};
};

}  // namespace zelta::testing
