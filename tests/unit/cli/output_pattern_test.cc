// The files and outcomes of a run on several readers.
#include "cli/output_pattern.h"

#include <gtest/gtest.h>

#include "cli/reader_outcome.h"

namespace k470::cli {
namespace {

TEST(FileClaimsTest, TwoSpellingsOfOneFileAreOneClaim) {
  FileClaims claims;
  EXPECT_TRUE(claims.Claim("r-A.K470"));
  std::string clash;
  EXPECT_FALSE(claims.Claim("./r-A.K470", &clash));
  EXPECT_EQ(clash, "./r-A.K470");
  // Without partial files (read), A.partial is a file like any other.
  EXPECT_TRUE(claims.Claim("r-A.K470.partial"));
}

TEST(FileClaimsTest, AnUploadsPartialFileIsNoOtherReadersFile) {
  // Reader "A" fails and keeps its bytes in A.partial; a reader whose serial
  // number is "A.partial" must not write there, whichever answers first.
  FileClaims claims(true);
  EXPECT_TRUE(claims.Claim("A"));
  std::string clash;
  EXPECT_FALSE(claims.Claim("A.partial", &clash));
  EXPECT_EQ(clash, "A.partial");

  FileClaims other_order(true);
  EXPECT_TRUE(other_order.Claim("A.partial"));
  EXPECT_FALSE(other_order.Claim("A", &clash));
  EXPECT_EQ(clash, "A.partial");
  EXPECT_TRUE(other_order.Claim("B"));
}

TEST(OutputPatternTest, APatternThatGivesOneReadersFileAnothersPartialIsRefusedForUpload) {
  const std::vector<std::string> ports = {"/x/A", "/y/A.partial"};
  EXPECT_EQ(OutputPattern("{port}").Problem(ports), std::nullopt);
  const auto problem = OutputPattern("{port}", true).Problem(ports);
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("gives two readers the file A.partial"), std::string::npos) << *problem;
  EXPECT_EQ(OutputPattern("{port}-{index}", true).Problem(ports), std::nullopt);
}

// A reader's port that cannot be opened again (upload, PIN code) is named
// when the port itself gives no cause, never left as "()".
TEST(ReaderOutcomeTest, APortThatCannotBeOpenedAgainSaysWhyElseNamesThePort) {
  EXPECT_EQ(
      ReaderOutcome::PortNotOpened("/dev/ttyACM0", "/dev/ttyACM0: in use by another program").text,
      "Can't open the COM port! (/dev/ttyACM0: in use by another program)");
  const ReaderOutcome unexplained = ReaderOutcome::PortNotOpened("/dev/ttyACM0", "");
  EXPECT_EQ(unexplained.text, "Can't open the COM port! (/dev/ttyACM0)");
  EXPECT_EQ(unexplained.result, "failed");
  EXPECT_EQ(unexplained.code, kExitPort);
}

}  // namespace
}  // namespace k470::cli
