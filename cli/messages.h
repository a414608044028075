// k470ctl's words on stderr: errors, which end a run, and notes beside them.
// The last error said is also what the failure object of --json says, so
// that a script reading stdout learns why as a person on the terminal does.
#pragma once

#include <string>

namespace k470::cli {

// "k470ctl: TEXT" on stderr; TEXT is now the run's error.
void SayError(const std::string& text);

// "k470ctl: TEXT" on stderr: a note or a warning that ends nothing.
void SayNote(const std::string& text);

// The last error said in this run; "" when none was.
std::string LastError();

}  // namespace k470::cli
