// Ctrl-C and SIGTERM on POSIX: signal handlers that only raise a flag.
#include "cli/interrupt.h"

#include <csignal>

namespace k470::cli {
namespace {

// Written by the signal handler, read by the program: the one kind of global
// a signal leaves us.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // Once: the second signal takes its default course and ends the program.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() { return interrupted != 0; }

}  // namespace k470::cli
