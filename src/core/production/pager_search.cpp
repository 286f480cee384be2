#include "production/pager_search.h"

#include "link/clock.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "link/termios_serial_device.h"
#include "production/production_reporter.h"

namespace zelta::production {

PagerSearchResult findPager(std::span<const link::PortEntry> ports, const PagerProbe& probe,
                            const PagerSearchHooks& hooks) {
  const auto stop = [&hooks] { return hooks.stopRequested && hooks.stopRequested(); };
  PagerSearchResult result;
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (stop()) break;
    if (hooks.trying) hooks.trying(i);
    if (const std::optional<models::ModelCode> model = probe(ports[i].path, stop)) {
      result.index = i;
      result.model = *model;
      return result;
    }
  }
  result.stopped = stop();
  return result;
}

std::optional<models::ModelCode> probePagerOn(const std::string& path,
                                              const std::function<bool()>& stop) {
  link::TermiosSerialDevice device;
  link::SteadyClock clock;
  ProductionReporter quiet;
  link::TDComm comm(device, quiet, clock);
  comm.SetPortName(path);
  link::PagerLink link(comm, quiet);
  link::LinkHooks hooks;
  hooks.stopRequested = stop;
  link.setHooks(hooks);
  link::Identification id;
  if (link.identify(id, 1) != errors::code::Ok) return std::nullopt;
  return id.model;
}

}  // namespace zelta::production
