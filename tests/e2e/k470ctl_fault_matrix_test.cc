// Every faulty reader behaviour against every kind of operation, as one
// table: the outcome each must have, the settings image or file untouched on a
// failure, the port free again at once, and a failure always reported as one.
// A read ends with UPDATE as well, so an unacknowledged UPDATE, or a reader
// gone after the last block, fails it: the file is then left as it was.
#include <fcntl.h>

#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

enum Op { kRead, kDownload, kUpload, kPin, kQuery, kOps };
constexpr const char* kOpNames[kOps] = {"read", "download", "upload", "pin", "battery"};

struct FaultRow {
  const char* name;
  std::vector<std::string> sim_options;
  int expected[kOps];  // exit code of read, download, upload, pin, battery
};

constexpr int O = kOk, R = kReaderError;

// clang-format off
const FaultRow kRows[] = {
    // fault                  k470sim options                           read download upload pin battery
    {"silent",               {"--silent"},                                {R, R, R, R, R}},
    {"wrong_model",          {"--wrong-model"},                           {R, R, R, R, R}},
    {"nak_x3",               {"--naks", "3", "--line-naks", "3"},         {O, O, O, O, O}},
    {"nak_x4",               {"--naks", "4", "--line-naks", "4"},         {R, R, O, O, O}},
    {"unacknowledged_lines", {"--no-ack"},                                {O, R, O, O, O}},
    {"garbage",              {"--garbage"},                               {R, R, R, R, R}},
    {"non_hex_blocks",       {"--non-hex"},                               {R, O, O, O, O}},
    {"unacknowledged_update",{"--no-ack-update"},                         {R, R, O, O, O}},
    {"vanish_at_block_0",    {"--vanish-after", "1"},                     {R, R, O, O, O}},
    {"vanish_at_block_20",   {"--vanish-after", "21"},                    {R, R, O, O, O}},
    {"vanish_at_block_39",   {"--vanish-after", "40"},                    {R, R, O, O, O}},
    {"vanish_in_upload",     {"--vanish-in-upload"},                      {O, O, R, O, O}},
    {"paced_600_baud",       {"--baud", "600", "--pace-chunk", "8"},      {O, O, O, O, O}},
    {"paced_115200_baud",    {"--baud", "115200"},                        {O, O, O, O, O}},
    {"endless_stream",       {"--endless"},                               {R, R, R, R, R}},
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

class FaultMatrix : public K470ctlWithSim, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(FaultMatrix, EveryOperationMeetsItsOutcome) {
  const FaultRow& row = GetParam();
  const std::string current = Path("current.K470"), out = Path("out.K470"),
                    sent = Path("sent.K470"), tags = Path("tags.txt");
  WriteFile(sent, Image(4, true));
  for (int op = 0; op < kOps; ++op) {
    SCOPED_TRACE(std::string(row.name) + " x " + kOpNames[op]);
    WriteFile(current, Image(3, true));
    WriteFile(out, "old settings");
    WriteFile(tags, "old tags");
    std::vector<std::string> options = row.sim_options;
    options.insert(options.end(), {"--image", current, "--memory-lines", "4"});
    ASSERT_NO_FATAL_FAILURE(StartSim(options));

    const std::vector<std::string> args[kOps] = {{"read", "-o", out},
                                                 {"download", sent, "--clock", "skip"},
                                                 {"upload", "-o", tags},
                                                 {"pin", "4321"},
                                                 {"battery"}};
    const int code = Ctl(args[op]);
    EXPECT_EQ(code, row.expected[op]) << err_;
    const bool sim_alive = ::waitpid(sim_, nullptr, WNOHANG) == 0;
    if (sim_alive) {
      EXPECT_TRUE(OpensAgain(reader_)) << "the port stays held";
    }
    StopSim();

    if (code != kOk) {
      EXPECT_TRUE(err_.starts_with("k470ctl: ")) << "a failure says so: " << err_;
      EXPECT_EQ(ReadFile(out), "old settings");
      EXPECT_EQ(ReadFile(tags), "old tags");
      EXPECT_EQ(ReadFile(current), Image(3, true)) << "the reader's image changed";
    } else if (op == kRead) {
      EXPECT_EQ(ReadFile(out), Image(3, true));
    } else if (op == kDownload) {
      EXPECT_EQ(ReadFile(current), Image(4, true));
    } else if (op == kUpload) {
      EXPECT_NE(ReadFile(tags), "old tags");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace k470::e2e
