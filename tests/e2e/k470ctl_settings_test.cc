// k470ctl's settings as data, end to end: show, export, import and diff on
// files and against the virtual reader. What they refuse is the refusal
// table's (k470ctl_faults_test.cc).
#include "tests/e2e/k470ctl_fixture.h"

namespace k470::e2e {
namespace {

using Json = nlohmann::json;

TEST_F(K470ctlWithSim, ExportImportShowAndDiffWorkOnSettingsFiles) {
  const std::string a = Path("a.K470"), b = Path("b.K470"), json = Path("a.json");
  ASSERT_EQ(Ctl({"new", "-o", a}, false), kOk) << err_;
  ASSERT_EQ(Ctl({"export", a, "-o", json}, false), kOk) << err_;

  Json edited = Json::parse(ReadFile(json));
  edited["system"]["volume"] = "Low";
  edited["epc_tag"]["delimiter"] = ",";
  edited["system"]["event_strings"]["string_3"]["text"] = "\x1b[2J\u009b";
  WriteFile(Path("b.json"), edited.dump());
  ASSERT_EQ(Ctl({"import", Path("b.json"), "-o", b}, false), kOk) << err_;
  EXPECT_EQ(Ctl({"diff", a, a}, false), kOk) << out_;
  EXPECT_EQ(out_, "");
  ASSERT_EQ(Ctl({"--json", "diff", a, b}, false), 1) << err_;
  EXPECT_EQ(Json::parse(out_), Json::parse(R"([{"field": "system.volume", "a": "High", "b": "Low"},
                            {"field": "system.event_strings.string_3.text", "a": "",
                             "b": "\u001b[2J\u009b"},
                            {"field": "epc_tag.delimiter", "a": " ", "b": ","}])"));
  ASSERT_EQ(Ctl({"diff", a, b}, false), 1);
  EXPECT_NE(out_.find("Volume [system.volume]: High -> Low"), std::string::npos) << out_;

  ASSERT_EQ(Ctl({"show", b}, false), kOk) << err_;
  EXPECT_NE(out_.find("Volume:"), std::string::npos) << out_;
  EXPECT_NE(out_.find("EPC Tag : Delimiter:"), std::string::npos) << out_;
  // A terminal gets the escape sequences of a file as text, not as commands.
  EXPECT_NE(out_.find("\\x1b[2J\\x9b"), std::string::npos) << out_;
  EXPECT_EQ(out_.find('\x1b'), std::string::npos);
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

TEST_F(K470ctlWithSim, DiffAndShowPrintTextsSoThatNoTwoTextsLookTheSame) {
  const std::string a = Path("a.K470"), b = Path("b.K470");
  ASSERT_EQ(Ctl({"new", "-o", a}, false), kOk) << err_;
  Json edited = Json::parse(R"({"system": {"event_strings": {}}})");
  Json& strings = edited["system"]["event_strings"];
  strings["string_3"]["text"] = "\"\"";   // two quote characters
  strings["string_4"]["text"] = "\\x07";  // typed: backslash x 0 7
  strings["string_5"]["text"] = "\x07";   // a BEL
  strings["string_6"]["text"] = "a\tb";
  WriteFile(Path("b.json"), edited.dump());
  ASSERT_EQ(Ctl({"import", Path("b.json"), "-o", b}, false), kOk) << err_;
  ASSERT_EQ(Ctl({"diff", a, b}, false), 1) << err_;
  // The empty texts of a and the two quotes of b print apart.
  EXPECT_NE(out_.find("[system.event_strings.string_3.text]: \"\" -> \"\\\"\\\"\"\n"),
            std::string::npos)
      << out_;
  EXPECT_NE(out_.find("[system.event_strings.string_4.text]: \"\" -> \\\\x07\n"), std::string::npos)
      << out_;
  EXPECT_NE(out_.find("[system.event_strings.string_5.text]: \"\" -> \\x07\n"), std::string::npos)
      << out_;
  EXPECT_NE(out_.find("[system.event_strings.string_6.text]: \"\" -> a\\x09b\n"), std::string::npos)
      << out_;
  EXPECT_EQ(out_.find_first_of("\x07\t"), std::string::npos) << out_;
  ASSERT_EQ(Ctl({"show", b}, false), kOk) << err_;
  EXPECT_NE(out_.find(" \\\\x07\n"), std::string::npos) << out_;
  EXPECT_NE(out_.find(" \\x07\n"), std::string::npos) << out_;
  EXPECT_NE(out_.find(" \"\\\"\\\"\"\n"), std::string::npos) << out_;
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
