#include "cli/output_pattern.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace k470::cli
