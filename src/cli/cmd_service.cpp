#include <CLI/CLI.hpp>
#include <string_view>

#include "cli/cli_app.h"
#include "cli/cli_link.h"
#include "link/operation_scope.h"
#include "link/service_commands.h"

namespace zelta::cli {
namespace {

struct ModeCommand {
  std::string_view name;
  link::PagerMode mode;
};

constexpr ModeCommand kModes[] = {
    {"quick-page", link::PagerMode::QuickPage},
    {"good-messages", link::PagerMode::KeepOnlyGoodMessages},
    {"chirp", link::PagerMode::Chirp},
    {"receiver-on", link::PagerMode::ReceiverAlwaysOn},
};

// The test commands by name; each goes with its reply kind.
struct TestCommand {
  std::string_view name;
  std::uint8_t command;
};

namespace tc = link::test_command;
constexpr TestCommand kTests[] = {
    {"exit", tc::kExit},
    {"ram-pattern", tc::kRamPattern},
    {"key", tc::kKeyTest},
    {"vibrator-off", tc::kVibratorOff},
    {"vibrator-on", tc::kVibratorOn},
    {"alert-off", tc::kAlertOff},
    {"alert-on", tc::kAlertOn},
    {"backlight-off", tc::kBacklightOff},
    {"backlight-on", tc::kBacklightOn},
    {"enable-ram-test", tc::kEnableRamTest},
    {"standby-current", tc::kStandbyCurrent},
    {"annunciators-on", tc::kAnnunciatorAllOn},
    {"annunciators-exit", tc::kAnnunciatorExit},
};

std::string namesOf(auto const& table) {
  std::string names;
  for (const auto& row : table) {
    if (!names.empty()) names += ", ";
    names += row.name;
  }
  return names;
}

}  // namespace

// service --port DEV MODE | test NAME: the pager's service modes and test
// commands. The pager is identified first so that the right command set is
// used.
void addServiceCommand(CLI::App& app, CliRun& run) {
  struct Options {
    LinkOptions link;
    std::string what;
    std::string test;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "service", "Switch the pager into a service mode or send it a test command");
  addLinkOptions(*sub, options->link);
  sub->add_option("what", options->what, "quick-page, good-messages, chirp, receiver-on or test")
      ->required();
  sub->add_option("test", options->test, "With test: " + namesOf(kTests));
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      const ModeCommand* mode = nullptr;
      for (const ModeCommand& m : kModes) {
        if (m.name == options->what) mode = &m;
      }
      const TestCommand* test = nullptr;
      for (const TestCommand& t : kTests) {
        if (t.name == options->test) test = &t;
      }
      if (mode == nullptr && !(options->what == "test" && test != nullptr)) {
        run.io.err << "service: give one of " << namesOf(kModes) << ", or test with one of "
                   << namesOf(kTests) << '\n';
        return kExitUsage;
      }
      LinkSession session(run, options->link);
      if (!session.ready()) return kExitFailed;
      link::PagerLink& pager = session.link();
      errors::ResultCode r = errors::code::Ok;
      link::TestReply reply;
      {
        const link::OperationScope operation(pager);
        r = pager.informationProbe(link::ProbeKind::BeforeRead);
        if (r == errors::code::Ok && mode != nullptr) r = link::SwitchPagerMode(pager, mode->mode);
        if (r == errors::code::Ok && test != nullptr) r = link::EnterTestMode(pager);
        if (r == errors::code::Ok && test != nullptr) {
          reply = link::SendTestCommand(pager, test->command, link::testReplyKind(test->command));
          r = reply.result;
        }
      }
      if (session.stoppedBy() != 0) {
        return session.reportStopped("the service command may not have reached the pager.");
      }
      if (r != errors::code::Ok) return reportLinkFailure(run, r);
      if (mode != nullptr) {
        run.io.out
            << errors::reportMessage(pager.state().serviceResult, run.reporter.context()).text
            << '\n';
      } else if (test->command == tc::kKeyTest) {
        run.io.out << link::keyName(reply.bytes[1]) << '\n';
      } else if (test->command == tc::kRamPattern) {
        run.io.out << static_cast<char>(reply.bytes[1]) << '\n';
      } else {
        run.io.out << "Sent " << test->name << '\n';
      }
      return kExitOk;
    };
  });
}

}  // namespace zelta::cli
