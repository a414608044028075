#include "cli/messages.h"

#include <cstdio>
#include <mutex>

namespace k470::cli {
namespace {

// The readers of a run on several share stderr and this.
std::mutex mutex;
std::string last_error;

}  // namespace

void SayError(const std::string& text) {
  std::lock_guard lock(mutex);
  last_error = text;
  std::fprintf(stderr, "k470ctl: %s\n", text.c_str());
}

void SayNote(const std::string& text) {
  std::lock_guard lock(mutex);
  std::fprintf(stderr, "k470ctl: %s\n", text.c_str());
}

std::string LastError() {
  std::lock_guard lock(mutex);
  return last_error;
}

}  // namespace k470::cli
