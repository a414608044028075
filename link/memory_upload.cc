#include "link/memory_upload.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

#include "core/translatable.h"
#include "link/reader_protocol.h"
#include "link/write_fully.h"

namespace k470 {
namespace {

constexpr std::size_t kChunkSize = 63;
// Why an upload failed when the sink refused the data (its own error says more).
constexpr char kNotStored[] = "the data could not be stored";
constexpr int kProgressMaximum = 9;

// "OK" or "ok": the reader's acknowledgement, before its CR. Mixed case, or
// an "ok" followed by anything but CR, is tag data ("...ok\n" ends a line).
bool IsAcknowledgement(std::uint8_t first, std::uint8_t second) {
  return (first == 'O' && second == 'K') || (first == 'o' && second == 'k');
}

// The reader ends a piece with "OK" and CR; that is not data.
std::size_t WithoutAcknowledgement(std::span<const std::uint8_t> chunk) {
  const std::size_t n = chunk.size();
  if (n >= 3 && IsAcknowledgement(chunk[n - 3], chunk[n - 2]) && chunk[n - 1] == '\r') {
    return n - 3;
  }
  return n;
}

// How many bytes at the end of `data` could be the start of an "OK" + CR
// whose rest has not arrived yet: a read can end anywhere in the piece.
std::size_t PossibleAcknowledgementStart(std::span<const std::uint8_t> data) {
  const std::size_t n = data.size();
  if (n >= 2 && IsAcknowledgement(data[n - 2], data[n - 1])) return 2;
  if (n >= 1 && (data[n - 1] == 'O' || data[n - 1] == 'o')) return 1;
  return 0;
}

}  // namespace

FileByteSink::~FileByteSink() {
  if (fd_ >= 0) Finish(false);
}

bool FileByteSink::Create(const std::string& path) {
  if (fd_ >= 0) Finish(false);
  failed_ = false;
  error_ = 0;
  appended_ = 0;
  partial_path_.clear();
  if (path.empty()) {
    errno = ENOENT;
    return false;
  }
  // Only a regular file is replaced: renaming over a device (/dev/full, a
  // reader's port) would put a file in its place.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : kErrnoNotRegularFile;
    return false;
  }
  target_ = WriteTarget(path);
  temporary_ = TemporaryNameBeside(target_);
  fd_ = env_.Open(temporary_, O_WRONLY | O_CREAT | O_EXCL, 0666);
  return fd_ >= 0;
}

bool FileByteSink::Append(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0 || failed_) return false;
  while (!bytes.empty()) {
    const ssize_t n = env_.Write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // A write that takes nothing sets no errno: the disk is full.
      error_ = n < 0 ? errno : ENOSPC;
      failed_ = true;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(n));
    appended_ += static_cast<std::size_t>(n);
  }
  return true;
}

bool FileByteSink::Finish(bool complete) {
  if (fd_ < 0) return false;
  const auto fail = [this] {
    if (!failed_) error_ = errno;
    failed_ = true;
  };
  if (!failed_ && env_.Fsync(fd_) != 0) fail();
  if (env_.Close(fd_) != 0) fail();
  fd_ = -1;
  if (complete && !failed_) {
    if (env_.Rename(temporary_, target_) == 0) return true;
    fail();
  }
  // The old file stays; whatever arrived is the reader's data and is kept.
  if (appended_ > 0 && env_.Rename(temporary_, target_ + ".partial") == 0) {
    partial_path_ = target_ + ".partial";
  } else {
    env_.Unlink(temporary_);
  }
  return false;
}

UploadResult UploadMemorizedData(SerialPort& port, Clock& clock, ByteSink& out,
                                 ProgressSink& progress) {
  UploadResult result;
  const auto finish = [&](bool ok) {
    result.ok = out.Finish(ok) && ok;
    if (ok && !result.ok) result.failure = kNotStored;
    if (port.IsOpen()) port.Purge();
    port.Close();
    return result;
  };

  const std::string_view command = command::kMemoryUpload;
  const auto* command_bytes = reinterpret_cast<const std::uint8_t*>(command.data());
  if (!WriteFully(port, clock, {command_bytes, command.size()})) {
    result.failure = "the reader took no upload command";
    return finish(false);
  }
  clock.SleepFor(kIdleTimeout);

  progress.Begin(K470_TR_NOOP("k470", "Downloading..."), K470_TR_NOOP("k470", "Uploading"),
                 kProgressMaximum);
  bool ok = true;
  int position = 0;
  // Bytes held back from the end of the last read because they may begin the
  // acknowledgement, followed by the next read. Without this an "OK\r" split
  // across two reads would land in the file.
  std::array<std::uint8_t, 2 + kChunkSize> data{};
  std::size_t held = 0;
  const auto append = [&](std::size_t n) {
    if (n == 0) return true;
    if (!out.Append(std::span(data).first(n))) return false;
    result.bytes_written += n;
    return true;
  };
  // Only silence ends the upload: a read that finds nothing yet is not the
  // end, because a reader may send more slowly than we read. Each read blocks
  // for what is left of the idle time, so the wait costs no CPU.
  for (Millis deadline = clock.Now() + kIdleTimeout; clock.Now() < deadline;) {
    const long got = port.Read(std::span(data).subspan(held, kChunkSize), deadline - clock.Now());
    if (got < 0) {
      result.failure = "the reader was disconnected";
      ok = false;
      break;
    }
    if (got == 0) continue;
    progress.SetPosition(position);
    position = position == kProgressMaximum ? 0 : position + 1;
    const std::size_t size = held + static_cast<std::size_t>(got);
    std::size_t n = WithoutAcknowledgement(std::span(data).first(size));
    held = n < size ? 0 : PossibleAcknowledgementStart(std::span(data).first(size));
    n -= held;
    if (!append(n)) {
      result.failure = kNotStored;
      ok = false;
      break;
    }
    if (result.bytes_written > kMaxUploadSize) {
      result.failure = "more than " + std::to_string(kMaxUploadSize >> 20) +
                       " MiB of data: no reader holds that much";
      ok = false;
      break;
    }
    std::copy_n(data.begin() + static_cast<long>(size - held), held, data.begin());
    if (n > 0 || held > 0) deadline = clock.Now() + kIdleTimeout;
  }
  // What was held back never became an acknowledgement: it is data.
  if (held > 0 && !append(held)) {
    result.failure = kNotStored;
    ok = false;
  }
  progress.End();
  return finish(ok);
}

}  // namespace k470
