// The file names of `read` and `upload` on several readers: one pattern with
// {port}, {serial} and {index}, filled in per reader. Two readers must never
// write one file, so a pattern is checked before any reader is touched, and
// names that depend on the serial number are claimed as the readers answer.
#pragma once

#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace k470::cli {

class OutputPattern {
 public:
  explicit OutputPattern(std::string pattern) : pattern_(std::move(pattern)) {}

  // Why the pattern cannot give every one of `ports` a file of its own, or
  // nullopt when it can (as far as is known before the readers answer).
  std::optional<std::string> Problem(const std::vector<std::string>& ports) const;

  // Whether the names wait for the readers' serial numbers.
  bool NeedsSerial() const { return pattern_.find("{serial}") != std::string::npos; }

  // The file name for the reader on `port`, the `index`th of the run (from 1).
  // The port stands for its last path component, the serial number with
  // every character that is not a letter, digit, '.', '-' or '_' as '_'.
  std::string NameFor(const std::string& port, const std::string& serial, int index) const;

 private:
  std::string pattern_;
};

// The files a run has handed out, so that two readers whose serial numbers
// give one name never write the same file. Safe to use from every worker.
class FileClaims {
 public:
  // True when `name` was still free; it is now taken.
  bool Claim(const std::string& name);

 private:
  std::mutex mutex_;
  std::set<std::string> taken_;
};

}  // namespace k470::cli
