// k470ctl's settings as data, end to end: show, export, import and diff on
// files and against the virtual reader. What they refuse is the refusal
// table's (k470ctl_faults_test.cc).
#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

using Json = nlohmann::json;

// Texts print so that no two look the same: an empty text and two quote
// characters, a BEL and the four characters \x07; a terminal gets the escape
// sequences of a file as text, not as commands.
TEST_F(K470ctlWithSim, ExportImportShowAndDiffWorkOnSettingsFiles) {
  const std::string a = Path("a.K470"), b = Path("b.K470"), json = Path("a.json");
  ASSERT_EQ(Ctl({"new", "-o", a}, false), kOk) << err_;
  ASSERT_EQ(Ctl({"export", a, "-o", json}, false), kOk) << err_;

  Json edited = Json::parse(ReadFile(json));
  edited["system"]["volume"] = "Low";
  edited["epc_tag"]["delimiter"] = ",";
  Json& strings = edited["system"]["event_strings"];
  strings["string_3"]["text"] = "\"\"";   // two quote characters
  strings["string_4"]["text"] = "\\x07";  // typed: backslash x 0 7
  strings["string_5"]["text"] = "\x07";   // a BEL
  strings["string_6"]["text"] = "a\t\x1b[2J\u009b";
  WriteFile(Path("b.json"), edited.dump());
  ASSERT_EQ(Ctl({"import", Path("b.json"), "-o", b}, false), kOk) << err_;
  EXPECT_EQ(Ctl({"diff", a, a}, false), kOk) << out_;
  EXPECT_EQ(out_, "");
  ASSERT_EQ(Ctl({"--json", "diff", a, b}, false), 1) << err_;
  const auto text = [](int n, const char* b) {
    return Json{{"field", "system.event_strings.string_" + std::to_string(n) + ".text"},
                {"a", ""},
                {"b", b}};
  };
  EXPECT_EQ(Json::parse(out_),
            Json::array({{{"field", "system.volume"}, {"a", "High"}, {"b", "Low"}},
                         text(3, "\"\""),
                         text(4, "\\x07"),
                         text(5, "\x07"),
                         text(6, "a\t\x1b[2J\u009b"),
                         {{"field", "epc_tag.delimiter"}, {"a", " "}, {"b", ","}}}));
  ASSERT_EQ(Ctl({"diff", a, b}, false), 1);
  for (const char* line : {"Volume [system.volume]: High -> Low\n",
                           "[system.event_strings.string_3.text]: \"\" -> \"\\\"\\\"\"\n",
                           "[system.event_strings.string_4.text]: \"\" -> \\\\x07\n",
                           "[system.event_strings.string_5.text]: \"\" -> \\x07\n",
                           "[system.event_strings.string_6.text]: \"\" -> a\\x09\\x1b[2J\\x9b\n"}) {
    EXPECT_TRUE(Has(out_, line)) << line << "\n" << out_;
  }
  EXPECT_EQ(out_.find_first_of("\x07\t\x1b"), std::string::npos) << out_;

  ASSERT_EQ(Ctl({"show", b}, false), kOk) << err_;
  for (const char* part : {"Volume:", "EPC Tag : Delimiter:", " \"\\\"\\\"\"\n", " \\\\x07\n",
                           " \\x07\n", " a\\x09\\x1b[2J\\x9b\n"}) {
    EXPECT_TRUE(Has(out_, part)) << part << "\n" << out_;
  }
  EXPECT_EQ(out_.find_first_of("\x07\t\x1b"), std::string::npos) << out_;
  ASSERT_EQ(Ctl({"--json", "show", b}, false), kOk) << err_;
  EXPECT_EQ(Json::parse(out_)["system"]["volume"], "Low");

  // Any 640 bytes come back byte for byte, through stdout and stdin.
  WriteFile(Path("any.K470"), Image(21, false));
  ASSERT_EQ(Finish(StartCtl({"export", Path("any.K470")}, false, Path("any.json"))), kOk) << err_;
  ASSERT_EQ(Ctl({"import", Path("any.json"), "-o", Path("back.K470")}, false), kOk) << err_;
  EXPECT_EQ(ReadFile(Path("back.K470")), Image(21, false));
}

// A file that is no whole image (which diff, export and download refuse) is
// shown, with a word on what it is.
TEST_F(K470ctlWithSim, ShowShowsAFileThatIsNoWholeImage) {
  for (const std::size_t size : {0, 100, 641}) {
    const std::string file = Path(std::to_string(size) + ".K470");
    WriteFile(file, (Image(2, true) + "x").substr(0, size));
    EXPECT_EQ(Ctl({"show", file}, false), kOk) << err_;
    EXPECT_TRUE(Has(err_, file + " is " + std::to_string(size) + " bytes")) << err_;
    EXPECT_TRUE(Has(out_, "Volume:")) << out_;
  }
}

TEST_F(K470ctlWithSim, DiffComparesAFileWithTheReader) {
  WriteFile(Path("current.K470"), Image(5, true));
  ASSERT_NO_FATAL_FAILURE(StartSim({"--image", Path("current.K470")}));
  WriteFile(Path("same.K470"), Image(5, true));
  EXPECT_EQ(Ctl({"diff", Path("same.K470"), "--reader"}), kOk) << err_ << out_;

  std::string other = Image(5, true);
  other[0] = static_cast<char>(other[0] ^ 1);  // Timeout to Shutdown
  WriteFile(Path("other.K470"), other);
  ASSERT_EQ(Ctl({"--json", "diff", Path("other.K470"), "--reader"}), 1) << err_;
  EXPECT_EQ(Json::parse(out_).at(0).at("field"), "system.shutdown_timeout") << out_;

  // A reader that fails is not a difference.
  ASSERT_NO_FATAL_FAILURE(StartSim({"--model", "K999"}));
  EXPECT_EQ(Ctl({"diff", Path("same.K470"), "--reader"}), 6) << err_;

  // The help tells which subcommands take several readers.
  ASSERT_EQ(Ctl({"--help"}, false), kOk);
  EXPECT_NE(out_.find("info, read, download, apply, battery, memsize, memclear,\nclock, upload "
                      "and pin work on several readers, diff --reader compares a file\nwith one "
                      "reader."),
            std::string::npos)
      << out_;
  ASSERT_EQ(Ctl({"diff", "--help"}, false), kOk);
  EXPECT_NE(out_.find("one reader"), std::string::npos) << out_;
}

}  // namespace
}  // namespace k470::e2e
