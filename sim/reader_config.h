// Everything that makes one virtual reader differ from another: its identity,
// its two settings images, its memorized tag data, the pace of its replies and
// the faults it is told to show. A default-constructed config is a healthy
// K471 with factory settings.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "core/settings_image.h"

namespace k470::sim {

// Characters 1-7 of the device type; the model code follows at 8-11.
inline constexpr char kDeviceTypePrefix[] = "K470 - ";
inline constexpr char kDeviceTypeSuffix[] = " UHF RFID Reader";
// The model code a reader with the wrong-model fault reports.
inline constexpr char kWrongModelCode[] = "K480";
// Line noise put in front of every reply line by the garbage fault.
inline constexpr char kGarbage[] = "%~?";

// Misbehaviour for testing how the host recovers. All off by default.
// Block messages (block lines and block requests) are counted from 1 over the
// reader's whole life, repeats included.
struct Faults {
  bool silent = false;            // records what arrives, answers nothing
  bool wrong_model = false;       // reports kWrongModelCode instead of its model code
  int naks_per_request = 0;       // "NAK\r" this often to each block request before the block
  int naks_per_line = 0;          // "NAK\r" this often to each block line before it is taken
  bool no_ack_lines = false;      // every block line gets "NAK\r" and is not stored
  bool no_ack_update = false;     // "UPDATE\r" gets "NAK\r" and commits nothing
  bool garbage = false;           // every reply line starts with kGarbage
  bool non_hex_blocks = false;    // block replies carry 'G' as their first and last digit
  int vanish_after_blocks = 0;    // > 0: gone after answering this many block messages
  int silent_from_block = 0;      // > 0: silent from this block message on, for good
  bool vanish_in_upload = false;  // sends half the memorized data, then is gone
  bool endless = false;           // answers every line with bytes and never a CR, until closed
};

// Emulates a slow serial line: each reply goes out `chunk` bytes at a time,
// each chunk followed by the time its bytes take on the wire (10 bits a byte).
struct Pacing {
  int baud = 0;  // 0: full pseudo-terminal speed
  int chunk = 1;

  std::chrono::microseconds ChunkTime(std::size_t bytes) const;
};

struct ReaderConfig {
  // The six lines of the identity reply. An empty device_type is composed
  // from the prefix, the model code and the suffix.
  std::string first_line = "#@SYS_INFO";
  std::string model_code = "K471";
  std::string device_type;
  std::string serial_number = "K471-000123";
  std::string kernel_version = "Kernel V1.05";
  std::string user_version = "User V2.01";
  std::string bt_mac_id = "00:1B:DC:0F:47:10";

  std::string battery = "3.95V";  // the text after "OK " in the battery reply
  int memory_size_kb = 2048;      // capacity; the free size reported subtracts the data held

  // Start-up contents of the two images: the factory defaults with their checksum pair.
  SettingsImage current_image;
  SettingsImage user_image;

  std::string pin_code = "0000";

  // What "#@SYS_MEMUP\r" sends (followed by "OK\r"), in pieces of
  // upload_chunk bytes with upload_gap between them.
  std::string memorized_data;
  std::size_t upload_chunk = 64;
  std::chrono::milliseconds upload_gap{5};

  std::string ack = "ACK";  // acknowledgement of block lines and "UPDATE\r"; "DONE" works too

  Pacing pacing;
  Faults faults;

  ReaderConfig();

  // The device-type line as the reader sends it, faults included.
  std::string DeviceTypeLine() const;
};

// The factory-default image (File/New) with its checksum pair stored.
SettingsImage FactoryImage();

// `lines` lines of memorized tag data: one 96-bit EPC in hex per line, CR LF.
std::string MakeMemorizedData(int lines);

inline constexpr int kDefaultMemorizedLines = 40;

}  // namespace k470::sim
