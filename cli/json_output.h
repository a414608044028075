// How k470ctl writes JSON. Texts from the reader or the file system need not
// be UTF-8 and JSON must be, so bytes that are not become U+FFFD instead of
// stopping the program.
#pragma once

#include <atomic>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

namespace k470::cli {

// `value` as JSON text: one line, or indented by `indent` spaces a level.
// Either JSON type, so that the named settings keep their order.
template <typename JsonValue>
std::string JsonText(const JsonValue& value, int indent = -1) {
  return value.dump(indent, ' ', false, JsonValue::error_handler_t::replace);
}

// Whether this run printed JSON on standard output: a run that fails after
// that prints no failure object of its own (one run, one result).
inline std::atomic<bool> json_printed{false};

// `value` on one line of standard output.
template <typename JsonValue>
void PrintJson(const JsonValue& value) {
  json_printed = true;
  std::cout << JsonText(value) << "\n";
}
inline void PrintJson(const nlohmann::json& value) {
  json_printed = true;
  std::cout << JsonText(value) << "\n";
}

}  // namespace k470::cli
