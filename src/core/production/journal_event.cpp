#include "production/journal_event.h"

#include <array>
#include <nlohmann/json.hpp>
#include <utility>

namespace zelta::production {
namespace {

using nlohmann::json;

constexpr std::array<std::pair<JournalEventKind, std::string_view>, 5> kEventNames{{
    {JournalEventKind::Run, "run"},
    {JournalEventKind::Reserved, "reserved"},
    {JournalEventKind::Written, "written"},
    {JournalEventKind::Released, "released"},
    {JournalEventKind::Refused, "refused"},
}};

std::string_view nameOf(JournalEventKind kind) {
  for (const auto& [k, name] : kEventNames) {
    if (k == kind) return name;
  }
  return "unknown";
}

std::optional<JournalEventKind> kindNamed(std::string_view name) {
  for (const auto& [k, n] : kEventNames) {
    if (n == name) return k;
  }
  return std::nullopt;
}

json codesJson(const CodeSet& set) {
  json codes = json::array();
  for (const SlotCode& c : set.codes) codes.push_back({{"code", c.slot}, {"capcode", c.capcode}});
  return codes;
}

void putSet(json& j, const CodeSet& set) {
  j["set"] = set.index;
  j["codes"] = codesJson(set);
  j["icn"] = set.icn;
}

CodeSet setFrom(const json& j) {
  CodeSet set;
  set.index = j.at("set").get<int>();
  for (const json& c : j.at("codes")) {
    set.codes.push_back({c.at("code").get<int>(), c.at("capcode").get<std::string>()});
  }
  set.icn = j.at("icn").get<std::string>();
  return set;
}

void putRecord(json& j, const PagerRecord& r) {
  j["fixture"] = r.fixture;
  j["serialNumber"] = r.serialNumber;
  j["model"] = r.model;
  j["firmware"] = r.firmware;
  if (r.codes) putSet(j, *r.codes);
  j["started"] = r.time;
  j["result"] = r.code;
  j["resultText"] = r.text;
  j["durationMs"] = r.durationMs;
  if (!r.imageFile.empty()) j["imageFile"] = r.imageFile;
}

PagerRecord recordFrom(const json& j, JournalEventKind kind) {
  PagerRecord r;
  r.fixture = j.at("fixture").get<std::string>();
  r.serialNumber = j.at("serialNumber").get<std::string>();
  r.model = j.at("model").get<int>();
  r.firmware = j.at("firmware").get<std::string>();
  if (j.contains("set")) r.codes = setFrom(j);
  r.time = j.at("started").get<std::string>();
  r.code = j.at("result").get<errors::ResultCode>();
  r.text = j.at("resultText").get<std::string>();
  r.durationMs = j.at("durationMs").get<std::int64_t>();
  r.imageFile = j.value("imageFile", std::string());
  r.written = kind == JournalEventKind::Written;
  return r;
}

void putHeader(json& j, const RunHeader& h) {
  j["template"] = h.templateFile;
  j["model"] = h.model;
  j["increment"] = h.increment;
  j["firstCodes"] = codesJson(h.first);
  j["firstIcn"] = h.first.icn;
  if (h.count) j["count"] = *h.count;
  if (h.untilCode) j["untilCode"] = *h.untilCode;
}

RunHeader headerFrom(const json& j) {
  RunHeader h;
  h.templateFile = j.at("template").get<std::string>();
  h.model = j.at("model").get<int>();
  h.increment = j.at("increment").get<int>();
  for (const json& c : j.at("firstCodes")) {
    h.first.codes.push_back({c.at("code").get<int>(), c.at("capcode").get<std::string>()});
  }
  h.first.icn = j.at("firstIcn").get<std::string>();
  if (j.contains("count")) h.count = j.at("count").get<int>();
  if (j.contains("untilCode")) h.untilCode = j.at("untilCode").get<std::uint32_t>();
  return h;
}

}  // namespace

std::string journalLine(const JournalEvent& event) {
  json j;
  j["event"] = nameOf(event.kind);
  j["time"] = event.time;
  j["pid"] = event.pid;
  switch (event.kind) {
    case JournalEventKind::Run:
      if (event.header) putHeader(j, *event.header);
      break;
    case JournalEventKind::Reserved:
      if (event.set) putSet(j, *event.set);
      j["fixture"] = event.fixture;
      j["serialNumber"] = event.serialNumber;
      break;
    case JournalEventKind::Written:
    case JournalEventKind::Released:
    case JournalEventKind::Refused:
      if (event.record) putRecord(j, *event.record);
      break;
  }
  // Texts from a pager may hold any byte: replaced, never a reason to fail.
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::optional<JournalEvent> parseJournalLine(std::string_view line) {
  const json j = json::parse(line, nullptr, false);
  if (j.is_discarded() || !j.is_object()) return std::nullopt;
  // A line that parses but lacks a field of its event is damaged all the
  // same; the library tells it by throwing, which ends here.
  try {
    const auto kind = kindNamed(j.at("event").get<std::string>());
    if (!kind) return std::nullopt;
    JournalEvent e;
    e.kind = *kind;
    e.time = j.at("time").get<std::string>();
    e.pid = j.at("pid").get<long>();
    switch (e.kind) {
      case JournalEventKind::Run: e.header = headerFrom(j); break;
      case JournalEventKind::Reserved:
        e.set = setFrom(j);
        e.fixture = j.at("fixture").get<std::string>();
        e.serialNumber = j.at("serialNumber").get<std::string>();
        break;
      case JournalEventKind::Written:
      case JournalEventKind::Released:
        e.record = recordFrom(j, e.kind);
        if (!e.record->codes) return std::nullopt;
        e.set = e.record->codes;
        break;
      case JournalEventKind::Refused: e.record = recordFrom(j, e.kind); break;
    }
    return e;
  } catch (const json::exception&) {
    return std::nullopt;
  }
}

}  // namespace zelta::production
