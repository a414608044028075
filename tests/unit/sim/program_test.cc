#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/image_file.h"
#include "sim/program_options.h"

namespace k470::sim {
namespace {

namespace fs = std::filesystem;

struct Parsed {
  std::optional<int> status;
  ProgramOptions options;
  std::string out, err;
};

Parsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "k470sim");
  Parsed parsed;
  std::ostringstream out, err;
  parsed.status =
      ParseProgramOptions(static_cast<int>(args.size()), args.data(), parsed.options, out, err);
  parsed.out = out.str();
  parsed.err = err.str();
  return parsed;
}

TEST(ProgramOptions, EveryFaultSwitchReachesTheReader) {
  Parsed p = Parse({"--silent", "--wrong-model", "--naks", "3", "--line-naks", "2", "--no-ack",
                    "--no-ack-update", "--garbage", "--non-hex", "--vanish-after", "7",
                    "--silent-from-block", "20", "--baud", "9600", "--pace-chunk", "64"});
  ASSERT_FALSE(p.status) << p.err;
  const Faults& f = p.options.reader.faults;
  EXPECT_TRUE(f.silent && f.wrong_model && f.no_ack_lines && f.no_ack_update && f.garbage &&
              f.non_hex_blocks);
  EXPECT_EQ(f.naks_per_request, 3);
  EXPECT_EQ(f.naks_per_line, 2);
  EXPECT_EQ(f.vanish_after_blocks, 7);
  EXPECT_EQ(f.silent_from_block, 20);
  EXPECT_EQ(p.options.reader.pacing.baud, 9600);
  EXPECT_EQ(p.options.reader.pacing.chunk, 64);
}

TEST(ProgramOptions, HelpDocumentsTheRepliesAndBadInputIsRefused) {
  Parsed help = Parse({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* text : {"#@SYS_INFO?", "#@402718", "READ_U", "WRITE_B", "UPDATE", "EXIT",
                           "#@SYS_MEMUP", "#@SYS_TIME", "PIN", "--vanish-after", "--no-ack-update",
                           "--silent-from-block", "--link", "--image"}) {
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
  }
  for (std::vector<const char*> bad : {std::vector<const char*>{"--naks", "-1"},
                                       {"--vanish-after", "0"},
                                       {"--nonsense"},
                                       {"--baud", "fast"},
                                       {"--memory-data", "/nonexistent/file"}}) {
    Parsed p = Parse(bad);
    EXPECT_TRUE(p.status.has_value() && *p.status != 0) << bad[0];
  }
}

TEST(ImageFile, LoadOverTheImageAndSaveRoundTrip) {
  fs::path dir = fs::temp_directory_path() / ("k470sim_img_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "reader.K470").string();
  SettingsImage image;
  image.Fill(0, kImageSize, 0x55);

  EXPECT_EQ(LoadImageFile(path, image), ImageLoad::kMissing);

  std::ofstream(path, std::ios::binary) << "\x01\x02";
  EXPECT_EQ(LoadImageFile(path, image), ImageLoad::kLoaded);
  EXPECT_EQ(image.Byte(0), 1);
  EXPECT_EQ(image.Byte(1), 2);
  EXPECT_EQ(image.Byte(2), 0x55) << "a short file replaces only its own bytes";

  std::ofstream(path, std::ios::binary) << std::string(kImageSize + 1, 'x');
  EXPECT_EQ(LoadImageFile(path, image), ImageLoad::kUnreadable);
  EXPECT_EQ(image.Byte(0), 1);

  image.SetByte(639, 0xA5);
  ASSERT_TRUE(SaveImageFile(path, image));
  SettingsImage loaded;
  EXPECT_EQ(LoadImageFile(path, loaded), ImageLoad::kLoaded);
  EXPECT_EQ(loaded, image);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace k470::sim
