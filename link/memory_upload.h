// Upload Memory Data: copies the tag data that the reader memorized off-line
// from the shell port into a sink (in the program, the text file the user
// chose), showing progress while it runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/file_env.h"
#include "core/translatable.h"
#include "link/clock.h"
#include "link/progress.h"
#include "link/serial_port.h"

namespace k470 {

// What the main window tells the user when the upload is over.
inline constexpr char kUploadSucceededText[] =
    K470_TR_NOOP("k470", "Uploading the Memorized Data Successful!");
inline constexpr char kUploadSucceededCaption[] = K470_TR_NOOP("k470", "Success");
inline constexpr char kUploadFailedText[] =
    K470_TR_NOOP("k470", "Uploading the Memorized Data Failed!");
inline constexpr char kUploadFailedCaption[] = K470_TR_NOOP("k470", "Failed");

// Where uploaded bytes go. The upload calls Append for each piece as it
// arrives and Finish exactly once at the end, also after a failure.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when the bytes could not be stored; the upload then fails.
  virtual bool Append(std::span<const std::uint8_t> bytes) = 0;
  // Makes what was appended durable and releases the target; `complete`
  // tells whether the upload ended well. False when anything appended so far
  // was not stored.
  virtual bool Finish(bool complete) {
    static_cast<void>(complete);
    return true;
  }
};

// A ByteSink writing to a file without ever losing the file it replaces: the
// bytes go into a temporary file beside it, which becomes the file only when
// the upload ends well. After a failure the old file stays as it was, and
// what did arrive is kept as "<file>.partial": it is the reader's tag data.
// The upload dialog creates the sink on OK, so a folder that cannot be
// written keeps the dialog open before the port is used.
class FileByteSink : public ByteSink {
 public:
  explicit FileByteSink(FileEnv& env = FileEnv::Default()) : env_(env) {}
  // An upload that never finished (interrupted) keeps its bytes as .partial.
  ~FileByteSink() override;
  FileByteSink(const FileByteSink&) = delete;
  FileByteSink& operator=(const FileByteSink&) = delete;

  // Prepares to replace `path` (through a symbolic link, its target). False,
  // with errno set, when the temporary file cannot be created beside it or
  // `path` names a directory (EISDIR) or anything else that is no regular
  // file (kErrnoNotRegularFile: a device is never replaced); also for an
  // empty path.
  bool Create(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }

  bool Append(std::span<const std::uint8_t> bytes) override;
  bool Finish(bool complete) override;

  // True when a write to the file failed (a full disk), or the complete file
  // could not be flushed or put in place: a file error.
  bool write_failed() const { return failed_; }
  // The errno of that failure, for FileErrorText.
  int error() const { return error_; }
  // Where the bytes of a failed upload were kept; "" when none arrived.
  const std::string& partial_path() const { return partial_path_; }

 private:
  FileEnv& env_;
  int fd_ = -1;
  bool failed_ = false;
  int error_ = 0;
  std::size_t appended_ = 0;
  std::string target_;
  std::string temporary_;
  std::string partial_path_;
};

// A reader holds a few megabytes of tag data at most; a device that sends
// more is not a reader, and the upload fails rather than fill the disk.
inline constexpr std::size_t kMaxUploadSize = 64u << 20;

struct UploadResult {
  bool ok = false;
  std::size_t bytes_written = 0;  // bytes handed to the sink and taken by it
  // Why it failed, for the message after kUploadFailedText: "the reader was
  // disconnected", "the data could not be stored" (the sink tells more), ...
  std::string failure;
};

// Runs the upload on the open shell port: sends "#@SYS_MEMUP\r", waits
// 2000 ms, then stores everything the reader sends, less the "OK" (or "ok")
// and CR that end a piece, until the reader has been silent for 2000 ms;
// more than kMaxUploadSize bytes fail. A reader
// that sends nothing gives an empty upload and success. Fails when the port
// fails (an unplugged reader, also one that does not take the command) or the
// sink does. Once the command is out, progress runs from Begin
// ("Downloading...", "Uploading", 0..9) to End; the sink is finished and the
// port purged and closed on every path.
UploadResult UploadMemorizedData(SerialPort& port, Clock& clock, ByteSink& out,
                                 ProgressSink& progress);

}  // namespace k470
