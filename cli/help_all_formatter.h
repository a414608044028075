// The layout of "k470ctl --help-all": every subcommand as a heading of its own
// ("read:"), with its description and options under it. The man page is made
// from this text by help2man, which turns each heading into a subsection.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace k470::cli {

class HelpAllFormatter : public CLI::Formatter {
 public:
  std::string make_expanded(const CLI::App* sub) const override;
};

}  // namespace k470::cli
