#include "production/production_board.h"

#include "production/production_texts.h"

namespace zelta::production {

ProductionBoard::ProductionBoard(const std::vector<std::string>& ports) {
  for (const std::string& port : ports) {
    FixtureStatus waiting;
    waiting.port = port;
    rows_.push_back({port, FixtureState::WaitingForPager, describeFixture(waiting), 0});
  }
}

void ProductionBoard::start(std::vector<PagerRecord> records, const ProductionCounters& counters) {
  records_ = std::move(records);
  counters_ = counters;
}

void ProductionBoard::fixtureChanged(const FixtureStatus& status) {
  if (status.fixture < 0 || static_cast<std::size_t>(status.fixture) >= rows_.size()) return;
  FixtureRow& row = rows_[static_cast<std::size_t>(status.fixture)];
  row.state = status.state;
  row.text = describeFixture(status);
  row.percent = status.state == FixtureState::Programming ? status.percent : 0;
}

void ProductionBoard::pagerFinished(const PagerRecord& record) {
  records_.push_back(record);
}

std::vector<std::string> ProductionBoard::writing() const {
  std::vector<std::string> ports;
  for (const FixtureRow& row : rows_) {
    if (row.state == FixtureState::Programming) ports.push_back(row.port);
  }
  return ports;
}

}  // namespace zelta::production
