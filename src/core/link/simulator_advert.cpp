#include "link/simulator_advert.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "link/wire.h"

namespace zelta::link {

namespace fs = std::filesystem;

namespace {

bool processIsRunning(long pid) {
  return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

}  // namespace

fs::path simulatorAdvertDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return fs::path(runtime) / "zelta-pager-sim";
  return fs::path("/tmp") / ("zelta-pager-sim-" + std::to_string(getuid()));
}

fs::path writeSimulatorAdvert(const SimulatorAdvert& advert) {
  const fs::path dir = simulatorAdvertDirectory();
  std::error_code ec;
  fs::create_directories(dir, ec);
  // Under /tmp the directory could have been made by someone else; only our
  // own is written to.
  struct stat info {};
  if (ec || stat(dir.c_str(), &info) != 0 || info.st_uid != getuid()) return {};
  fs::permissions(dir, fs::perms::owner_all, ec);
  const fs::path file = dir / std::to_string(advert.pid);
  std::ofstream out(file);
  if (!out) return {};
  out << "path=" << advert.path << "\nmodel=" << static_cast<int>(advert.model) << "\n";
  return out ? file : fs::path{};
}

std::vector<SimulatorAdvert> readSimulatorAdverts() {
  std::vector<SimulatorAdvert> adverts;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(simulatorAdvertDirectory(), ec)) {
    SimulatorAdvert advert;
    char* end = nullptr;
    const std::string name = entry.path().filename().string();
    advert.pid = std::strtol(name.c_str(), &end, 10);
    if (end == name.c_str() || *end != '\0' || !processIsRunning(advert.pid)) continue;
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      if (line.starts_with("path=")) advert.path = line.substr(5);
      if (line.starts_with("model=")) {
        advert.model = static_cast<models::ModelCode>(std::atoi(line.c_str() + 6));
      }
    }
    if (advert.path.empty() || !fs::exists(advert.path, ec)) continue;
    adverts.push_back(advert);
  }
  return adverts;
}

std::string simulatorDescription(models::ModelCode model) {
  return "Pager simulator (" + modelLabel(model) + ")";
}

}  // namespace zelta::link
