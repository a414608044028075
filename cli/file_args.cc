#include "cli/file_args.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/messages.h"
#include "core/file_env.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace k470::cli {
namespace {

// Settings images and tag data pass through pipes byte for byte: on Windows
// the standard streams would otherwise turn LF into CR LF and stop at ^Z.
void UseBinaryMode(std::FILE* stream) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#else
  static_cast<void>(stream);
#endif
}

std::nullopt_t CannotRead(const std::string& path, const std::string& why) {
  SayError("cannot read " + InputName(path) + ": " + why);
  return std::nullopt;
}

}  // namespace

std::string InputName(const std::string& path) {
  return IsStandardStream(path) ? "standard input" : path;
}

std::string OutputName(const std::string& path) {
  return IsStandardStream(path) ? "standard output" : path;
}

std::optional<std::string> ReadInput(const std::string& path, const std::string& refusal) {
  std::string bytes(kMaxInputBytes + 1, '\0');
  if (IsStandardStream(path)) {
    UseBinaryMode(stdin);
    errno = 0;
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), stdin));
    // A folder as standard input fails here (EISDIR), not as an empty file.
    if (std::ferror(stdin)) return CannotRead(path, FileErrorText(errno));
  } else {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
      const int error = std::filesystem::is_directory(status) ? EISDIR : kErrnoNotRegularFile;
      return CannotRead(path, FileErrorText(error));
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) return CannotRead(path, FileErrorText(errno));
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) return CannotRead(path, FileErrorText(errno));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
  }
  if (bytes.size() > kMaxInputBytes) return CannotRead(path, "larger than 1 MB, " + refusal);
  return bytes;
}

bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (!IsStandardStream(path)) return WriteFileAtomically(FileEnv::Default(), path, bytes);
  std::cout.flush();
  std::fflush(stdout);
  UseBinaryMode(stdout);
  std::cout.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
  return true;
}

}  // namespace k470::cli
