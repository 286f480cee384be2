#pragma once

#include <ostream>

#include "text/prompt_catalogue.h"

namespace zelta::text {

// Readable failure messages for prompt values.
inline void PrintTo(const PromptText& text, std::ostream* os) {
  *os << '"' << text.view() << '"';
}
inline void PrintTo(const Prompt& prompt, std::ostream* os) {
  PrintTo(prompt.text, os);
  *os << (prompt.builtIn ? " (built-in)" : "");
}

}  // namespace zelta::text
