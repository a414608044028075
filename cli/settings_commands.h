// The settings-as-data subcommands: show, diff, export and import. They work
// on settings files (and, for diff, a reader) through the same named settings
// the Device Settings pages show.
#pragma once

#include <optional>
#include <string>

#include "cli/options.h"
#include "core/settings_image.h"

namespace k470::cli {

// A settings file as the desktop program opens it; a file that is not a
// whole image is read all the same, with a word on stderr. With `whole`
// (download, apply, diff, export) such a file is refused: its missing bytes
// would be taken for the factory defaults, or cut ones sent to readers with
// a fresh checksum as if valid. Nullopt after saying why on stderr.
std::optional<SettingsImage> ReadSettingsFile(const std::string& path, bool whole = false);

int CmdShow(const Options& o);
int CmdDiff(const Options& o);
int CmdExport(const Options& o);
int CmdImport(const Options& o);

}  // namespace k470::cli
