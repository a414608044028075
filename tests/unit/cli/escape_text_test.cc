#include "cli/escape_text.h"

#include <gtest/gtest.h>

namespace k470::cli {
namespace {

TEST(EscapeTextTest, ControlCharactersAndBackslashesPrintAsText) {
  EXPECT_EQ(EscapeText("K471-000123"), "K471-000123");
  EXPECT_EQ(EscapeText(""), "");
  // An OSC that sets the window title, then a clear-screen.
  EXPECT_EQ(EscapeText("\x1b]0;owned\x07\x1b[2J"), "\\x1b]0;owned\\x07\\x1b[2J");
  // TAB and LF would break a tab-separated line apart; NUL, CR and DEL too.
  EXPECT_EQ(EscapeText(std::string("a\tb\nc\rd\x7f", 8) + '\0'), "a\\x09b\\x0ac\\x0dd\\x7f\\x00");
  // A BEL byte and the four characters \x07 no longer print the same.
  EXPECT_EQ(EscapeText("\x07"), "\\x07");
  EXPECT_EQ(EscapeText("\\x07"), "\\\\x07");
}

TEST(EscapeTextTest, C1ControlsAsUtf8CharactersAreEscapedOtherBytesOver0x7FStay) {
  EXPECT_EQ(EscapeText("\xc2\x9b"
                       "2J"),
            "\\x9b2J");  // U+009B, CSI
  EXPECT_EQ(EscapeText("\xc2\x80\xc2\x9f"), "\\x80\\x9f");
  EXPECT_EQ(EscapeText("\xc2\xa0\xc3\xa9"), "\xc2\xa0\xc3\xa9");  // no-break space, é
  EXPECT_EQ(EscapeText("\xc4\x81"), "\xc4\x81");      // ā: 0x81 is a part of it, not a control
  EXPECT_EQ(EscapeText("SN\xff\xfe"), "SN\xff\xfe");  // Latin-1 bytes as they come
  EXPECT_EQ(EscapeText("\xc2"), "\xc2");
}

TEST(EscapeTextTest, QuotedTextsTellAnEmptyTextFromTwoQuoteCharacters) {
  EXPECT_EQ(QuoteText(""), "\"\"");
  EXPECT_EQ(QuoteText("\"\""), "\"\\\"\\\"\"");
  EXPECT_EQ(QuoteText(" a\\b\x1b "), "\" a\\\\b\\x1b \"");
}

}  // namespace
}  // namespace k470::cli
