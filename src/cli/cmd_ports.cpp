#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_app.h"
#include "link/port_list.h"
#include "link/serial_driver.h"

namespace zelta::cli {

// ports: the serial devices a fixture can be on, and running pager simulators.
void addPortsCommand(CLI::App& app, CliRun& run) {
  struct Options {
    bool json = false;
    bool simulatorsOnly = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand("ports", "List serial ports and running pager simulators");
  sub->add_flag("--json", options->json, "Print [{path, description, latencyTimerMs}] as JSON");
  sub->add_flag("--simulators", options->simulatorsOnly, "List only running pager simulators");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      const std::vector<link::PortEntry> ports =
          options->simulatorsOnly ? link::listSimulatorPorts() : link::listPorts();
      // USB adapters' latency timers, read without opening the ports.
      link::LinuxSerialDriver driver;
      std::vector<int> latency;
      for (const link::PortEntry& p : ports) {
        latency.push_back(link::adapterLatencyTimerMs(driver, p.path));
      }
      if (options->json) {
        nlohmann::json list = nlohmann::json::array();
        for (std::size_t i = 0; i < ports.size(); ++i) {
          nlohmann::json entry{{"path", ports[i].path}, {"description", ports[i].description}};
          if (latency[i] >= 0) entry["latencyTimerMs"] = latency[i];
          list.push_back(std::move(entry));
        }
        run.io.out << list.dump(2) << '\n';
        return kExitOk;
      }
      if (ports.empty()) run.io.err << "No serial ports found.\n";
      std::size_t width = 0;
      for (const link::PortEntry& p : ports) width = std::max(width, p.path.size());
      for (std::size_t i = 0; i < ports.size(); ++i) {
        const link::PortEntry& p = ports[i];
        run.io.out << p.path << std::string(width - p.path.size() + 2, ' ') << p.description;
        if (latency[i] >= 0) run.io.out << ", latency timer " << latency[i] << " ms";
        run.io.out << '\n';
      }
      return kExitOk;
    };
  });
}

}  // namespace zelta::cli
