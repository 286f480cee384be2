#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_app.h"
#include "link/port_list.h"

namespace zelta::cli {

// ports: the serial devices a fixture can be on, and running pager simulators.
void addPortsCommand(CLI::App& app, CliRun& run) {
  struct Options {
    bool json = false;
    bool simulatorsOnly = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand("ports", "List serial ports and running pager simulators");
  sub->add_flag("--json", options->json, "Print [{path, description}] as JSON");
  sub->add_flag("--simulators", options->simulatorsOnly, "List only running pager simulators");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      const std::vector<link::PortEntry> ports =
          options->simulatorsOnly ? link::listSimulatorPorts() : link::listPorts();
      if (options->json) {
        nlohmann::json list = nlohmann::json::array();
        for (const link::PortEntry& p : ports) {
          list.push_back({{"path", p.path}, {"description", p.description}});
        }
        run.io.out << list.dump(2) << '\n';
        return kExitOk;
      }
      if (ports.empty()) run.io.err << "No serial ports found.\n";
      std::size_t width = 0;
      for (const link::PortEntry& p : ports) width = std::max(width, p.path.size());
      for (const link::PortEntry& p : ports) {
        run.io.out << p.path << std::string(width - p.path.size() + 2, ' ') << p.description
                   << '\n';
      }
      return kExitOk;
    };
  });
}

}  // namespace zelta::cli
