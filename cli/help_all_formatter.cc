#include "cli/help_all_formatter.h"

#include <vector>

namespace k470::cli {

std::string HelpAllFormatter::make_expanded(const CLI::App* sub) const {
  // Blank lines keep help2man from running heading, description and options
  // into one paragraph.
  std::string text = "\n" + sub->get_display_name() + ":\n  " + sub->get_description() + "\n";
  const auto listed = [sub](const CLI::Option* option) {
    return !option->get_group().empty() && option != sub->get_help_ptr() &&
           option != sub->get_help_all_ptr();
  };
  const std::vector<const CLI::Option*> options = sub->get_options(listed);
  if (!options.empty()) text += "\n";
  for (const CLI::Option* option : options) {
    text += make_option(option, option->get_positional());
  }
  return text;
}

}  // namespace k470::cli
