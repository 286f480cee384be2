// zelta-pps-cli produce as a program against simulators: a run killed in
// the middle of a write and resumed, and two runs on one journal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <thread>

#include "cli/cli_run.h"
#include "production/journal_state.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace fs = std::filesystem;

std::string textOf(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The template: one Individual code and an ICN.
fs::path makeTemplate(const fs::path& dir) {
  const fs::path blank = dir / "blank.cp";
  const fs::path made = dir / "template.cp";
  EXPECT_EQ(cli::testing::runArgs({"new", "--model", "0x91", "-o", blank.string()}).status, 0);
  EXPECT_EQ(cli::testing::runArgs({"edit", blank.string(), "-o", made.string(), "--set",
                                   "ed_code01=0200000", "--set", "ed_ICN=RUN0001"})
                .status,
            0);
  return made;
}

pid_t startProduce(const std::vector<std::string>& args, const fs::path& log) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, STDOUT_FILENO);
    dup2(fd, STDERR_FILENO);
    std::vector<std::string> all{ZELTA_CLI_PATH, "produce"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(ZELTA_CLI_PATH, argv.data());
    _exit(127);
  }
  return pid;
}

// The exit status; a run still going after two minutes is stopped (and
// fails the test with 128 + SIGTERM).
int waitFor(pid_t pid) {
  int status = 0;
  for (int i = 0; i < 1200; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid, SIGTERM);
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

std::size_t countOf(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

production::JournalState replay(const fs::path& journal) {
  return production::replayJournal(textOf(journal));
}

// No set is written into two pagers, and no pager holds two sets.
void expectOneSetPerPager(const production::JournalState& state) {
  std::map<int, std::set<std::string>> pagersOfSet;
  for (const production::PagerRecord& r : state.records) {
    if (r.written) pagersOfSet[r.codes->index].insert(r.serialNumber);
  }
  for (const auto& [set, pagers] : pagersOfSet) EXPECT_EQ(pagers.size(), 1u) << "set " << set;
}

// SIGKILL while the second pager's image is being written; the pager stays
// in the fixture. The resumed run gives that pager its set again (it may
// hold it already) and then the third pager the third: three sets, none on
// two pagers, none lost.
TEST(ProduceWithSimulator, KilledMidWriteAndResumedLosesNoSetAndRepeatsNone) {
  TempFolder dir;
  const fs::path tmpl = makeTemplate(dir.path());
  const fs::path simLog = dir.path() / "sim.log";
  SimProcess sim({"-v", "--no-advertise", "--image", tmpl.string(), "--script", "K1,K2,K3",
                  "--insert-gap-ms", "100", "--remove-after-ms", "3000", "--byte-delay-us", "300"},
                 simLog.string());
  const fs::path journal = dir.path() / "run.jsonl";
  const std::vector<std::string> args{
      tmpl.string(),         "--port", sim.path(), "--journal", journal.string(), "--count", "3",
      "--probe-interval-ms", "100"};
  const pid_t first = startProduce(args, dir.path() / "first.log");
  // The second pager's write frame is in and its block is on the way.
  bool killed = false;
  for (int i = 0; i < 2400 && !killed; ++i) {
    if (countOf(textOf(simLog), "\nwrite\n") == 2) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      kill(first, SIGKILL);
      killed = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  waitFor(first);
  ASSERT_TRUE(killed);
  ASSERT_EQ(replay(journal).sets.at(1).status, production::SetStatus::Reserved);

  const pid_t second = startProduce(args, dir.path() / "second.log");
  EXPECT_EQ(waitFor(second), 0) << textOf(dir.path() / "second.log");
  const production::JournalState state = replay(journal);
  ASSERT_EQ(state.written(), 3);
  EXPECT_EQ(state.sets.at(1).serialNumber.substr(0, 2), "K2");
  EXPECT_EQ(state.highestSet(), 2);
  expectOneSetPerPager(state);
}

// Ctrl+C while a pager is being programmed: the run finishes what it is
// writing, leaves no set reserved (the pager's set is written or released)
// and exits 130.
TEST(ProduceWithSimulator, InterruptLeavesNoSetReserved) {
  TempFolder dir;
  const fs::path tmpl = makeTemplate(dir.path());
  SimProcess sim(
      {"--no-advertise", "--image", tmpl.string(), "--script", "I1,I2", "--byte-delay-us", "300"});
  const fs::path journal = dir.path() / "run.jsonl";
  const pid_t run = startProduce({tmpl.string(), "--port", sim.path(), "--journal",
                                  journal.string(), "--count", "2", "--probe-interval-ms", "100"},
                                 dir.path() / "run.log");
  bool interrupted = false;
  for (int i = 0; i < 1200 && !interrupted; ++i) {
    if (replay(journal).sets.count(0) != 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      kill(run, SIGINT);
      interrupted = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(interrupted);
  EXPECT_EQ(waitFor(run), 128 + SIGINT);
  const production::JournalState state = replay(journal);
  ASSERT_EQ(state.sets.count(0), 1u);
  EXPECT_NE(state.sets.at(0).status, production::SetStatus::Reserved);
  EXPECT_EQ(state.records.size(), 1u);
  EXPECT_NE(textOf(dir.path() / "run.log").find("Stopped by SIGINT"), std::string::npos);
}

// Two processes with a fixture each share one journal: four sets, each on
// one pager, each pager with one set.
TEST(ProduceWithSimulator, TwoProcessesOnOneJournalNeverShareASet) {
  TempFolder dir;
  const fs::path tmpl = makeTemplate(dir.path());
  SimProcess simA({"--no-advertise", "--image", tmpl.string(), "--script", "P1,P2,P3",
                   "--insert-gap-ms", "100", "--remove-after-ms", "3000"});
  SimProcess simB({"--no-advertise", "--image", tmpl.string(), "--script", "Q1,Q2,Q3",
                   "--insert-gap-ms", "100", "--remove-after-ms", "3000"});
  const fs::path journal = dir.path() / "run.jsonl";
  const auto argsFor = [&](const std::string& port) {
    return std::vector<std::string>{
        tmpl.string(),         "--port", port, "--journal", journal.string(), "--count", "4",
        "--probe-interval-ms", "100"};
  };
  const pid_t a = startProduce(argsFor(simA.path()), dir.path() / "a.log");
  const pid_t b = startProduce(argsFor(simB.path()), dir.path() / "b.log");
  EXPECT_EQ(waitFor(a), 0) << textOf(dir.path() / "a.log");
  EXPECT_EQ(waitFor(b), 0) << textOf(dir.path() / "b.log");

  const production::JournalState state = replay(journal);
  EXPECT_EQ(state.written(), 4);
  EXPECT_EQ(state.highestSet(), 3);
  std::set<long> processes;
  for (const auto& [index, entry] : state.sets) processes.insert(entry.pid);
  EXPECT_EQ(processes.size(), 2u) << "both processes programmed";
  expectOneSetPerPager(state);

  const cli::testing::CliResult report =
      cli::testing::runArgs({"produce", "--report", journal.string(), "--csv"});
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(std::count(report.out.begin(), report.out.end(), '\n'), 5) << report.out;
}

}  // namespace
}  // namespace zelta::testing
