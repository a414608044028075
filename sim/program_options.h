// The command line of k470sim: which reader to play, where to keep its
// images, and which faults to show. The help text documents every reply.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "sim/reader_config.h"

namespace k470::sim {

struct ProgramOptions {
  ReaderConfig reader;
  std::string link_path;        // symbolic link to the device, removed at exit
  std::string image_file;       // the current image, kept between runs
  std::string user_image_file;  // the user-defined image, kept between runs
  bool verbose = false;         // every received line to stderr
  int count = 1;                // readers served, each on a pty of its own
  int faulty = 0;               // > 0: only this reader (from 1) shows the faults
};

// Fills `options` from the command line. Returns the exit status when the
// program should end at once — 0 after --help or --version, 2 after a bad
// command line, with the text written to `out` or `err` — and nullopt to go on.
std::optional<int> ParseProgramOptions(int argc, const char* const* argv, ProgramOptions& options,
                                       std::ostream& out, std::ostream& err);

}  // namespace k470::sim
