// What k470ctl was asked to do: the global options and those of the subcommand.
#pragma once

#include <optional>
#include <string>

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
};

}  // namespace k470::cli
