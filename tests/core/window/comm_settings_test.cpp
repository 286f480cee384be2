#include "window/comm_settings.h"

#include <gtest/gtest.h>

#include "codeplug/password_substitution.h"
#include "link/clock.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "window/password_entry.h"
#include "window/setup_form.h"
#include "window/window_texts.h"

namespace zelta::window {
namespace {

using Value = MemorySettingsStore::Value;

constexpr std::string_view kWorkFolder = "/opt/zelta-pps";

// A first run stores no port: a made-up name would look configured.
TEST(CommSettings, FirstRunWritesEveryDefault) {
  MemorySettingsStore store;
  const CommSettings s = loadCommSettings(store);
  const std::map<std::string, Value, std::less<>> expected{
      {"Port", Value(std::string())},
      {"BaudRate", Value(4800)},
      {"Parity", Value(0)},
      {"DataSize", Value(3)},
      {"StopBits", Value(0)},
      {"Software Password", Value(std::string())},
      {"WorkFiles Path", Value(std::string())},
  };
  EXPECT_EQ(store.values(), expected);
  EXPECT_EQ(s.port, "");
  EXPECT_EQ(s.baudRate, 4800);
  EXPECT_EQ(s.dataSize, 3);
  EXPECT_FALSE(startupPasswordRequired(s));
  EXPECT_EQ(workFolderOf(s, kWorkFolder), kWorkFolder);
}

// A damaged settings file is told once: which values were reset, and to
// what. A first run, with nothing stored, is no damage.
TEST(CommSettings, DamagedValuesAreNamedOnceWithTheirDefaults) {
  MemorySettingsStore store;
  EXPECT_TRUE(damagedCommSettings(store).empty());
  store.writeString("Port", "/dev/ttyUSB0");
  store.writeString("BaudRate", "fast");
  store.writeInteger("Parity", 7);
  store.writeInteger("StopBits", 1);
  store.writeInteger("Software Password", 3);
  const std::vector<std::string_view> damaged = damagedCommSettings(store);
  EXPECT_EQ(damaged, (std::vector<std::string_view>{"BaudRate", "Parity", "Software Password"}));

  const errors::Message box = settingsResetMessage(damaged);
  EXPECT_EQ(box.boxClass, errors::BoxClass::Warning);
  EXPECT_EQ(box.caption, "Settings reset");
  EXPECT_EQ(box.text,
            "The saved settings held values this program cannot use.\nThese were reset to their "
            "defaults: BaudRate (4800), Parity (0), Software Password (\"\").\nCheck them in the "
            "communication setup.");

  const CommSettings loaded = loadCommSettings(store);
  EXPECT_EQ(loaded.port, "/dev/ttyUSB0");
  EXPECT_EQ(loaded.stopBits, 1);
  EXPECT_TRUE(damagedCommSettings(store).empty());
}

// Values that are there stay; missing, mistyped and out-of-range ones are
// rewritten with their defaults before they are read.
TEST(CommSettings, LoadRepairsOnlyWhatIsMissingOrDamaged) {
  struct Case {
    std::string_view name;
    std::optional<Value> stored;  // nothing: missing
    Value loaded;
  };
  const Case cases[] = {
      {"Port", Value(std::string("/dev/ttyUSB0")), Value(std::string("/dev/ttyUSB0"))},
      {"Port", std::nullopt, Value(std::string())},
      {"Port", Value(7), Value(std::string())},
      // What earlier first runs stored is a stored port like any other.
      {"Port", Value(std::string("COM1")), Value(std::string("COM1"))},
      {"BaudRate", Value(19200), Value(19200)},
      {"BaudRate", Value(12345), Value(12345)},  // shown as 4800, kept until Apply
      {"BaudRate", Value(std::string("fast")), Value(4800)},
      {"BaudRate", Value(0), Value(4800)},
      {"Parity", Value(2), Value(2)},
      {"Parity", Value(3), Value(0)},
      {"DataSize", Value(-1), Value(3)},
      {"StopBits", Value(1), Value(1)},
      {"StopBits", Value(2), Value(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    MemorySettingsStore store;
    loadCommSettings(store);
    if (c.stored) {
      std::visit(
          [&](const auto& v) {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, int>) {
              store.writeInteger(c.name, v);
            } else {
              store.writeString(c.name, v);
            }
          },
          *c.stored);
    } else {
      store.erase(c.name);
    }
    loadCommSettings(store);
    EXPECT_EQ(store.values().find(c.name)->second, c.loaded);
    EXPECT_EQ(store.values().size(), kCommSettingsValues.size());
  }
}

TEST(CommSettings, SoftwarePasswordIsStoredScrambledAndLoadedPlain) {
  MemorySettingsStore store;
  CommSettings s = loadCommSettings(store);
  s.softwarePassword = "OPEN 42";
  storeCommSettings(s, store, kWorkFolder);
  const std::string stored = *store.readString("Software Password");
  EXPECT_NE(stored, "OPEN 42");
  EXPECT_EQ(stored, codeplug::scramble("OPEN 42"));
  const CommSettings loaded = loadCommSettings(store);
  EXPECT_EQ(loaded.softwarePassword, "OPEN 42");
  EXPECT_TRUE(startupPasswordRequired(loaded));
  EXPECT_EQ(checkSoftwarePassword("OPEN 42", loaded), errors::code::Ok);
  EXPECT_EQ(checkSoftwarePassword("OPEN 4", loaded), errors::code::WrongEntryPassword);
  EXPECT_EQ(checkSoftwarePassword("", loaded), errors::code::WrongEntryPassword);
}

// Every password character, at every position, comes back; the stored form
// stays printable so that the settings file keeps it as text.
TEST(CommSettings, ScramblingRoundTripsEveryPasswordCharacter) {
  const std::string all = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (std::size_t start = 0; start < all.size(); ++start) {
    const std::string plain = (all + all).substr(start, kPasswordLength);
    const std::string stored = codeplug::scramble(plain);
    for (const char c : stored) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << stored;
    EXPECT_EQ(codeplug::unscramble(stored), plain);
  }
}

TEST(SetupForm, DefaultThenApplyStoresTheFastLine) {
  struct Case {
    bool pressDefault;
    int baud, parity, dataSize, stopBits;
  };
  const Case cases[] = {
      {false, 4800, 0, 3, 0},  // Apply after a first run keeps its values
      {true, 57600, 0, 3, 0},
  };
  for (const Case& c : cases) {
    MemorySettingsStore store;
    CommSettings loaded = loadCommSettings(store);
    loaded.parity = 2;  // shown, then replaced by Default
    loaded.stopBits = 1;
    if (!c.pressDefault) loaded = loadCommSettings(store);
    SetupForm form = setupFormOf(loaded, kWorkFolder);
    if (c.pressDefault) setDefaults(form);
    const CommSettings applied = applySetupForm(form, store, kWorkFolder);
    EXPECT_EQ(*store.readInteger("BaudRate"), c.baud);
    EXPECT_EQ(*store.readInteger("Parity"), c.parity);
    EXPECT_EQ(*store.readInteger("DataSize"), c.dataSize);
    EXPECT_EQ(*store.readInteger("StopBits"), c.stopBits);
    EXPECT_EQ(applied.baudRate, c.baud);
    // An empty folder is stored as the folder it stands for.
    EXPECT_EQ(*store.readString("WorkFiles Path"), kWorkFolder);
  }
}

TEST(SetupForm, BitRateRowsAndBaudRates) {
  const std::pair<int, int> rows[] = {{57600, 0}, {38400, 1}, {19200, 2},  {9600, 3},
                                      {4800, 4},  {12345, 4}, {115200, 4}, {0, 4}};
  for (const auto& [baud, row] : rows) EXPECT_EQ(bitRateIndexOf(baud), row) << baud;
  const std::pair<int, int> bauds[] = {{0, 57600}, {3, 9600}, {4, 4800}, {5, 4800}, {-1, 4800}};
  for (const auto& [row, baud] : bauds) EXPECT_EQ(baudOfBitRateIndex(row), baud) << row;
}

// The device prefix belongs to COM names of five characters or more; device
// paths are stored as they are, and the dialog shows names without it.
TEST(SetupForm, DeviceNameRules) {
  struct Case {
    std::string_view chosen;
    std::string_view stored;
  };
  const Case cases[] = {
      {"COM12", "\\\\.\\COM12"},
      {"COM1", "COM1"},
      {"/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"/dev/pts/3", "/dev/pts/3"},
      {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0",
       "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0"},
  };
  for (const Case& c : cases) {
    MemorySettingsStore store;
    SetupForm form = setupFormOf(loadCommSettings(store), kWorkFolder);
    form.portName = std::string(c.chosen);
    const CommSettings applied = applySetupForm(form, store, kWorkFolder);
    EXPECT_EQ(*store.readString("Port"), c.stored);
    EXPECT_EQ(applied.port, c.stored);
    EXPECT_EQ(setupFormOf(applied, kWorkFolder).portName, c.chosen);
  }
}

TEST(SetupForm, CurrentPortIsFoundInTheListByPath) {
  const std::vector<link::PortEntry> ports{
      {"/dev/ttyS0", "ttyS0", {}},
      {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", "0403:6001 A50285BI"},
      {"/dev/pts/4", "Pager simulator (0x98)", {}},
  };
  EXPECT_EQ(portItemText(ports[0]), "ttyS0 (/dev/ttyS0)");
  EXPECT_EQ(portItemText(ports[1]),
            "FT232R USB UART (FTDI) [USB 0403:6001 A50285BI] (/dev/ttyUSB0)");
  EXPECT_EQ(portItemText({"/dev/ttyACM0", "/dev/ttyACM0", {}}), "/dev/ttyACM0");

  SetupForm form;
  form.portName = "/dev/pts/4";
  EXPECT_EQ(showCurrentPort(form, ports), 2);
  EXPECT_EQ(form.portDevice, "Pager simulator (0x98) (/dev/pts/4)");
  // Unplugged, or a simulator that has ended: never shown as if usable.
  form.portName = "/dev/ttyUSB9";
  EXPECT_EQ(showCurrentPort(form, ports), -1);
  EXPECT_EQ(form.portDevice, "/dev/ttyUSB9 (not present)");
  form.portName = "\\\\.\\COM12";
  EXPECT_EQ(showCurrentPort(form, ports), -1);
  EXPECT_EQ(form.portDevice, "\\\\.\\COM12 (not present)");
  form.portName.clear();
  EXPECT_EQ(showCurrentPort(form, ports), -1);
  EXPECT_EQ(form.portDevice, "(none chosen)");
  choosePort(form, ports[1]);
  EXPECT_EQ(form.portName, "/dev/ttyUSB0");
  EXPECT_EQ(form.portDevice, portItemText(ports[1]));
}

// "Find pager": the port a pager answered on is chosen and named with the
// model; the line under the list says how the search ended.
TEST(SetupForm, FindPagerChoosesThePortAndSaysHowTheSearchEnded) {
  const std::vector<link::PortEntry> ports{
      {"/dev/ttyUSB0", "FT232R USB UART (FTDI)", {}},
      {"/dev/pts/4", "Pager simulator (0x98)", {}},
  };
  SetupForm form;
  form.portName = "/dev/ttyUSB0";
  choosePagerPort(form, ports[1], 0x98);
  EXPECT_EQ(form.portName, "/dev/pts/4");
  EXPECT_EQ(form.portDevice, "Pager 0x98 on Pager simulator (0x98) (/dev/pts/4)");

  struct Case {
    production::PagerSearchResult result;
    std::size_t listed;
    std::string_view text;
  };
  const Case cases[] = {
      {{1, 'q', false}, 2, "A pager 0x71 'q' answers on /dev/pts/4."},
      {{std::nullopt, models::kNoModel, false},
       2,
       "No pager answered on the 2 ports listed.\nCheck that the pager sits in the fixture and "
       "the fixture is connected."},
      {{std::nullopt, models::kNoModel, false},
       1,
       "No pager answered on the 1 port listed.\nCheck that the pager sits in the fixture and "
       "the fixture is connected."},
      {{std::nullopt, models::kNoModel, true}, 2, "Search stopped; the port is unchanged."},
      {{std::nullopt, models::kNoModel, false},
       0,
       "No ports to search: connect the programming fixture, then Refresh."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(searchResultText(c.result, std::span(ports).first(c.listed)), c.text);
  }
}

TEST(CommSettings, ConfigureLinkClosesTheOpenPortAndSetsItsLine) {
  struct NullDevice : link::SerialDevice {
    bool open(const std::string&, const link::LineSettings&, link::OpenFailure&) override {
      return opened = true;
    }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    bool readByte(std::uint8_t&) override { return false; }
    bool writeByte(std::uint8_t) override { return true; }
    bool purge() override { return true; }
    bool opened = false;
  };
  struct SilentReporter : errors::Reporter {
    void showMessage(const errors::Message&) override {}
    bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
      return false;
    }
  };
  NullDevice device;
  SilentReporter reporter;
  link::SteadyClock clock;
  link::TDComm comm(device, reporter, clock);
  link::PagerLink pagerLink(comm, reporter);
  ASSERT_TRUE(comm.Open());
  CommSettings s;
  s.port = "/dev/ttyUSB1";
  s.baudRate = 19200;
  s.parity = 1;
  s.dataSize = 2;
  s.stopBits = 1;
  configureLink(s, comm, pagerLink);
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_EQ(comm.PortName(), "/dev/ttyUSB1");
  EXPECT_EQ(comm.Settings().baud, 19200u);
  EXPECT_EQ(comm.Settings().parity, link::Parity::Odd);
  EXPECT_EQ(comm.Settings().dataBits, 7);
  // "2" in the stop-bit list is two stop bits, not the port's code 1 (one and a half).
  EXPECT_EQ(comm.Settings().stopBits, link::StopBits::Two);
  EXPECT_EQ(pagerLink.state().requestedSpeedCode, preferredRateCode(19200));
}

TEST(OperationTexts, RateCodesAndTexts) {
  struct Case {
    int baud;
    std::uint8_t code;
    std::string_view text;
  };
  const Case cases[] = {
      {4800, 170, "(Rate: 4800bps)"},   {9600, 162, "(Rate: 9600bps)"},
      {19200, 164, "(Rate: 19200bps)"}, {38400, 166, "(Rate: 38400bps)"},
      {57600, 168, "(Rate: 57600bps)"}, {1200, 168, "(Rate: 57600bps)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(preferredRateCode(c.baud), c.code) << c.baud;
    EXPECT_EQ(rateText(c.code), c.text);
    EXPECT_EQ(link::requestedSpeedCodeForBaud(static_cast<std::uint32_t>(c.baud)), c.code);
  }
  EXPECT_EQ(rateText(0), "");
  EXPECT_EQ(operationText(Operation::Read, 170), "Reading - Please wait.");
  EXPECT_EQ(operationText(Operation::Program, 162), "Programming - Please wait. (Rate: 9600bps)");
  EXPECT_EQ(operationText(Operation::Program, 0), "Programming - Please wait. ");
  EXPECT_EQ(operationText(Operation::Done, 170), "");
}

TEST(PasswordEntry, FieldKeepsTenPasswordCharacters) {
  EXPECT_EQ(passwordText("open sesame!"), "OPEN SESAM");
  EXPECT_EQ(passwordText("a-b_c.1"), "ABC1");
  EXPECT_EQ(passwordText("\xC3\xA9t\xC3\xA9"), "T");
  const auto software = passwordCaptions(PasswordUse::Software, true);
  EXPECT_EQ(software.window, "SOFTWARE PASSWORD");
  EXPECT_EQ(software.label, "Enter Software Password");
  EXPECT_EQ(passwordCaptions(PasswordUse::Pager, true).label, "Enter New Password");
  EXPECT_EQ(passwordCaptions(PasswordUse::Pager, false).label, "Enter Current Password");
  EXPECT_EQ(passwordCaptions(PasswordUse::Pager, false).window, "PASSWORD");
}

}  // namespace
}  // namespace zelta::window
