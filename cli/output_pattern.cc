#include "cli/output_pattern.h"

#include <cctype>
#include <filesystem>

namespace k470::cli {
namespace {

constexpr const char* kPlaceholders[] = {"{port}", "{serial}", "{index}"};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A serial number is the reader's text: it must not lead into another folder.
std::string SafeFileText(const std::string& text) {
  std::string safe = text;
  for (char& c : safe) {
    const auto u = static_cast<unsigned char>(c);
    if (!std::isalnum(u) && c != '.' && c != '-' && c != '_') c = '_';
  }
  if (safe.empty() || safe == "." || safe == "..") safe = "_" + safe;
  return safe;
}

}  // namespace

std::optional<std::string> OutputPattern::Problem(const std::vector<std::string>& ports) const {
  // Anything in braces that is no placeholder is most likely a slip.
  std::string rest = pattern_;
  for (const char* placeholder : kPlaceholders) rest = Replace(rest, placeholder, "");
  if (rest.find_first_of("{}") != std::string::npos) {
    return "--output-pattern knows only {port}, {serial} and {index}";
  }
  if (rest.size() == pattern_.size()) {
    return "--output-pattern needs {port}, {serial} or {index}: without one every reader "
           "would write the same file";
  }
  if (NeedsSerial()) return std::nullopt;  // known once the readers answer
  FileClaims names(partial_files_);
  for (std::size_t i = 0; i < ports.size(); ++i) {
    const std::string name = NameFor(ports[i], "", static_cast<int>(i) + 1);
    std::string clash;
    if (!names.Claim(name, &clash)) {
      return "--output-pattern gives two readers the file " + clash + "; add {index} or {serial}";
    }
  }
  return std::nullopt;
}

std::string OutputPattern::NameFor(const std::string& port, const std::string& serial,
                                   int index) const {
  std::string name = Replace(pattern_, "{index}", std::to_string(index));
  name = Replace(name, "{port}", SafeFileText(std::filesystem::path(port).filename().string()));
  return Replace(name, "{serial}", SafeFileText(serial));
}

bool FileClaims::Claim(const std::string& name, std::string* clash) {
  // Two spellings of one file are one file.
  const std::string key = std::filesystem::absolute(name).lexically_normal().string();
  std::lock_guard lock(mutex_);
  if (taken_.contains(key)) {
    if (clash != nullptr) *clash = name;
    return false;
  }
  if (partial_files_) {
    if (taken_.contains(key + ".partial")) {
      if (clash != nullptr) *clash = name + ".partial";
      return false;
    }
    taken_.insert(key + ".partial");
  }
  taken_.insert(key);
  return true;
}

}  // namespace k470::cli
