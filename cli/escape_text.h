// Text from a reader or a file, made safe for a terminal and for k470ctl's
// tab-separated lines. No Qt: k470ctl and its tests use it.
#pragma once

#include <string>
#include <string_view>

namespace k470::cli {

// `text` with every control character written as \xNN (two lowercase hex
// digits) and every backslash as \\, so that nothing in it acts on the
// terminal (an OSC that sets the window title, a clear-screen), no TAB or LF
// breaks a line apart, and a BEL byte and the four characters "\x07" typed
// in a text never print the same. The controls are the bytes 0x00-0x1F and
// 0x7F, and the C1 controls U+0080-U+009F written in UTF-8 (C2 80 - C2 9F),
// printed as \x80-\x9f.
//
// The output is meant to be UTF-8: k470ctl's texts, file names and what show
// and diff print are UTF-8 (the named settings turn the reader's Latin-1 into
// UTF-8). So a byte 0x80-0x9F on its own is left as it is: in UTF-8 it is
// the second or a later byte of a character ("ā" is C4 81) and escaping it
// would break that character, while a UTF-8 terminal does not act on a lone
// one (it is no valid character). A C1 control as a UTF-8 character is
// escaped, since a terminal that decodes UTF-8 may act on it (U+009B is CSI).
// Bytes 0xA0-0xFF that form no UTF-8 character (a reader's Latin-1 text as
// it comes) are left as they are too, as before.
std::string EscapeText(std::string_view text);

// EscapeText between double quotes, with every '"' inside as \": an empty
// text prints as "", a text of two quote characters as "\"\"".
std::string QuoteText(std::string_view text);

}  // namespace k470::cli
