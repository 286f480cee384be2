#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/cli_app.h"
#include "errors/messages.h"

namespace zelta::cli {
namespace {

std::string withoutOneTrailingNewline(const std::string& caption) {
  if (!caption.empty() && caption.back() == '\n') return caption.substr(0, caption.size() - 1);
  return caption;
}

}  // namespace

// explain CODE: what a result code means, as the message box would show it.
void addExplainCommand(CLI::App& app, CliRun& run) {
  struct Options {
    std::string code;
    bool question = false;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "explain", "Show the caption and exact text of a result code's message box");
  sub->add_option("code", options->code, "Result code, e.g. -30")->required();
  sub->add_flag("--question", options->question, "Show the code's Yes/No question instead");
  sub->add_flag("--json", options->json, "Print {code, caption, text} as JSON");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      errors::ResultCode code = 0;
      if (!parseResultCode(options->code, code)) {
        run.io.err << "explain: \"" << options->code
                   << "\" is not a result code (a number such as -30)\n";
        return kExitUsage;
      }
      std::string caption;
      std::string body;
      if (options->question) {
        const errors::Question q = errors::confirmQuestion(code);
        caption = q.caption;
        body = q.text;
      } else {
        const errors::Message m = errors::reportMessage(code, run.reporter.context());
        caption = m.caption;
        body = m.text;
      }
      if (options->json) {
        nlohmann::json j{{"code", code}, {"caption", caption}, {"text", body}};
        run.io.out << j.dump(2) << '\n';
      } else {
        run.io.out << withoutOneTrailingNewline(caption) << '\n' << body;
        if (body.empty() || body.back() != '\n') run.io.out << '\n';
      }
      return kExitOk;
    };
  });
}

}  // namespace zelta::cli
