// The reader's side of the protocol as a state machine without any I/O: the
// host's bytes go in, the reader's replies come out. PtyReader serves it on a
// pseudo-terminal; tests may drive it directly.
//
// The reader keeps two images. "Current" is what it works with; "user
// defined" is a stored alternative. Block requests are served from the
// current image, or from the user-defined one after "READ_U\r". Block lines
// collect in a pending download that "UPDATE\r" commits: to the current image
// when no settings-type command came (download type 0), to the user-defined
// image after "WRITE_U\r", to both after "WRITE_B\r". Only the blocks that
// arrived are committed. The service-mode command, "UPDATE\r" and "EXIT\r"
// end such a choice; the service-mode command and "EXIT\r" also drop a
// pending download. Transfers are served in and out of service mode alike.
//
// Lines beginning with "#@" belong to the command set: an unknown one is
// answered "ERR\r". A line that is no command and has 1-16 printable
// characters is a new Bluetooth PIN code. Anything else gets "ERR\r"; an
// empty line gets nothing. A line longer than kMaxLineLength is cut there.
// Single-threaded; PtyReader puts a lock around it.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_image.h"
#include "link/protocol_layout.h"
#include "sim/reader_config.h"

namespace k470::sim {

inline constexpr std::size_t kMaxLineLength = 1024;

// A piece of the reader's answer and how long after the previous piece it
// goes out (the memorized-data upload comes in several pieces).
struct Reply {
  std::chrono::milliseconds pause_before{0};
  std::string bytes;
};

// The clock as the last well-formed clock command set it.
struct ReaderTime {
  int year = 0;  // four digits: 2000 + the two digits sent
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const ReaderTime&, const ReaderTime&) = default;
};

class VirtualReader {
 public:
  explicit VirtualReader(ReaderConfig config = {});

  // Takes bytes the host sent (any split) and returns the reader's replies in
  // the order it sends them; empty when it has nothing to say.
  std::vector<Reply> Respond(std::string_view bytes);
  // Respond with the pieces run together, for callers that ignore timing.
  std::string Feed(std::string_view bytes);

  // The host closed its port: an unfinished line is forgotten.
  void HostClosed();

  // Every CR-terminated line received, in order, CR included.
  const std::vector<std::string>& received_lines() const { return received_lines_; }

  const SettingsImage& current_image() const { return current_image_; }
  const SettingsImage& user_image() const { return user_image_; }

  const std::string& pin_code() const { return pin_code_; }
  const std::optional<ReaderTime>& clock() const { return clock_; }
  const std::string& memorized_data() const { return memorized_data_; }
  bool service_mode() const { return service_mode_; }
  // Downloads committed by "UPDATE\r" so far.
  int commits() const { return commits_; }
  // Block lines and block requests received so far, repeats included.
  int block_messages() const { return block_messages_; }
  // After vanish_after_blocks: the reader is gone and takes nothing more in.
  bool vanished() const { return vanished_; }
  // With the endless fault, once a line arrived: the reader streams bytes
  // without CR until the host closes.
  bool streaming() const { return streaming_; }
  // Bytes of a line still waiting for its CR.
  std::size_t partial_line_size() const { return partial_.size(); }

  // Faults, identity and pacing may be changed between calls.
  ReaderConfig& config() { return config_; }
  const ReaderConfig& config() const { return config_; }

 private:
  enum class Target { kCurrent, kUser, kBoth };

  void HandleLine(std::string_view line, std::vector<Reply>& out);
  void AddLine(std::string_view text, std::vector<Reply>& out) const;
  void IdentityReply(std::vector<Reply>& out) const;
  void MemoryUpload(std::vector<Reply>& out);
  void BlockLine(std::string_view line, std::vector<Reply>& out);
  void BlockRequest(std::string_view line, std::vector<Reply>& out);
  void Update(std::vector<Reply>& out);
  bool SetClock(std::string_view line);
  void EndChoice();
  void DropPending();

  ReaderConfig config_;
  SettingsImage current_image_;
  SettingsImage user_image_;
  std::string pin_code_;
  std::string memorized_data_;
  std::optional<ReaderTime> clock_;

  std::string partial_;
  std::vector<std::string> received_lines_;

  bool service_mode_ = false;
  bool read_user_ = false;
  Target target_ = Target::kCurrent;
  SettingsImage pending_;
  std::array<bool, kBlockCount> pending_blocks_{};
  int commits_ = 0;

  int block_messages_ = 0;
  int request_naks_ = 0;  // NAKs already given to the block request being repeated
  int line_naks_ = 0;
  bool gone_silent_ = false;
  bool vanished_ = false;
  bool streaming_ = false;
};

}  // namespace k470::sim
