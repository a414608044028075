// What k470ctl was asked to do: the global options and those of the subcommand.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k470::cli {

struct Options {
  std::string port;                // the one reader of a run; empty: configured or first found
  std::vector<std::string> ports;  // every --port given
  bool all = false;                // --all: every reader found on USB
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
  std::string output_pattern;      // read/upload with several readers: one file name per reader
  bool check = false;              // apply --check: report only

  // Set for the workers of a run on several readers: no progress bar, no
  // error on stderr (it goes into the reader's line), messages tagged with the port.
  bool fleet_worker = false;
  int index = 0;  // the reader's place among the ports, from 1
};

}  // namespace k470::cli
