#pragma once

#include <string>
#include <vector>

namespace zelta::link {

// A serial device the operator can choose: its path and a readable name.
struct PortEntry {
  std::string path;         // "/dev/ttyUSB0"
  std::string description;  // "FT232R USB UART (FTDI)", "Pager simulator (0x98)"
  // USB adapters: vendor and product IDs and the adapter's serial number,
  // which tell two adapters of one make apart ("0403:6001 A50285BI").
  std::string usbIdentity;
};

// The serial ports of this machine, then the running pager simulators.
std::vector<PortEntry> listPorts();

// The serial ports of this machine. Finding which on-board ports exist
// means opening them briefly; nothing is sent.
std::vector<PortEntry> listSerialPorts();

// The pseudo-terminals of running pager simulators.
std::vector<PortEntry> listSimulatorPorts();

}  // namespace zelta::link
