#include "codes/capcode.h"

#include <charconv>

#include "codeplug/field_encodings.h"

namespace zelta::codes {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

bool capcodeBlank(std::string_view text) {
  const std::string_view t = trimmed(text);
  return t.empty() || t == "NONE";
}

Capcode normaliseCapcode(std::string_view text) {
  Capcode out;
  if (capcodeBlank(text)) {
    out.text = std::string(kBlankCapcode);
    return out;
  }
  const std::string_view digits = trimmed(text);
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc() && end == digits.data() + digits.size() && value >= kMinCapcode &&
      value <= kMaxCapcode) {
    out.state = Capcode::State::Valid;
    out.address = static_cast<std::uint32_t>(value);
    out.text = codeplug::codeText(out.address);
    return out;
  }
  out.state = Capcode::State::Invalid;
  out.text = std::string(text);
  if (out.text.size() < kCapcodeWidth) out.text.resize(kCapcodeWidth, ' ');
  return out;
}

}  // namespace zelta::codes
