// Upload Memory Data: copies the tag data that the reader memorized off-line
// from the shell port into a sink (in the program, the text file the user
// chose), showing progress while it runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/file_env.h"
#include "link/clock.h"
#include "link/progress.h"
#include "link/serial_port.h"

namespace k470 {

// What the main window tells the user when the upload is over.
inline constexpr char kUploadSucceededText[] = "Uploading the Memorized Data Successful!";
inline constexpr char kUploadSucceededCaption[] = "Success";
inline constexpr char kUploadFailedText[] = "Uploading the Memorized Data Failed!";
inline constexpr char kUploadFailedCaption[] = "Failed";

// Where uploaded bytes go. The upload calls Append for each piece as it
// arrives and Finish exactly once at the end, also after a failure.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // False when the bytes could not be stored; the upload then fails.
  virtual bool Append(std::span<const std::uint8_t> bytes) = 0;
  // Makes what was appended durable and releases the target. False when
  // anything appended so far was not stored.
  virtual bool Finish() { return true; }
};

// A ByteSink writing to a file. The upload dialog creates the file on OK, so
// that a path that cannot be written keeps the dialog open; the upload then
// writes each piece straight through and Finish flushes it to disk and closes.
class FileByteSink : public ByteSink {
 public:
  explicit FileByteSink(FileEnv& env = FileEnv::Default()) : env_(env) {}
  ~FileByteSink() override;
  FileByteSink(const FileByteSink&) = delete;
  FileByteSink& operator=(const FileByteSink&) = delete;

  // Creates `path`, replacing an existing file. False when it cannot be
  // created (also for an empty path). A file created earlier is closed first.
  bool Create(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }

  bool Append(std::span<const std::uint8_t> bytes) override;
  bool Finish() override;

 private:
  FileEnv& env_;
  int fd_ = -1;
  bool failed_ = false;
};

// A reader holds a few megabytes of tag data at most; a device that sends
// more is not a reader, and the upload fails rather than fill the disk.
inline constexpr std::size_t kMaxUploadSize = 64u << 20;

struct UploadResult {
  bool ok = false;
  std::size_t bytes_written = 0;  // bytes handed to the sink and taken by it
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
