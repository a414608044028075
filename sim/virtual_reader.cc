#include "sim/virtual_reader.h"

#include <algorithm>
#include <cstdint>

#include "core/hex.h"

namespace k470::sim {
namespace {

constexpr std::string_view kServiceMode = "#@402718";
constexpr std::size_t kClockLength = kClockFieldsAt + kClockFieldsLength;  // without the CR
constexpr std::size_t kMaxPinLength = 16;

bool AllHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return HexDigitValue(static_cast<unsigned char>(c)) >= 0; });
}

int HexNumber(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 16 + HexDigitValue(static_cast<unsigned char>(c));
  return value;
}

// The block index of a block address with the byte count "10", or -1.
int BlockIndex(std::string_view address, std::string_view count) {
  int offset = HexNumber(address);
  if (count != kBlockByteCount || offset % kBlockSize != 0 || offset / kBlockSize >= kBlockCount) {
    return -1;
  }
  return offset / kBlockSize;
}

// Block `block`'s byte `i` in the image.
std::size_t ImageOffset(int block, int i) {
  return static_cast<std::size_t>(block * kBlockSize + i);
}

bool IsPrintable(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

int TwoDigits(std::string_view text, std::size_t at) {
  char hi = text[at], lo = text[at + 1];
  if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return -1;
  return (hi - '0') * 10 + (lo - '0');
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

VirtualReader::VirtualReader(ReaderConfig config)
    : config_(std::move(config)),
      current_image_(config_.current_image),
      user_image_(config_.user_image),
      pin_code_(config_.pin_code),
      memorized_data_(config_.memorized_data) {}

std::vector<Reply> VirtualReader::Respond(std::string_view bytes) {
  std::vector<Reply> out;
  for (char c : bytes) {
    if (vanished_) break;
    if (c != '\r') {
      if (partial_.size() < kMaxLineLength) partial_ += c;
      continue;
    }
    std::string line = std::move(partial_);
    partial_.clear();
    received_lines_.push_back(line + '\r');
    // A host that ends its lines with CR LF leaves the LF in front of the next line.
    std::string_view text = line;
    while (!text.empty() && text.front() == '\n') text.remove_prefix(1);
    if (config_.faults.endless) {
      streaming_ = true;
    } else if (!config_.faults.silent && !gone_silent_) {
      HandleLine(text, out);
    }
  }
  return out;
}

std::string VirtualReader::Feed(std::string_view bytes) {
  std::string all;
  for (const Reply& reply : Respond(bytes)) all += reply.bytes;
  return all;
}

void VirtualReader::HostClosed() {
  partial_.clear();
  streaming_ = false;
}

void VirtualReader::HandleLine(std::string_view line, std::vector<Reply>& out) {
  const Faults& faults = config_.faults;
  bool block_line = line.size() == kBlockLineLength;
  bool block_request = line.size() == kBlockRequestLength && line[0] == kBlockRequestMark &&
                       AllHex(line.substr(kRequestAddressAt));
  if (block_line || block_request) {
    ++block_messages_;
    if (faults.silent_from_block > 0 && block_messages_ >= faults.silent_from_block) {
      gone_silent_ = true;
      return;
    }
    if (block_line) {
      BlockLine(line, out);
    } else {
      BlockRequest(line, out);
    }
    if (faults.vanish_after_blocks > 0 && block_messages_ >= faults.vanish_after_blocks) {
      vanished_ = true;
      partial_.clear();
    }
    return;
  }

  if (line == "#@SYS_INFO?") {
    IdentityReply(out);
  } else if (line == kServiceMode) {
    service_mode_ = true;
    DropPending();
    EndChoice();
  } else if (line == "READ_U") {
    read_user_ = true;
    AddLine("OK", out);
  } else if (line == "WRITE_U" || line == "WRITE_B") {
    target_ = line == "WRITE_U" ? Target::kUser : Target::kBoth;
    AddLine("OK", out);
  } else if (line == "UPDATE") {
    Update(out);
  } else if (line == "EXIT") {
    service_mode_ = false;
    DropPending();
    EndChoice();
  } else if (line == "#@SYS_BATTERY?") {
    AddLine("OK " + config_.battery, out);
  } else if (line == "#@SYS_MEMSIZE?") {
    int used_kb = static_cast<int>((memorized_data_.size() + 1023) / 1024);
    AddLine("OK:" + std::to_string(std::max(0, config_.memory_size_kb - used_kb)), out);
  } else if (line == "#@SYS_MEMCLR") {
    memorized_data_.clear();
    AddLine("OK", out);
  } else if (line == "#@SYS_MEMUP") {
    MemoryUpload(out);
  } else if (line.starts_with(kClockPrefix)) {
    AddLine(SetClock(line) ? "OK" : "ERR", out);
  } else if (line.starts_with("#@")) {
    AddLine("ERR", out);
  } else if (!line.empty() && line.size() <= kMaxPinLength && IsPrintable(line)) {
    pin_code_ = std::string(line);
  } else if (!line.empty()) {
    AddLine("ERR", out);
  }
}

void VirtualReader::AddLine(std::string_view text, std::vector<Reply>& out) const {
  // A line joins the piece before it: the answer to one command goes out in one write.
  if (out.empty()) out.push_back({});
  std::string& bytes = out.back().bytes;
  if (config_.faults.garbage) bytes += kGarbage;
  bytes.append(text);
  bytes += '\r';
}

void VirtualReader::IdentityReply(std::vector<Reply>& out) const {
  for (const std::string& text :
       {config_.first_line, config_.DeviceTypeLine(), config_.serial_number, config_.kernel_version,
        config_.user_version, config_.bt_mac_id}) {
    AddLine(text, out);
  }
}

void VirtualReader::MemoryUpload(std::vector<Reply>& out) {
  std::size_t chunk = std::max<std::size_t>(1, config_.upload_chunk);
  if (config_.faults.vanish_in_upload) {
    // Half the data, no acknowledgement, then pulled from the socket.
    for (std::size_t at = 0; at < memorized_data_.size() / 2; at += chunk) {
      out.push_back({at == 0 ? std::chrono::milliseconds(0) : config_.upload_gap,
                     memorized_data_.substr(at, std::min(chunk, memorized_data_.size() / 2 - at))});
    }
    vanished_ = true;
    return;
  }
  for (std::size_t at = 0; at < memorized_data_.size(); at += chunk) {
    out.push_back({at == 0 ? std::chrono::milliseconds(0) : config_.upload_gap,
                   memorized_data_.substr(at, chunk)});
  }
  // The closing acknowledgement rides on the last piece; the host strips it there.
  AddLine("OK", out);
}

void VirtualReader::BlockLine(std::string_view line, std::vector<Reply>& out) {
  const Faults& faults = config_.faults;
  int block = AllHex(line) ? BlockIndex(line.substr(kLineAddressAt, kBlockAddressDigits),
                                        line.substr(kLineByteCountAt, kBlockByteCount.size()))
                           : -1;
  if (block < 0 || faults.no_ack_lines) {
    AddLine("NAK", out);
    return;
  }
  if (line_naks_ < faults.naks_per_line) {
    ++line_naks_;
    AddLine("NAK", out);
    return;
  }
  line_naks_ = 0;
  for (int i = 0; i < kBlockSize; ++i) {
    int byte = HexNumber(line.substr(kLineDigitsAt + 2 * static_cast<std::size_t>(i), 2));
    pending_.SetByte(ImageOffset(block, i), static_cast<std::uint8_t>(byte));
  }
  pending_blocks_[static_cast<std::size_t>(block)] = true;
  AddLine(config_.ack, out);
}

void VirtualReader::BlockRequest(std::string_view line, std::vector<Reply>& out) {
  int block = BlockIndex(line.substr(kRequestAddressAt, kBlockAddressDigits),
                         line.substr(kRequestByteCountAt, kBlockByteCount.size()));
  if (block < 0) {
    AddLine("NAK", out);
    return;
  }
  if (request_naks_ < config_.faults.naks_per_request) {
    ++request_naks_;
    AddLine("NAK", out);
    return;
  }
  request_naks_ = 0;
  const SettingsImage& source = read_user_ ? user_image_ : current_image_;
  std::string digits;
  for (int i = 0; i < kBlockSize; ++i) {
    std::uint8_t byte = source.Byte(ImageOffset(block, i));
    AppendHexByte(digits, byte);
  }
  if (config_.faults.non_hex_blocks) digits.front() = digits.back() = 'G';
  AddLine(digits, out);
}

void VirtualReader::Update(std::vector<Reply>& out) {
  if (config_.faults.no_ack_update) {
    AddLine("NAK", out);
    return;
  }
  if (std::find(pending_blocks_.begin(), pending_blocks_.end(), true) != pending_blocks_.end()) {
    for (std::size_t block = 0; block < pending_blocks_.size(); ++block) {
      if (!pending_blocks_[block]) continue;
      for (std::size_t i = ImageOffset(static_cast<int>(block), 0);
           i < ImageOffset(static_cast<int>(block) + 1, 0); ++i) {
        if (target_ != Target::kUser) current_image_.SetByte(i, pending_.Byte(i));
        if (target_ != Target::kCurrent) user_image_.SetByte(i, pending_.Byte(i));
      }
    }
    ++commits_;
    DropPending();
  }
  EndChoice();
  AddLine(config_.ack, out);
}

bool VirtualReader::SetClock(std::string_view line) {
  if (line.size() != kClockLength) return false;
  int fields[kClockFieldCount];
  for (std::size_t i = 0; i < kClockFieldCount; ++i) {
    std::size_t at = kClockFieldsAt + kClockFieldStride * i;
    if (i > 0 && line[at - 1] != ',') return false;
    fields[i] = TwoDigits(line, at);
    if (fields[i] < 0) return false;
  }
  ReaderTime t{2000 + fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) ||
      t.hour > 23 || t.minute > 59 || t.second > 59) {
    return false;
  }
  clock_ = t;
  return true;
}

void VirtualReader::EndChoice() {
  read_user_ = false;
  target_ = Target::kCurrent;
}

void VirtualReader::DropPending() { pending_blocks_.fill(false); }

}  // namespace k470::sim
