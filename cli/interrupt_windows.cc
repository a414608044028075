// Ctrl-C on Windows: a console control handler, which the system calls on a
// thread of its own, raises the flag. A second Ctrl-C is left to the default
// handler, which ends the program at once.
#include <windows.h>

#include <atomic>

#include "cli/interrupt.h"

namespace k470::cli {
namespace {

std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      return interrupted.exchange(true) ? FALSE : TRUE;
    case CTRL_CLOSE_EVENT:
      // The console window is closing: the system ends the program as soon
      // as this returns, so give the run a moment to send EXIT first.
      interrupted = true;
      ::Sleep(1000);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void InstallInterruptHandlers() { ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

bool Interrupted() { return interrupted; }

}  // namespace k470::cli
