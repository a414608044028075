// Every subcommand of k470ctl, declared once: its name, its help, its
// options and what it runs. main adds them to the command line from here and
// runs the one given.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/options.h"
#include "cli/reader_jobs.h"

namespace k470::cli {

// One option of a subcommand: its names as CLI11 takes them ("-o,--output",
// or a positional argument's name such as "file"), its help, and the member
// of Options it fills (a bool member makes a flag).
struct OptionDecl {
  const char* names;
  const char* help;
  std::variant<std::string Options::*, bool Options::*, std::optional<std::string> Options::*,
               std::vector<std::string> Options::*>
      into;
  std::vector<std::string> choices = {};  // the values it takes; its default is shown
  bool required = false;
  int most = 1;  // how many values a list takes at most
};

struct Subcommand {
  const char* name;
  const char* help;
  std::vector<OptionDecl> options = {};
  const char* footer = "";
  // What it runs: a job on readers, one or several at once; or, for the
  // subcommands that work on files (diff also on one reader), a command.
  JobMaker job = nullptr;
  std::function<int(const Options&)> command = nullptr;
  // apply: a line for each reader and a summary, even for one reader.
  bool reports_each_reader = false;
  // Why a command refuses several readers, when it says more than that.
  const char* one_reader_only = nullptr;

  // Whether an option of this subcommand fills `member`.
  bool Takes(std::string Options::*member) const;
};

// Every subcommand, in the order --help lists them.
const std::vector<Subcommand>& Subcommands();

// Adds every subcommand to `app`, its options filling `o`.
void AddSubcommands(CLI::App& app, Options& o);

// The subcommand called `name`.
const Subcommand& FindSubcommand(const std::string& name);

}  // namespace k470::cli
