#include "link/trace_switch.h"

namespace zelta::link {

bool TraceSwitch::start(const std::filesystem::path& file) {
  stop();
  file_.open(file, std::ios::app);
  if (!file_.is_open()) return false;
  trace_ = std::make_unique<TraceDevice>(inner_, file_, clock_);
  return true;
}

void TraceSwitch::stop() {
  trace_.reset();
  if (file_.is_open()) file_.close();
  file_.clear();
}

}  // namespace zelta::link
