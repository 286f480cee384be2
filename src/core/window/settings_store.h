#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zelta::window {

// The per-user place where the program keeps its configuration: named
// values, each a string or an integer. The desktop keeps them through
// QSettings; tests use the in-memory store below.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  virtual bool exists(std::string_view name) const = 0;
  // Nothing when the value is missing or is not of the type asked for (a
  // string that is not a whole number, for an integer).
  virtual std::optional<std::string> readString(std::string_view name) const = 0;
  virtual std::optional<int> readInteger(std::string_view name) const = 0;
  virtual void writeString(std::string_view name, std::string_view value) = 0;
  virtual void writeInteger(std::string_view name, int value) = 0;
};

// Values held in memory, typed as written.
class MemorySettingsStore : public SettingsStore {
 public:
  using Value = std::variant<std::string, int>;

  bool exists(std::string_view name) const override { return values_.find(name) != values_.end(); }
  std::optional<std::string> readString(std::string_view name) const override {
    const auto it = values_.find(name);
    if (it == values_.end() || !std::holds_alternative<std::string>(it->second)) return {};
    return std::get<std::string>(it->second);
  }
  std::optional<int> readInteger(std::string_view name) const override {
    const auto it = values_.find(name);
    if (it == values_.end() || !std::holds_alternative<int>(it->second)) return {};
    return std::get<int>(it->second);
  }
  void writeString(std::string_view name, std::string_view value) override {
    values_.insert_or_assign(std::string(name), Value(std::string(value)));
  }
  void writeInteger(std::string_view name, int value) override {
    values_.insert_or_assign(std::string(name), Value(value));
  }

  const std::map<std::string, Value, std::less<>>& values() const { return values_; }
  void erase(std::string_view name) {
    if (const auto it = values_.find(name); it != values_.end()) values_.erase(it);
  }

 private:
  std::map<std::string, Value, std::less<>> values_;
};

}  // namespace zelta::window
