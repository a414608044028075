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
  // `partial_files`: each reader's file comes with FILE.partial (upload
  // keeps there what arrived when it fails), which no other reader's file
  // may be either.
  explicit OutputPattern(std::string pattern, bool partial_files = false)
      : pattern_(std::move(pattern)), partial_files_(partial_files) {}

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
  bool partial_files_;
};

// The files a run has handed out, so that two readers whose serial numbers
// give one name never write the same file. Safe to use from every worker.
class FileClaims {
 public:
  // `partial_files`: a name comes with NAME.partial, where a failed upload
  // keeps its bytes; so a reader whose file is "A.partial" never takes the
  // place where a failed upload into "A" keeps its data, nor the other way
  // round.
  explicit FileClaims(bool partial_files = false) : partial_files_(partial_files) {}

  // True when `name` (and with partial files NAME.partial) was still free,
  // neither handed out nor another name's .partial; it is now taken. Else
  // `clash`, when given, gets the file two readers would share: `name` or
  // NAME.partial.
  bool Claim(const std::string& name, std::string* clash = nullptr);

 private:
  const bool partial_files_;
  std::mutex mutex_;
  std::set<std::string> taken_;
};

}  // namespace k470::cli
