// The subcommands of k470ctl. Each runs one job and returns the exit code;
// results go to stdout, messages to stderr.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/options.h"
#include "cli/session.h"
#include "link/device_ui.h"
#include "link/memory_upload.h"

namespace k470::cli {

int CmdPorts(const Options& o);
int CmdInfo(const Options& o);
int CmdRead(const Options& o);
int CmdDownload(const Options& o);
int CmdClock(const Options& o);
// battery, memsize and memclear.
int CmdQuery(const Options& o, DeviceOperation op);
int CmdUpload(const Options& o);
int CmdPin(const Options& o);
int CmdNew(const Options& o);

// The settings type and clock of a download, as the options give them.
void SetDownloadChoices(Session& s, const Options& o);

// What a battery, memory-size or clear-memory query tells: the --json key
// and value, and the text for people.
struct QueryResult {
  std::string key;
  nlohmann::json value;
  std::string text;
};
QueryResult QueryResultOf(DeviceOperation op, std::string result_text);

// The message of a failed upload into `file`: kUploadFailedText, the cause
// in brackets, and where the bytes that did arrive are kept.
std::string UploadFailedText(const UploadResult& r, const FileByteSink& sink,
                             const std::string& file);

// The clock command for "YYYY-MM-DD hh:mm:ss" (or with a T between date and
// time), a real date of the years 2000-2099; nullopt for anything else.
std::optional<std::string> ClockCommandFromText(const std::string& text);

}  // namespace k470::cli
