// Running the programs under test as real processes: a command that runs to
// its end with its output captured, and a server started in the background
// and stopped with SIGTERM. Arguments go to the program as they are; no shell
// ever sees them.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace k470::e2e {

struct RunResult {
  int exit_code = -1;  // -1 when the program was ended by a signal or could not start
  std::string out;
  std::string err;
};

// This process's environment with `name` set to `value`, as "NAME=value" entries.
std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value);

// Runs `argv` (argv[0] is the program's path) with `env` and waits for it.
// A program still running after `limit` is killed; its result then says so in err.
RunResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     std::chrono::seconds limit = std::chrono::seconds(30));

// A program in the background with stdout and stderr going to files.
class Background {
 public:
  Background() = default;
  ~Background() { Stop(); }
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;

  bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             const std::string& out_file, const std::string& err_file);
  // True while the program has not ended.
  bool Running();
  // SIGTERM, then waits for it (SIGKILL after five seconds). Returns the exit
  // code as in RunResult; -1 as well when nothing was running.
  int Stop();

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

}  // namespace k470::e2e
