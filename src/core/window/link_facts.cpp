#include "window/link_facts.h"

namespace zelta::window {

LinkFacts linkFactsOf(const link::LinkState& state) {
  LinkFacts facts;
  facts.limitedBaudFirmware = state.firmware.limitsBaudRate();
  facts.firmwareR0102 = state.firmware.has(link::Firmware::R0102);
  facts.pagerSerialNumber = state.serialNumber;
  facts.firmware = state.firmwareInfo.text;
  return facts;
}

}  // namespace zelta::window
