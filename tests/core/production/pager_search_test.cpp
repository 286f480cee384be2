#include "production/pager_search.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace zelta::production {
namespace {

const std::vector<link::PortEntry> kPorts{
    {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", {}},
    {"/dev/pts/3", "", {}},
    {"/dev/pts/4", "Pager simulator (0x98)", {}},
    {"/dev/pts/5", "Pager simulator (0x71 'q')", {}},
};

// Pagers answer on the ports named; every probe is recorded.
struct FakeProbes {
  std::map<std::string, models::ModelCode> pagers;
  std::vector<std::string> probed;
  PagerProbe probe() {
    return [this](const std::string& path,
                  const std::function<bool()>&) -> std::optional<models::ModelCode> {
      probed.push_back(path);
      const auto found = pagers.find(path);
      if (found == pagers.end()) return std::nullopt;
      return found->second;
    };
  }
};

TEST(PagerSearch, StopsAtTheFirstPortAPagerAnswersOn) {
  FakeProbes fake{{{"/dev/pts/4", 0x98}, {"/dev/pts/5", 'q'}}, {}};
  std::vector<std::size_t> tried;
  const PagerSearchResult r =
      findPager(kPorts, fake.probe(), {nullptr, [&](std::size_t i) { tried.push_back(i); }});
  ASSERT_TRUE(r.index.has_value());
  EXPECT_EQ(*r.index, 2U);
  EXPECT_EQ(r.model, 0x98);
  EXPECT_FALSE(r.stopped);
  EXPECT_EQ(tried, (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_EQ(fake.probed, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/pts/3", "/dev/pts/4"}));
}

TEST(PagerSearch, NoPagerAndAStoppedSearchAreToldApart) {
  FakeProbes silent;
  const PagerSearchResult none = findPager(kPorts, silent.probe(), {});
  EXPECT_FALSE(none.index.has_value());
  EXPECT_FALSE(none.stopped);
  EXPECT_EQ(silent.probed.size(), kPorts.size());

  // Stopped while the second port is asked: no further port is probed.
  FakeProbes fake{{{"/dev/pts/5", 'q'}}, {}};
  const PagerSearchResult stopped =
      findPager(kPorts, fake.probe(), {[&] { return fake.probed.size() >= 2; }, nullptr});
  EXPECT_FALSE(stopped.index.has_value());
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(fake.probed.size(), 2U);
}

}  // namespace
}  // namespace zelta::production
