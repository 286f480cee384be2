#pragma once

#include <QString>
#include <string_view>

namespace zelta::ui {

// The core's texts are UTF-8.
inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zelta::ui
