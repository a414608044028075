#include "link/settings_transfer.h"

#include <array>
#include <cstdio>

#include "core/checksum.h"
#include "core/hex.h"
#include "core/translatable.h"
#include "link/reader_protocol.h"

namespace k470 {
namespace {

constexpr Millis kAfterDownload{1000};

void HexAddress(std::string& out, int k) {
  const unsigned address = static_cast<unsigned>(k * kBlockSize);
  AppendHexByte(out, static_cast<std::uint8_t>(address >> 8));
  AppendHexByte(out, static_cast<std::uint8_t>(address & 0xFF));
}

// Ends a failed transfer: "EXIT\r" as a confirmed line whose answer does not matter.
void SendExitConfirmed(ReaderLink& link) { link.SendLineConfirmed(command::kExit); }

}  // namespace

std::string BlockLine(const SettingsImage& image, int k) {
  std::string line;
  line.reserve(kBlockLineLength + 1);
  HexAddress(line, k);
  line += kBlockByteCount;
  for (int i = 0; i < kBlockSize; ++i)
    AppendHexByte(line, image.Byte(static_cast<std::size_t>(k * kBlockSize + i)));
  line.push_back(kCr);
  return line;
}

std::string BlockRequest(int k) {
  std::string request(1, kBlockRequestMark);
  HexAddress(request, k);
  request += kBlockByteCount;
  request.push_back(kCr);
  return request;
}

// "block 20 (R014010): no reply within 2000 ms" for messages.
static std::string BlockFailure(int k, const std::string& why) {
  std::string request = BlockRequest(k);
  request.pop_back();  // the CR
  if (request.front() == kBlockRequestMark) request.erase(0, 1);
  return "block " + std::to_string(k) + " at " + request.substr(0, kBlockAddressDigits) + ": " +
         why;
}

bool DownloadImage(ReaderLink& link, SettingsImage& image, ProgressSink& progress) {
  progress.Begin(K470_TR_NOOP("k470", "Downloading..."), K470_TR_NOOP("k470", "Downloading"),
                 kProgressEnd);
  progress.SetPosition(0);
  // The checksum pair goes into the image only with a download that ends well:
  // after a failure the image in memory is as it was, with nothing to save.
  const SettingsImage before = image;
  StoreChecksumPair(image);
  link.FlushReaderPort();

  bool ok = true;
  std::string why;
  for (int k = 0; k < kBlockCount && ok; ++k) {
    progress.SetPosition(k * kBlockSize);
    ok = link.SendLineConfirmed(BlockLine(image, k));
    if (!ok) why = BlockFailure(k, link.failure());
  }
  if (ok && !(ok = link.SendLineConfirmed(command::kUpdate))) why = "UPDATE: " + link.failure();
  if (ok) {
    progress.SetPosition(kProgressEnd);
  } else {
    SendExitConfirmed(link);
    link.SetFailure(why);
    image = before;
  }
  progress.End();
  link.CloseReaderPort();
  if (ok) link.clock().SleepFor(kAfterDownload);
  return ok;
}

bool ReadBackImage(ReaderLink& link, SettingsImage& image, ProgressSink& progress) {
  progress.Begin(K470_TR_NOOP("k470", "Uploading..."), K470_TR_NOOP("k470", "Uploading"),
                 kProgressEnd);
  progress.SetPosition(0);
  link.FlushReaderPort();

  SettingsImage decoded;
  bool ok = true;
  std::string why;
  for (int k = 0; k < kBlockCount && ok; ++k) {
    progress.SetPosition(k * kBlockSize);
    const std::size_t offset = BlockReplyOffset(k);
    ok = link.ReadBlock(BlockRequest(k), offset);
    if (!ok) why = BlockFailure(k, link.failure());
    // Decode as the blocks arrive so that a reply of non-hex characters fails
    // here instead of turning into made-up settings.
    for (int i = 0; ok && i < kBlockSize; ++i) {
      const int hi = HexDigitValue(link.reply_buffer()[offset + 2 * i]);
      const int lo = HexDigitValue(link.reply_buffer()[offset + 2 * i + 1]);
      if (hi < 0 || lo < 0) {
        ok = false;
        why = BlockFailure(k, "a reply with characters that are not hex digits");
        break;
      }
      decoded.SetByte(static_cast<std::size_t>(k * kBlockSize + i),
                      static_cast<std::uint8_t>(hi * 16 + lo));
    }
  }
  if (ok) progress.SetPosition(kProgressEnd);
  if (ok && !(ok = link.SendLineConfirmed(command::kUpdate))) why = "UPDATE: " + link.failure();
  if (ok) {
    image = decoded;
  } else {
    SendExitConfirmed(link);
    link.SetFailure(why);
  }
  progress.End();
  link.CloseReaderPort();
  return ok;
}

}  // namespace k470
