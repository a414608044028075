#include "sim/virtual_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace k470::sim {
namespace {

// 640 distinct-looking bytes, so a block from the wrong place shows.
SettingsImage Pattern(std::uint8_t seed) {
  SettingsImage image;
  for (std::size_t i = 0; i < kImageSize; ++i) {
    image.SetByte(i, static_cast<std::uint8_t>(seed + i * 13 + i / 256));
  }
  return image;
}

std::string Hex(const SettingsImage& image, int block) {
  std::string digits;
  for (int i = 0; i < 16; ++i) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", image.Byte(static_cast<std::size_t>(block * 16 + i)));
    digits += two;
  }
  return digits;
}

std::string Address(int block) {
  char text[5];
  std::snprintf(text, sizeof text, "%04X", block * 16);
  return text;
}

std::string BlockLine(const SettingsImage& image, int block) {
  return Address(block) + "10" + Hex(image, block) + "\r";
}

std::string Request(int block) { return "R" + Address(block) + "10\r"; }

// Sends every block line of `image` and returns the replies run together.
std::string Download(VirtualReader& reader, const SettingsImage& image) {
  std::string replies;
  for (int k = 0; k < kBlockCount; ++k) replies += reader.Feed(BlockLine(image, k));
  return replies;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 1) {
    lines.push_back(text.substr(start, cr - start));
  }
  EXPECT_EQ(start, text.size()) << "reply does not end with CR";
  return lines;
}

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

TEST(VirtualReaderIdentity, SixLinesWithTheModelCodeAtCharacters8To11) {
  ReaderConfig config;
  config.model_code = "K473";
  config.serial_number = "SN-1";
  config.bt_mac_id = "AA:BB";
  VirtualReader reader(config);
  auto lines = SplitLines(reader.Feed("#@SYS_INFO?\r"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1].substr(7, 4), "K473");
  EXPECT_EQ(lines[2], "SN-1");
  EXPECT_EQ(lines[3], config.kernel_version);
  EXPECT_EQ(lines[4], config.user_version);
  EXPECT_EQ(lines[5], "AA:BB");
}

TEST(VirtualReaderIdentity, WrongModelShowsInComposedAndConfiguredDeviceTypes) {
  ReaderConfig config;
  config.faults.wrong_model = true;
  VirtualReader composed(config);
  EXPECT_EQ(SplitLines(composed.Feed("#@SYS_INFO?\r"))[1].substr(7, 4), kWrongModelCode);

  config.device_type = "ABCDEFGK472xyz";
  VirtualReader configured(config);
  EXPECT_EQ(SplitLines(configured.Feed("#@SYS_INFO?\r"))[1], "ABCDEFGK480xyz");
}

TEST(VirtualReaderDownload, CommitGoesToTheImageTheSettingsTypeNames) {
  const SettingsImage fresh = Pattern(1), sent = Pattern(77);
  struct Case {
    const char* type_command;  // nullptr: download type 0
    bool current_changes;
    bool user_changes;
  };
  for (Case c : {Case{nullptr, true, false}, Case{"WRITE_U\r", false, true},
                 Case{"WRITE_B\r", true, true}}) {
    SCOPED_TRACE(c.type_command ? c.type_command : "type 0");
    ReaderConfig config;
    config.current_image = config.user_image = fresh;
    VirtualReader reader(config);
    EXPECT_EQ(reader.Feed("#@402718\r"), "");
    EXPECT_TRUE(reader.service_mode());
    if (c.type_command) {
      EXPECT_EQ(reader.Feed(c.type_command), "OK\r");
    }
    EXPECT_EQ(Download(reader, sent), Repeat("ACK\r", kBlockCount));
    EXPECT_EQ(reader.current_image(), fresh) << "nothing may change before UPDATE";
    EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
    EXPECT_EQ(reader.current_image(), c.current_changes ? sent : fresh);
    EXPECT_EQ(reader.user_image(), c.user_changes ? sent : fresh);
    EXPECT_EQ(reader.commits(), 1);
  }
}

TEST(VirtualReaderDownload, OnlyReceivedBlocksCommitAndAbortsDropThePending) {
  const SettingsImage fresh = Pattern(1), sent = Pattern(77);
  ReaderConfig config;
  config.current_image = fresh;
  VirtualReader reader(config);

  // Lower-case digits are taken like upper-case ones.
  std::string line = BlockLine(sent, 39);
  for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(reader.Feed(line), "ACK\r");
  EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
  SettingsImage expected = fresh;
  for (std::size_t i = 624; i < 640; ++i) expected.SetByte(i, sent.Byte(i));
  EXPECT_EQ(reader.current_image(), expected);

  // EXIT, and the service-mode command of a new attempt, drop what came before.
  for (const char* abort : {"EXIT\r", "#@402718\r"}) {
    reader.Feed(BlockLine(sent, 0));
    EXPECT_EQ(reader.Feed(abort), "");
    EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
    EXPECT_EQ(reader.current_image(), expected) << abort;
  }
  EXPECT_EQ(reader.commits(), 1);

  // WRITE_U lasts until UPDATE: the next download goes to the current image again.
  reader.Feed("WRITE_U\r");
  reader.Feed("UPDATE\r");
  reader.Feed(BlockLine(sent, 0));
  reader.Feed("UPDATE\r");
  EXPECT_EQ(Hex(reader.current_image(), 0), Hex(sent, 0));
}

TEST(VirtualReaderDownload, MalformedBlockLinesAreRefused) {
  VirtualReader reader;
  const SettingsImage before = reader.current_image();
  const std::string digits(32, 'A');
  EXPECT_EQ(reader.Feed("0280"
                        "10" +
                        digits + "\r"),
            "NAK\r");  // past the image
  EXPECT_EQ(reader.Feed("0008"
                        "10" +
                        digits + "\r"),
            "NAK\r");  // not a block border
  EXPECT_EQ(reader.Feed("0000"
                        "0F" +
                        digits + "\r"),
            "NAK\r");  // byte count not 16
  EXPECT_EQ(reader.Feed("0000"
                        "10" +
                        std::string(31, 'A') + "G\r"),
            "NAK\r");
  EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
  EXPECT_EQ(reader.current_image(), before);
}

TEST(VirtualReaderReadBack, RequestsReturnTheImageAsUpperCaseHex) {
  ReaderConfig config;
  config.current_image = Pattern(3);
  config.user_image = Pattern(200);
  VirtualReader reader(config);
  std::string all;
  for (int k = 0; k < kBlockCount; ++k) {
    std::string reply = reader.Feed(Request(k));
    ASSERT_EQ(reply.size(), 33u);
    all += reply.substr(0, 32);
  }
  std::string expected;
  for (int k = 0; k < kBlockCount; ++k) expected += Hex(config.current_image, k);
  EXPECT_EQ(all, expected);

  // READ_U switches to the user-defined image until UPDATE ends the read.
  EXPECT_EQ(reader.Feed("READ_U\r"), "OK\r");
  EXPECT_EQ(reader.Feed(Request(5)), Hex(config.user_image, 5) + "\r");
  EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
  EXPECT_EQ(reader.Feed(Request(5)), Hex(config.current_image, 5) + "\r");
  EXPECT_EQ(reader.commits(), 0) << "a read-back's UPDATE commits nothing";

  EXPECT_EQ(reader.Feed("R028010\r"), "NAK\r");
  EXPECT_EQ(reader.Feed("R000020\r"), "NAK\r");
}

TEST(VirtualReaderReadBack, DefaultImageIsTheFactoryImageWithItsChecksum) {
  VirtualReader reader;
  const SettingsImage& image = reader.current_image();
  unsigned sum = 0;
  for (std::size_t i = 0; i < kChecksumOffset; ++i) sum += image.Byte(i);
  EXPECT_EQ(image.Byte(638), sum & 0xFF);
  EXPECT_EQ(image.Byte(639), static_cast<std::uint8_t>(~sum & 0xFF));
  EXPECT_EQ(reader.user_image(), image);
}

TEST(VirtualReaderFaults, NaksBeforeTheGoodReply) {
  ReaderConfig config;
  config.faults.naks_per_request = 3;
  config.faults.naks_per_line = 2;
  VirtualReader reader(config);
  for (int round = 0; round < 2; ++round) {  // the count starts again for the next request
    for (int i = 0; i < 3; ++i) EXPECT_EQ(reader.Feed(Request(round)), "NAK\r");
    EXPECT_EQ(reader.Feed(Request(round)), Hex(reader.current_image(), round) + "\r");
  }
  const SettingsImage sent = Pattern(9);
  EXPECT_EQ(reader.Feed(BlockLine(sent, 1)), "NAK\r");
  EXPECT_EQ(reader.Feed(BlockLine(sent, 1)), "NAK\r");
  EXPECT_EQ(reader.Feed(BlockLine(sent, 1)), "ACK\r");
  EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
  EXPECT_EQ(Hex(reader.current_image(), 1), Hex(sent, 1));
}

TEST(VirtualReaderFaults, UnacknowledgedLinesAndUpdateCommitNothing) {
  const SettingsImage sent = Pattern(9);
  for (bool lines : {true, false}) {
    ReaderConfig config;
    config.faults.no_ack_lines = lines;
    config.faults.no_ack_update = !lines;
    VirtualReader reader(config);
    const SettingsImage before = reader.current_image();
    EXPECT_EQ(Download(reader, sent), Repeat(lines ? "NAK\r" : "ACK\r", kBlockCount));
    EXPECT_EQ(reader.Feed("UPDATE\r"), lines ? "ACK\r" : "NAK\r");
    EXPECT_EQ(reader.current_image(), before);
    EXPECT_EQ(reader.commits(), 0);
  }
}

TEST(VirtualReaderFaults, GarbageAndNonHexCorruptReplies) {
  ReaderConfig config;
  config.faults.garbage = true;
  VirtualReader garbled(config);
  EXPECT_EQ(garbled.Feed("READ_U\r"), std::string(kGarbage) + "OK\r");
  auto lines = SplitLines(garbled.Feed("#@SYS_INFO?\r"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_NE(lines[1].substr(7, 4), "K471") << "the model code must move";

  config = {};
  config.faults.non_hex_blocks = true;
  VirtualReader non_hex(config);
  std::string reply = non_hex.Feed(Request(0));
  ASSERT_EQ(reply.size(), 33u);
  EXPECT_EQ(reply.front(), 'G');
  EXPECT_EQ(reply[31], 'G');
  EXPECT_EQ(reply.substr(1, 30), Hex(non_hex.current_image(), 0).substr(1, 30));
}

TEST(VirtualReaderFaults, SilentReadersHearButNeverAnswer) {
  ReaderConfig config;
  config.faults.silent = true;
  VirtualReader silent(config);
  EXPECT_EQ(silent.Feed("#@SYS_INFO?\r"
                        "1234\r" +
                        BlockLine(Pattern(5), 0) + "UPDATE\r"),
            "");
  EXPECT_EQ(silent.received_lines().size(), 4u);
  EXPECT_EQ(silent.pin_code(), "0000");
  EXPECT_EQ(silent.commits(), 0);

  // Silence from the 20th block message on: a read-back fails at its 20th block
  // and nothing is answered afterwards.
  config = {};
  config.faults.silent_from_block = 20;
  VirtualReader fails(config);
  for (int k = 0; k < 19; ++k) ASSERT_EQ(fails.Feed(Request(k)).size(), 33u) << k;
  EXPECT_EQ(fails.Feed(Request(19)), "");
  EXPECT_EQ(fails.Feed("EXIT\r#@SYS_INFO?\r"), "");
}

TEST(VirtualReaderFaults, VanishedReaderTakesNothingIn) {
  ReaderConfig config;
  config.faults.vanish_after_blocks = 2;
  VirtualReader reader(config);
  EXPECT_EQ(reader.Feed(Request(0)).size(), 33u);
  EXPECT_FALSE(reader.vanished());
  // The second block is answered, then the reader is gone, even mid-write.
  EXPECT_EQ(reader.Feed(Request(1) + "#@SYS_INFO?\r"), Hex(reader.current_image(), 1) + "\r");
  EXPECT_TRUE(reader.vanished());
  EXPECT_EQ(reader.Feed("#@SYS_INFO?\r"), "");
  EXPECT_EQ(reader.received_lines().size(), 2u);
}

TEST(VirtualReaderService, BatteryMemoryAndUpload) {
  ReaderConfig config;
  config.memorized_data = MakeMemorizedData(100);  // 2600 bytes: 3 KB in use
  config.upload_chunk = 1000;
  config.upload_gap = std::chrono::milliseconds(7);
  VirtualReader reader(config);
  EXPECT_EQ(reader.Feed("#@SYS_BATTERY?\r"), "OK 3.95V\r");
  EXPECT_EQ(reader.Feed("#@SYS_MEMSIZE?\r"), "OK:2045\r");

  auto pieces = reader.Respond("#@SYS_MEMUP\r");
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].pause_before.count(), 0);
  EXPECT_EQ(pieces[1].pause_before.count(), 7);
  EXPECT_EQ(pieces[0].bytes.size(), 1000u);
  EXPECT_TRUE(pieces[2].bytes.ends_with("\r\nOK\r")) << "OK closes the last piece";
  EXPECT_EQ(pieces[0].bytes + pieces[1].bytes + pieces[2].bytes, config.memorized_data + "OK\r");

  EXPECT_EQ(reader.Feed("#@SYS_MEMCLR\r"), "OK\r");
  EXPECT_EQ(reader.Feed("#@SYS_MEMSIZE?\r"), "OK:2048\r");
  EXPECT_EQ(reader.Feed("#@SYS_MEMUP\r"), "OK\r");
}

TEST(VirtualReaderService, ClockCommandMustBeWellFormed) {
  VirtualReader reader;
  EXPECT_EQ(reader.Feed("#@SYS_TIME=12,08,28,05,26,11\r"), "OK\r");
  EXPECT_EQ(reader.clock(), (ReaderTime{2012, 8, 28, 5, 26, 11}));
  EXPECT_EQ(reader.Feed("#@SYS_TIME=24,02,29,23,59,59\r"), "OK\r");  // leap day

  for (const char* bad : {"#@SYS_TIME=23,02,29,00,00,00\r", "#@SYS_TIME=12,13,01,00,00,00\r",
                          "#@SYS_TIME=12,08,28,24,00,00\r", "#@SYS_TIME=12,08,28,05,60,11\r",
                          "#@SYS_TIME=12,08,28;05,26,11\r", "#@SYS_TIME=12,8,28,05,26,11\r",
                          "#@SYS_TIME=12,08,28,05,26,1x\r", "#@SYS_TIME=12,08,28,05,26,110\r"}) {
    EXPECT_EQ(reader.Feed(bad), "ERR\r") << bad;
  }
  EXPECT_EQ(reader.clock(), (ReaderTime{2024, 2, 29, 23, 59, 59}));
}

TEST(VirtualReaderLines, PinCodesAndLinesThatAreNeitherCommandNorPin) {
  VirtualReader reader;
  EXPECT_EQ(reader.Feed("1234567890ABCDEF\r"), "");
  EXPECT_EQ(reader.pin_code(), "1234567890ABCDEF");
  EXPECT_EQ(reader.Feed("12 4\r"), "");
  EXPECT_EQ(reader.pin_code(), "12 4");

  EXPECT_EQ(reader.Feed("1234567890ABCDEFG\r"), "ERR\r");  // 17 characters
  EXPECT_EQ(reader.Feed("#@SYS_NOPE\r"), "ERR\r");
  EXPECT_EQ(reader.Feed("read_u\r"), "") << "commands are case-sensitive: a PIN";
  EXPECT_EQ(reader.Feed("ab\x01"
                        "c\r"),
            "ERR\r");
  EXPECT_EQ(reader.Feed("\r"), "");
  EXPECT_EQ(reader.pin_code(), "read_u");
}

TEST(VirtualReaderLines, LinesAreAssembledAcrossWritesAndRecordedWithTheirCr) {
  VirtualReader reader;
  EXPECT_EQ(reader.Feed("#@SYS_BAT"), "");
  EXPECT_EQ(reader.partial_line_size(), 9u);
  EXPECT_EQ(reader.Feed("TERY?\rREAD_U\r#@SYS_"), "OK 3.95V\rOK\r");
  reader.HostClosed();  // the host's next line starts afresh
  EXPECT_EQ(reader.Feed("#@SYS_MEMCLR\r"), "OK\r");
  // A host that ends lines with CR LF is understood too.
  EXPECT_EQ(reader.Feed("READ_U\r\n#@SYS_MEMCLR\r\n"), "OK\rOK\r");

  const std::vector<std::string> expected = {"#@SYS_BATTERY?\r", "READ_U\r", "#@SYS_MEMCLR\r",
                                             "READ_U\r", "\n#@SYS_MEMCLR\r"};
  EXPECT_EQ(reader.received_lines(), expected);

  // An endless line is cut, never grows without bound.
  reader.Feed(std::string(5 * kMaxLineLength, 'x'));
  EXPECT_EQ(reader.partial_line_size(), kMaxLineLength);
  EXPECT_EQ(reader.Feed("\r"), "ERR\r");
}

}  // namespace
}  // namespace k470::sim
