#include "settings/operation/epc_delimiter.h"
#include "core/translatable.h"

namespace k470 {
namespace {

constexpr std::array<std::string_view, 4> kChosenNames = {" ", K470_TR_NOOP("k470", "[Tab]"), ",",
                                                          "."};

bool IsPosition(int position) {
  return position >= 0 && position < static_cast<int>(kDelimiterCharacters.size());
}

}  // namespace

int DelimiterPositionOf(std::uint8_t byte) {
  for (std::size_t i = 0; i < kDelimiterCharacters.size(); ++i) {
    if (kDelimiterCharacters[i] == byte) return static_cast<int>(i);
  }
  return kNoDelimiter;
}

std::string_view LoadedDelimiterName(std::uint8_t byte) {
  switch (byte) {
    case 0x09:
      return "TAB";
    case 0x2C:
      return ",";
    case 0x2E:
      return ".";
    default:
      return " ";
  }
}

std::string_view ChosenDelimiterName(int position) {
  return kChosenNames[static_cast<std::size_t>(IsPosition(position) ? position : kNoDelimiter)];
}

void WriteDelimiter(int position, SettingsImage& image) {
  const std::uint8_t c = kDelimiterCharacters[static_cast<std::size_t>(
      IsPosition(position) ? position : kNoDelimiter)];
  image.Fill(kDelimiter, c);
}

}  // namespace k470
