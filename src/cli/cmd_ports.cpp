#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <ostream>

#include "cli/cli_app.h"
#include "link/port_list.h"

namespace zelta::cli {

// ports: the serial devices a fixture can be on, and running pager simulators.
void addPortsCommand(CLI::App& app, CliRun& run) {
  auto json = std::make_shared<bool>(false);
  CLI::App* sub = app.add_subcommand("ports", "List serial ports and running pager simulators");
  sub->add_flag("--json", *json, "Print [{path, description}] as JSON");
  sub->callback([&run, json] {
    run.action = [&run, json]() -> int {
      const std::vector<link::PortEntry> ports = link::listPorts();
      if (*json) {
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
