// How fast the main window answers, in milliseconds: from the start of the
// program to the window's first paint (and to its editing pages, built
// behind it), F8 of a 2 KB codeplug until every page is filled and painted,
// and one page switch (F12, then F11 back) until the new page is painted. Run it on the offscreen
// platform:
//   QT_QPA_PLATFORM=offscreen ./build/bench/window_bench [ROUNDS]
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTabWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/new_codeplug.h"
#include "errors/reporter.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "storage/codeplug_files.h"
#include "ui/main_window.h"
#pragma pop_macro("slots")

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class SilentReporter : public zelta::errors::Reporter {
 protected:
  void showMessage(const zelta::errors::Message&) override {}
  bool askQuestion(std::optional<zelta::errors::ResultCode>,
                   const zelta::errors::Question&) override {
    return true;
  }
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

// Events are handled until the widget has been painted once more.
void untilPainted(PaintCounter& counter, int before) {
  while (counter.paints == before) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A 2 KB codeplug (model 0x91) as `zelta-pps-cli new` writes it.
bool writeCodeplug(const std::filesystem::path& file) {
  auto image = std::make_unique<zelta::codeplug::CodeplugImage>();
  zelta::codeplug::SettingsRecord settings;
  SilentReporter quiet;
  zelta::codeplug::setUpNewCodeplug(0x91, *image, settings);
  zelta::pages::PageContext context = zelta::pages::pageContextOf(*image, settings, quiet);
  zelta::pages::applyPageRules(context);
  zelta::storage::WorkFiles work;
  zelta::storage::CodeplugFiles files(*image, settings, work, quiet,
                                      zelta::codeplug::standardCodec());
  zelta::storage::SaveContext save;
  save.build.pagerUnprogrammed = true;
  return files.writeCodeplugFile(file, save) == zelta::errors::code::Ok;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point programStart = Clock::now();
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  QApplication app(argc, argv);

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "zelta-window-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "bench.cp";
  if (!writeCodeplug(file)) {
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return 1;
  }

  std::vector<double> starts;
  std::vector<double> ready;
  std::vector<double> opens;
  std::vector<double> switches;
  std::vector<double> returns;
  for (int round = 0; round < rounds; ++round) {
    // The first round counts from the start of the program (the application
    // object and the fonts included); the others from the window's creation.
    const Clock::time_point start = round == 0 ? programStart : Clock::now();
    zelta::ui::MainWindow window(zelta::storage::WorkFiles{folder, {}});
    window.setFileChoosers([&](const auto&) { return std::optional(file); },
                           [](const auto&) { return std::optional<std::filesystem::path>(); });
    PaintCounter painted;
    window.pages()->installEventFilter(&painted);
    window.resize(1100, 800);
    window.show();
    untilPainted(painted, 0);
    starts.push_back(msSince(start));
    // The editing pages are built behind the painted window.
    while (!window.editingPagesBuilt()) QApplication::processEvents(QEventLoop::AllEvents, 5);
    ready.push_back(msSince(start));

    Clock::time_point at = Clock::now();
    int before = painted.paints;
    window.runKey(zelta::window::WindowKey::F8);
    untilPainted(painted, before);
    opens.push_back(msSince(at));
    if (!window.controller().codeplugLoaded()) {
      std::fprintf(stderr, "the codeplug did not load\n");
      return 1;
    }

    at = Clock::now();
    before = painted.paints;
    window.runKey(zelta::window::WindowKey::F12);
    untilPainted(painted, before);
    switches.push_back(msSince(at));

    // Back to a page shown before: its widgets are laid out already.
    at = Clock::now();
    before = painted.paints;
    window.runKey(zelta::window::WindowKey::F11);
    untilPainted(painted, before);
    returns.push_back(msSince(at));
  }
  std::filesystem::remove_all(folder);

  std::printf("start to first paint (first round, from program start): %8.1f ms\n", starts[0]);
  if (rounds > 1) {
    std::printf("start to first paint (median of later rounds):         %8.1f ms\n",
                median(std::vector<double>(starts.begin() + 1, starts.end())));
  }
  std::printf("start to the editing pages built (first round):         %8.1f ms\n", ready[0]);
  std::printf("F8 of a 2 KB codeplug to all pages filled (median):    %8.1f ms\n", median(opens));
  std::printf("one page switch to a page not shown before, F12 (median): %6.1f ms\n",
              median(switches));
  std::printf("one page switch back to a page shown before, F11 (median): %6.1f ms\n",
              median(returns));
  return 0;
}
