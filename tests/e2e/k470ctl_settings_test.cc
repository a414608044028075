// k470ctl's settings as data, end to end: show, export, import and diff on
// files and against the virtual reader, and imports refused without a write.
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

TEST_F(K470ctlWithSim, ImportRefusesBadKeysAndValuesAndWritesNothing) {
  const std::string out = Path("out.K470");
  WriteFile(out, "kept");
  const std::pair<std::string, std::string> refused[] = {
      {R"({"system": {"volume": "Loud"}})", "system.volume"},
      {R"({"system": )", "not valid JSON"},
  };
  for (const auto& [json, named] : refused) {
    WriteFile(Path("in.json"), json);
    EXPECT_EQ(Ctl({"import", Path("in.json"), "-o", out}, false), kFileError) << json;
    EXPECT_NE(err_.find(named), std::string::npos) << err_;
    EXPECT_EQ(ReadFile(out), "kept");
  }
}

// At most 1 MB of a regular file or of stdin, nested at most 64 deep.
TEST_F(K470ctlWithSim, ImportRefusesInputThatIsNoSettingsExportBeforeReadingItAll) {
  const std::string out = Path("out.K470");
  WriteFile(out, "kept");
  WriteFile(Path("big.json"), std::string((1 << 20) + 1, ' '));
  WriteFile(Path("deep.json"), std::string(100000, '['));
  const std::pair<std::string, std::string> refused[] = {
      {Path("big.json"), "larger than 1 MB"},
      {Path("deep.json"), "nests deeper than 64 levels"},
      {dir_.string(), "Is a directory"},
      {"/dev/zero", "not a regular file"},
  };
  for (const auto& [input, why] : refused) {
    EXPECT_EQ(Ctl({"import", input, "-o", out}, false), kFileError) << input;
    EXPECT_NE(err_.find(input), std::string::npos) << err_;
    EXPECT_NE(err_.find(why), std::string::npos) << err_;
  }
  const std::string from_stdin = "exec '" + std::string(K470CTL_PATH) + "' import - -o '" + out +
                                 "' < '" + Path("big.json") + "'";
  EXPECT_EQ(Finish(Spawn({"/bin/sh", "-c", from_stdin}, Path("ctl.out"), Path("ctl.err"))),
            kFileError);
  EXPECT_NE(err_.find("standard input: larger than 1 MB"), std::string::npos) << err_;
  EXPECT_EQ(ReadFile(out), "kept");
}

TEST_F(K470ctlWithSim, DiffAndExportRefuseAFileThatIsNoWholeImageShowShowsIt) {
  const std::string whole = Path("whole.K470");
  WriteFile(whole, Image(2, true));
  WriteFile(Path("empty.K470"), "");
  WriteFile(Path("short.K470"), Image(2, true).substr(0, 100));
  WriteFile(Path("long.K470"), Image(2, true) + "x");
  for (const auto& [name, size] :
       {std::pair{"empty.K470", 0}, {"short.K470", 100}, {"long.K470", 641}}) {
    SCOPED_TRACE(name);
    const std::string file = Path(name);
    const std::string said =
        "k470ctl: settings file " + file + " is " + std::to_string(size) + " bytes, not 640\n";
    EXPECT_EQ(Ctl({"diff", file, whole}, false), kFileError) << out_;
    EXPECT_EQ(err_, said);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(Ctl({"diff", whole, file}, false), kFileError) << out_;
    EXPECT_EQ(err_, said);
    EXPECT_EQ(Ctl({"export", file}, false), kFileError) << out_;
    EXPECT_EQ(err_, said);
    EXPECT_EQ(out_, "");
    EXPECT_EQ(Ctl({"export", file, "-o", Path("x.json")}, false), kFileError);
    EXPECT_FALSE(fs::exists(Path("x.json")));
    // show shows it, with a word on what it is.
    EXPECT_EQ(Ctl({"show", file}, false), kOk) << err_;
    EXPECT_NE(err_.find(file + " is " + std::to_string(size) + " bytes"), std::string::npos);
    EXPECT_NE(out_.find("Volume:"), std::string::npos);
  }
  // Against a reader too, before the reader is asked anything.
  ASSERT_NO_FATAL_FAILURE(StartSim({}));
  EXPECT_EQ(Ctl({"diff", Path("empty.K470"), "--reader"}), kFileError);
  EXPECT_EQ(SimLog().find("k470sim: <"), std::string::npos) << SimLog();
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
  EXPECT_EQ(Ctl({"diff", Path("same.K470"), Path("other.K470"), "--reader"}, false), kUsageError);

  // diff compares with one reader, and says so to two, before either hears a word.
  const std::string heard = SimLog();
  EXPECT_EQ(
      Ctl({"--port", reader_, "--port", Path("second"), "diff", Path("same.K470"), "--reader"},
          false),
      kUsageError);
  EXPECT_EQ(err_,
            "k470ctl: diff compares a file with one reader: give --port once, not several or "
            "--all\n");
  EXPECT_EQ(SimLog(), heard);
  // And the help tells which subcommands take several readers.
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
