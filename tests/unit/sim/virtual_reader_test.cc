// What the end-to-end suites do not reach: partial and aborted downloads,
// malformed block messages, the clock's checks,
// how lines are told apart and assembled, k470sim's help and options and the
// numbering of its readers.
#include "sim/virtual_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/version.h"
#include "sim/program_options.h"
#include "sim/reader_numbering.h"

namespace k470::sim {
namespace {

// Two blocks' worth of digits, all hex digits in both places.
const std::string kDigits = "0123456789ABCDEFFEDCBA9876543210";
const std::string kOther = "F00DCAFE0123456789ABCDEF5A5AA5A5";

std::string Hex(const SettingsImage& image, int block) {
  std::string digits;
  char two[3];
  for (int i = block * 16; i < block * 16 + 16; ++i) {
    std::snprintf(two, sizeof two, "%02X", image.Byte(static_cast<std::size_t>(i)));
    digits += two;
  }
  return digits;
}

std::string BlockLine(int block, const std::string& digits) {
  char address[8];
  std::snprintf(address, sizeof address, "%04X10", block * 16);
  return address + digits + "\r";
}

TEST(VirtualReaderDownload, OnlyReceivedBlocksCommitAndAbortsDropThePending) {
  VirtualReader reader;
  const SettingsImage fresh = reader.current_image();
  EXPECT_EQ(reader.Feed(BlockLine(39, "0123456789abcdeffedcba9876543210")), "ACK\r")
      << "lower-case digits are taken too";
  EXPECT_EQ(reader.current_image(), fresh) << "nothing may change before UPDATE";
  EXPECT_EQ(reader.Feed("UPDATE\r"), "ACK\r");
  EXPECT_EQ(Hex(reader.current_image(), 39), kDigits);
  EXPECT_EQ(Hex(reader.current_image(), 38), Hex(fresh, 38));

  // EXIT and the service-mode command of a new attempt drop the pending
  // download; malformed block messages never join it.
  for (const std::string& abort : {std::string("EXIT"), std::string("#@402718")}) {
    EXPECT_EQ(reader.Feed(BlockLine(0, kDigits) + abort + "\rUPDATE\r"), "ACK\rACK\r");
    EXPECT_EQ(Hex(reader.current_image(), 0), Hex(fresh, 0)) << abort;
  }
  const std::string digits(32, 'A');
  for (const std::string& bad :
       {"028010" + digits,  // past the image
        "000810" + digits,  // not a block border
        "00000F" + digits,  // byte count not 16
        "000010" + digits.substr(1) + "G", std::string("R028010"), std::string("R000020")}) {
    EXPECT_EQ(reader.Feed(bad + "\r"), "NAK\r") << bad;
  }
  // WRITE_U lasts until UPDATE: the next download goes to the current image again.
  EXPECT_EQ(reader.Feed("UPDATE\rWRITE_U\rUPDATE\r" + BlockLine(1, kOther) + "UPDATE\r"),
            "ACK\rOK\rACK\rACK\rACK\r");
  EXPECT_EQ(Hex(reader.current_image(), 0), Hex(fresh, 0));
  EXPECT_EQ(Hex(reader.current_image(), 1), kOther);
  EXPECT_EQ(reader.user_image(), fresh);
  EXPECT_EQ(reader.commits(), 2);
}

TEST(VirtualReaderLines, PinCodesClockAndLineEndings) {
  VirtualReader reader;
  EXPECT_EQ(reader.Feed("1234567890ABCDEF\r"), "");
  EXPECT_EQ(reader.Feed("read_u\r"), "") << "commands are case-sensitive: a PIN";
  EXPECT_EQ(reader.pin_code(), "read_u");
  // 17 characters, a control character, an unknown command; an empty line is ignored.
  EXPECT_EQ(reader.Feed("1234567890ABCDEFG\rab\x01"
                        "c\r#@SYS_NOPE\r\r"),
            "ERR\rERR\rERR\r");
  EXPECT_EQ(reader.Feed("#@SYS_TIME=24,02,29,23,59,59\r"), "OK\r");  // leap day
  for (const char* bad : {"23,02,29,00,00,00", "12,08,28,24,00,00", "12,08,28;05,26,11"}) {
    EXPECT_EQ(reader.Feed("#@SYS_TIME=" + std::string(bad) + "\r"), "ERR\r") << bad;
  }
  EXPECT_EQ(reader.clock(), (ReaderTime{2024, 2, 29, 23, 59, 59}));

  // A host that ends lines with CR LF is understood too.
  EXPECT_EQ(reader.Feed("#@SYS_MEMCLR\r\nREAD_U\r\n"), "OK\rOK\r");
  // An endless line is cut, never grows without bound.
  reader.Feed(std::string(5 * kMaxLineLength, 'x'));
  EXPECT_EQ(reader.partial_line_size(), kMaxLineLength);
  EXPECT_EQ(reader.Feed("\r"), "ERR\r");
}

TEST(ProgramOptions, HelpAndVersionAnswerAndBadInputIsRefused) {
  std::ostringstream out, err;
  auto parse = [&](std::vector<const char*> args) {
    ProgramOptions options;
    args.insert(args.begin(), "k470sim");
    return ParseProgramOptions(static_cast<int>(args.size()), args.data(), options, out, err);
  };
  EXPECT_EQ(parse({"--help"}), 0);
  EXPECT_NE(out.str().find("--vanish-after"), std::string::npos);
  for (const char* bad : {"--naks=-1", "--vanish-after=0", "--nonsense", "--baud=fast",
                          "--memory-data=/nonexistent/file"}) {
    EXPECT_EQ(parse({bad}), 2) << bad;  // a usage error, as k470ctl's
  }
  EXPECT_EQ(parse({"--count=2", "--faulty=3"}), 2);  // no reader 3 to be faulty
  EXPECT_EQ(parse({"--count=0"}), 2);
  out.str("");
  EXPECT_EQ(parse({"--version"}), 0);
  EXPECT_EQ(out.str(), std::string("k470sim ") + kProgramVersion + "\n");
}

// The readers of one k470sim --count run tell themselves apart the way a
// batch from the factory does.
TEST(ReaderNumbering, SerialNumbersAndMacIdsCountOnInTheirOwnShape) {
  EXPECT_EQ(NthSerialNumber("K471-000123", 1), "K471-000123");
  EXPECT_EQ(NthSerialNumber("K471-000199", 3), "K471-000201");
  EXPECT_EQ(NthSerialNumber("SN-99", 2), "SN-100");  // grows rather than wraps into a twin
  EXPECT_EQ(NthSerialNumber("ABC", 1), "ABC");
  EXPECT_EQ(NthSerialNumber("ABC", 2), "ABC-2");

  EXPECT_EQ(NthBtMacId("00:1B:DC:0F:47:10", 2), "00:1B:DC:0F:47:11");
  EXPECT_EQ(NthBtMacId("00:1b:dc:0f:47:ff", 2),
            "00:1B:DC:0F:48:00");  // carries into the next octet
  EXPECT_EQ(NthBtMacId("FF:FF:FF:FF:FF:FF", 2), "00:00:00:00:00:00");
  EXPECT_EQ(NthBtMacId("none", 3), "none-3");

  EXPECT_EQ(NthPath("/tmp/r", 1, 1), "/tmp/r");
  EXPECT_EQ(NthPath("/tmp/r", 1, 4), "/tmp/r-1");
  EXPECT_EQ(NthPath("", 2, 4), "");
}

}  // namespace
}  // namespace k470::sim
