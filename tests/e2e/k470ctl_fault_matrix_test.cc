// Every faulty reader behaviour against every kind of operation, as one
// table: the outcome each must have, the settings image or file untouched on a
// failure, the port free again at once, and a failure always reported as one
// that says why.
// A read ends with UPDATE as well, so an unacknowledged UPDATE, or a reader
// gone after the last block, fails it: the file is then left as it was.
// Each row runs on one reader, and on two at once, a healthy one beside the
// faulty one: the healthy reader's line says what the operation did, the
// faulty reader's line and the summary what became of it, and the run exits
// with the faulty reader's code.
#include <fcntl.h>

#include <sstream>
#include <tuple>

#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

enum Op { kRead, kDownload, kUpload, kPin, kBattery, kMemsize, kMemclear, kClock, kOps };

struct Operation {
  const char* name;
  const char* healthy_text;  // how a healthy reader's line begins its text
};

constexpr Operation kOperations[kOps] = {
    {"read", "settings written to "},
    {"download", "Downloaded completely!"},
    {"upload", "Uploading the Memorized Data Successful! ("},
    {"pin", "PIN code sent"},
    {"battery", "The Battery Voltage is: 3.95V"},
    {"memsize", "The Free Memory Size is: "},
    {"memclear", "Clear Memory Successful!"},
    {"clock", "clock set: 24,05,06,07,08,09"},
};

struct FaultRow {
  const char* name;
  std::vector<std::string> sim_options;
  int expected[kOps];      // exit code of each operation, in the order of Op
  std::string cause = "";  // what a failure says, in part
};

constexpr int O = kOk, R = kReaderError;

// clang-format off
const FaultRow kRows[] = {
    // fault                  k470sim options                          read download upload pin battery memsize memclear clock
    {"silent",               {"--silent"},                           {R, R, R, R, R, R, R, R},
                             "(no reply within 2000 ms)"},
    {"wrong_model",          {"--wrong-model"},                      {R, R, R, R, R, R, R, R},
                             "Device type is not match!"},
    {"nak_x3",               {"--naks", "3", "--line-naks", "3"},    {O, O, O, O, O, O, O, O}},
    {"nak_x4",               {"--naks", "4", "--line-naks", "4"},    {R, R, O, O, O, O, O, O},
                             "(block 0 at 0000: the reader "},
    {"unacknowledged_lines", {"--no-ack"},                           {O, R, O, O, O, O, O, O},
                             "(block 0 at 0000: the reader did not acknowledge the line 4 times)"},
    {"garbage",              {"--garbage"},                          {R, R, R, R, R, R, R, R},
                             "Device type is not match!"},
    {"non_hex_blocks",       {"--non-hex"},                          {R, O, O, O, O, O, O, O},
                             "Failed to read! (block 0 at 0000: a reply with characters that are not hex digits)"},
    {"unacknowledged_update",{"--no-ack-update"},                    {R, R, O, O, O, O, O, O},
                             "(UPDATE: the reader did not acknowledge the line 4 times)"},
    {"vanish_at_block_0",    {"--vanish-after", "1"},                {R, R, O, O, O, O, O, O},
                             "the reader was disconnected)"},
    {"vanish_at_block_20",   {"--vanish-after", "21"},               {R, R, O, O, O, O, O, O},
                             "the reader was disconnected)"},
    {"vanish_at_block_39",   {"--vanish-after", "40"},               {R, R, O, O, O, O, O, O},
                             "the reader was disconnected)"},
    {"vanish_in_upload",     {"--vanish-in-upload"},                 {O, O, R, O, O, O, O, O},
                             "Uploading the Memorized Data Failed! (the reader was disconnected)"},
    {"paced_600_baud",       {"--baud", "600", "--pace-chunk", "8"}, {O, O, O, O, O, O, O, O}},
    {"paced_115200_baud",    {"--baud", "115200"},                   {O, O, O, O, O, O, O, O}},
    {"endless_stream",       {"--endless"},                          {R, R, R, R, R, R, R, R},
                             "(an identity reply that never ended)"},
};
// clang-format on

// ctest lists each row by its fault.
void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }

// The port a finished k470ctl leaves behind opens again at once.
bool OpensAgain(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// A row, and how many readers it runs on: one with the fault, or two with
// the fault on the second.
class FaultMatrix : public K470ctlWithSim,
                    public ::testing::WithParamInterface<std::tuple<FaultRow, int>> {
 protected:
  // The line of a run on several readers for `port`: serial, result, text.
  std::vector<std::string> LineOf(const std::string& port) const {
    std::istringstream lines(out_);
    for (std::string line; std::getline(lines, line);) {
      if (!line.starts_with(port + "\t")) continue;
      std::vector<std::string> fields;
      std::istringstream parts(line.substr(port.size() + 1));
      for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
      return fields;
    }
    return {};
  }
};

TEST_P(FaultMatrix, EveryOperationMeetsItsOutcome) {
  const auto& [row, readers] = GetParam();
  const std::string current = Path("current.K470"), out = Path("out.K470"),
                    sent = Path("sent.K470"), tags = Path("tags.txt");
  WriteFile(sent, Image(4, true));
  // Files of their own on several readers: --output-pattern, as k470sim names its images.
  const std::string each = readers == 1 ? "-o" : "--output-pattern",
                    of_each = readers == 1 ? "" : "-{index}";
  for (int op = 0; op < kOps; ++op) {
    SCOPED_TRACE(std::string(row.name) + " x " + kOperations[op].name);
    for (int k = 1; k <= readers; ++k) {
      WriteFile(Nth(current, k, readers), Image(3, true));
      WriteFile(Nth(out, k, readers), "old settings");
      WriteFile(Nth(tags, k, readers), "old tags");
    }
    std::vector<std::string> options = row.sim_options;
    options.insert(options.end(), {"--image", current, "--memory-lines", "4"});
    if (readers > 1) options.insert(options.end(), {"--faulty", std::to_string(readers)});
    ASSERT_NO_FATAL_FAILURE(StartSim(options, readers));

    const std::vector<std::string> args[kOps] = {{"read", each, out + of_each},
                                                 {"download", sent, "--clock", "skip"},
                                                 {"upload", each, tags + of_each},
                                                 {"pin", "4321"},
                                                 {"battery"},
                                                 {"memsize"},
                                                 {"memclear"},
                                                 {"clock", "--time", "2024-05-06 07:08:09"}};
    std::vector<std::string> command;
    for (int k = 1; k <= readers; ++k)
      command.insert(command.end(), {"--port", Nth(reader_, k, readers)});
    command.insert(command.end(), args[op].begin(), args[op].end());
    const int code = Ctl(command, false);
    EXPECT_EQ(code, row.expected[op]) << err_ << out_;
    for (int k = 1; k <= readers; ++k) {
      // A reader that vanished took its port with it; every other port is free.
      const std::string port = Nth(reader_, k, readers);
      EXPECT_TRUE(!fs::exists(port) || OpensAgain(port)) << port << " stays held";
    }
    StopSim();

    for (int k = 1; k <= readers; ++k) {
      SCOPED_TRACE("reader " + std::to_string(k));
      if (k == readers && code != kOk) {
        EXPECT_EQ(ReadFile(Nth(out, k, readers)), "old settings");
        EXPECT_EQ(ReadFile(Nth(tags, k, readers)), "old tags");
        EXPECT_EQ(ReadFile(Nth(current, k, readers)), Image(3, true))
            << "the reader's image changed";
      } else if (op == kRead) {
        EXPECT_EQ(ReadFile(Nth(out, k, readers)), Image(3, true));
      } else if (op == kDownload) {
        EXPECT_EQ(ReadFile(Nth(current, k, readers)), Image(4, true));
      } else if (op == kUpload) {
        EXPECT_NE(ReadFile(Nth(tags, k, readers)), "old tags");
      }
    }
    if (readers == 1) {
      EXPECT_TRUE(code == kOk || (err_.starts_with("k470ctl: ") && Has(err_, row.cause)))
          << "a failure says why: " << err_;
      continue;
    }
    const auto healthy = LineOf(Nth(reader_, 1, readers));
    const auto faulty = LineOf(Nth(reader_, 2, readers));
    ASSERT_EQ(healthy.size(), 3u) << out_;
    ASSERT_EQ(faulty.size(), 3u) << out_;
    EXPECT_EQ(healthy[1], "ok") << out_;
    EXPECT_TRUE(healthy[2].starts_with(kOperations[op].healthy_text)) << out_;
    EXPECT_EQ(faulty[1], code == kOk ? "ok" : "failed") << out_;
    EXPECT_FALSE(faulty[2].empty() || faulty[2].ends_with("()")) << "a failure says why: " << out_;
    EXPECT_TRUE(code == kOk || Has(faulty[2], row.cause)) << out_;
    EXPECT_TRUE(out_.ends_with(code == kOk
                                   ? "summary: 2 readers, 2 ok\n"
                                   : "summary: 2 readers, 1 ok, 1 failed (" +
                                         Nth(reader_, 2, readers) + ": " + faulty[2] + ")\n"))
        << out_;
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kRows), ::testing::Values(1, 2)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == 1 ? "_on_one_reader"
                                                                : "_beside_a_healthy_one");
                         });

}  // namespace
}  // namespace k470::e2e
