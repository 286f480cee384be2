#include "link/port_list.h"

#include <libserialport.h>

#include <algorithm>
#include <cstdio>

#include "link/simulator_advert.h"

namespace zelta::link {
namespace {

std::string text(const char* s) {
  return s != nullptr ? std::string(s) : std::string();
}

// USB adapters are named by product and maker; other ports by what the
// driver says about them.
std::string describe(sp_port* port) {
  if (sp_get_port_transport(port) == SP_TRANSPORT_USB) {
    const std::string product = text(sp_get_port_usb_product(port));
    const std::string maker = text(sp_get_port_usb_manufacturer(port));
    if (!product.empty() && !maker.empty()) return product + " (" + maker + ")";
    if (!product.empty()) return product;
    if (!maker.empty()) return maker;
  }
  const std::string description = text(sp_get_port_description(port));
  return description.empty() ? text(sp_get_port_name(port)) : description;
}

std::string usbIdentity(sp_port* port) {
  if (sp_get_port_transport(port) != SP_TRANSPORT_USB) return {};
  int vid = 0;
  int pid = 0;
  std::string identity;
  if (sp_get_port_usb_vid_pid(port, &vid, &pid) == SP_OK) {
    char ids[10];
    std::snprintf(ids, sizeof ids, "%04x:%04x", vid & 0xFFFF, pid & 0xFFFF);
    identity = ids;
  }
  const std::string serial = text(sp_get_port_usb_serial(port));
  if (!serial.empty()) identity += (identity.empty() ? "" : " ") + serial;
  return identity;
}

}  // namespace

std::vector<PortEntry> listSerialPorts() {
  std::vector<PortEntry> ports;
  sp_port** list = nullptr;
  if (sp_list_ports(&list) == SP_OK && list != nullptr) {
    for (sp_port** p = list; *p != nullptr; ++p) {
      ports.push_back({text(sp_get_port_name(*p)), describe(*p), usbIdentity(*p)});
    }
    sp_free_port_list(list);
  }
  std::sort(ports.begin(), ports.end(),
            [](const PortEntry& a, const PortEntry& b) { return a.path < b.path; });
  return ports;
}

std::vector<PortEntry> listSimulatorPorts() {
  std::vector<PortEntry> ports;
  for (const SimulatorAdvert& advert : readSimulatorAdverts()) {
    ports.push_back({advert.path, simulatorDescription(advert.model), {}});
  }
  return ports;
}

std::vector<PortEntry> listPorts() {
  std::vector<PortEntry> ports = listSerialPorts();
  const std::vector<PortEntry> simulators = listSimulatorPorts();
  ports.insert(ports.end(), simulators.begin(), simulators.end());
  return ports;
}

}  // namespace zelta::link
