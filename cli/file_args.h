// The files of k470ctl's command line: a path, or "-" for standard input
// where a subcommand reads and standard output where it writes (-o -).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace k470::cli {

inline bool IsStandardStream(const std::string& path) { return path == "-"; }

// How messages name what k470ctl reads or writes: "standard input" and
// "standard output" for "-", else the path as given.
std::string InputName(const std::string& path);
std::string OutputName(const std::string& path);

// What k470ctl reads whole: a settings export, a settings file from a pipe.
// More is refused before it fills memory.
inline constexpr std::size_t kMaxInputBytes = std::size_t{1} << 20;

// The bytes of a regular file at `path`, or of standard input for "-", at
// most kMaxInputBytes: more is refused as "larger than 1 MB, `refusal`".
// Anything else that is no regular file (a folder, a FIFO, a device) is
// refused. Nullopt after saying why (an error, exit code 4).
std::optional<std::string> ReadInput(const std::string& path, const std::string& refusal);

// Replaces the file `path` with `bytes`, or writes them to standard output
// for "-" (where a failure shows when the run flushes it). False with errno
// saying why, as WriteFileAtomically leaves it.
bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace k470::cli
