// What k470ctl was asked to do: the global options and those of the subcommand.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k470::cli {

struct Options {
  std::string port;
  int retries = 0;
  bool json = false;
  bool trace = false;
  bool verbose = false;
  std::string sysfs_root = "/sys";
  std::string dev_root = "/dev";

  std::string output;
  std::string input;
  std::string settings_type = "current";
  std::string clock = "auto";
  std::optional<std::string> time;  // --time, when given
  std::string pin;
  std::vector<std::string> files;  // diff's A and B
  bool reader = false;             // diff against the reader
};

}  // namespace k470::cli
