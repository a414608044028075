// Moving the settings image between the program and the reader: 40 block
// lines of 16 bytes down, 40 block requests up, each ended by "UPDATE\r".
// Both run on an open, identified reader port and close it when they end.
#pragma once

#include <string>

#include "core/settings_image.h"
#include "link/progress.h"
#include "link/protocol_layout.h"
#include "link/reader_link.h"

namespace k470 {

inline constexpr int kProgressEnd = 641;

// "AAAA10" + 32 hex digits + CR for block k (0..39), 39 bytes.
std::string BlockLine(const SettingsImage& image, int k);
// "R" + "AAAA" + "10" + CR, 8 bytes.
std::string BlockRequest(int k);

// Stores the checksum pair into the image, sends the 40 block lines and
// "UPDATE\r". True when the reader acknowledged all of them; on failure sends
// "EXIT\r" and leaves the image as it was, checksum pair included. The caller
// shows the completion message.
bool DownloadImage(ReaderLink& link, SettingsImage& image, ProgressSink& progress);

// Reads the 40 blocks and sends "UPDATE\r"; only when all of that succeeded
// is the image replaced. A block reply that is not 32 hex digits fails the
// read-back like a missing one. On failure sends "EXIT\r".
bool ReadBackImage(ReaderLink& link, SettingsImage& image, ProgressSink& progress);

}  // namespace k470
