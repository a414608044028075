// k470sim: serves a virtual reader on a pseudo-terminal until SIGINT/SIGTERM.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "link/tracing_port.h"
#include "sim/image_file.h"
#include "sim/program_options.h"
#include "sim/pty_reader.h"
#include "sim/reader_numbering.h"

namespace {

using k470::SettingsImage;
using k470::sim::ImageLoad;
using k470::sim::ProgramOptions;

bool LoadImage(const std::string& path, SettingsImage& image) {
  if (path.empty()) return true;
  switch (k470::sim::LoadImageFile(path, image)) {
    case ImageLoad::kLoaded:
      std::cerr << "k470sim: image loaded from " << path << "\n";
      return true;
    case ImageLoad::kMissing:
      return true;  // created at the first save
    case ImageLoad::kUnreadable:
      break;
  }
  std::cerr << "k470sim: " << path << " is not a readable settings image\n";
  return false;
}

void SaveImages(const ProgramOptions& options, const SettingsImage& current,
                const SettingsImage& user) {
  if (!options.image_file.empty() && !k470::sim::SaveImageFile(options.image_file, current)) {
    std::cerr << "k470sim: cannot save " << options.image_file << "\n";
  }
  if (!options.user_image_file.empty() &&
      !k470::sim::SaveImageFile(options.user_image_file, user)) {
    std::cerr << "k470sim: cannot save " << options.user_image_file << "\n";
  }
}

// Why k470sim may not put its link at `link`: only a symbolic link (one it
// made on an earlier run) is replaced; a file, a folder or anything else at
// that path is the user's and stays. Empty when the path is free or a link.
std::string LinkProblem(const std::string& link) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(link, ec);
  if (status.type() == fs::file_type::not_found || fs::is_symlink(status)) return "";
  if (ec) return "cannot link " + link + ": " + ec.message();
  const char* what = fs::is_directory(status)      ? "a folder"
                     : fs::is_regular_file(status) ? "a file"
                                                   : "something that is no symbolic link";
  return "cannot link " + link + ": it is " + std::string(what) +
         ", and only a symbolic link is replaced; nothing deleted";
}

bool MakeLink(const std::string& link, const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // Only an old link is replaced; a real file at that path is the user's.
  if (const std::string problem = LinkProblem(link); !problem.empty()) {
    std::cerr << "k470sim: " << problem << "\n";
    return false;
  }
  if (fs::is_symlink(fs::symlink_status(link, ec))) fs::remove(link, ec);
  fs::create_symlink(target, link, ec);
  if (ec) std::cerr << "k470sim: cannot link " << link << ": " << ec.message() << "\n";
  return !ec;
}

// Reader k (from 1) of the run: its identity, its faults and its files.
struct ServedReader {
  ProgramOptions options;  // with this reader's identity, faults and paths
  int number = 1;
  std::unique_ptr<k470::sim::PtyReader> pty;
  bool linked = false;  // options.link_path is a link this run made
};

ProgramOptions OptionsOfReader(const ProgramOptions& all, int k) {
  ProgramOptions mine = all;
  if (all.count > 1) {
    mine.reader.serial_number = k470::sim::NthSerialNumber(all.reader.serial_number, k);
    mine.reader.bt_mac_id = k470::sim::NthBtMacId(all.reader.bt_mac_id, k);
    mine.link_path = k470::sim::NthPath(all.link_path, k, all.count);
    mine.image_file = k470::sim::NthPath(all.image_file, k, all.count);
    mine.user_image_file = k470::sim::NthPath(all.user_image_file, k, all.count);
  }
  if (all.faulty > 0 && all.faulty != k) mine.reader.faults = k470::sim::Faults{};
  return mine;
}

// Removes the links this run made, each only while it is still a link to
// its reader's device: whatever took its place since is left alone.
void RemoveLinks(const std::vector<ServedReader>& readers) {
  namespace fs = std::filesystem;
  for (const ServedReader& r : readers) {
    if (!r.linked) continue;
    std::error_code ec;
    const fs::path& link = r.options.link_path;
    if (!fs::is_symlink(fs::symlink_status(link, ec))) continue;
    if (fs::read_symlink(link, ec) != r.pty->device_path() || ec) continue;
    fs::remove(link, ec);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ProgramOptions options;
  if (auto status = k470::sim::ParseProgramOptions(argc, argv, options, std::cout, std::cerr)) {
    return *status;
  }
  std::vector<ServedReader> readers(static_cast<std::size_t>(options.count));
  for (int k = 1; k <= options.count; ++k) {
    ServedReader& r = readers[static_cast<std::size_t>(k - 1)];
    r.number = k;
    r.options = OptionsOfReader(options, k);
    if (!LoadImage(r.options.image_file, r.options.reader.current_image) ||
        !LoadImage(r.options.user_image_file, r.options.reader.user_image)) {
      return 1;
    }
  }
  // Every link's place is checked before any reader starts: a path that
  // holds a file or a folder ends the run with nothing changed.
  for (const ServedReader& r : readers) {
    if (r.options.link_path.empty()) continue;
    if (const std::string problem = LinkProblem(r.options.link_path); !problem.empty()) {
      std::cerr << "k470sim: " << problem << "\n";
      return 1;
    }
  }

  // The signals are taken by sigwait below; the server threads inherit the mask.
  // SIGUSR1 is a server thread telling main that its reader vanished.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  const bool several = options.count > 1;
  for (ServedReader& r : readers) {
    // Of several readers each tells its number in the log.
    const std::string who = several ? std::to_string(r.number) + " " : "";
    k470::sim::PtyReader::Observers observers;
    if (options.verbose) {
      observers.line = [who](std::string_view line) {
        std::cerr << "k470sim: " << who << "< " << k470::PrintableBytes(std::string(line))
                  << std::endl;
      };
    }
    const ProgramOptions* mine = &r.options;
    observers.commit = [mine, who](const SettingsImage& current, const SettingsImage& user) {
      if (mine->verbose) std::cerr << "k470sim: " << who << "download committed" << std::endl;
      SaveImages(*mine, current, user);
    };
    // One vanished reader of several leaves the others serving.
    if (several) {
      observers.vanish = [who] {
        std::cerr << "k470sim: reader " << who << "vanished" << std::endl;
      };
    } else {
      observers.vanish = [] { ::kill(::getpid(), SIGUSR1); };
    }
    r.pty = std::make_unique<k470::sim::PtyReader>(r.options.reader, std::move(observers));
  }

  for (ServedReader& r : readers) {
    std::string error;
    bool started = r.pty->Start(&error);
    if (!started) std::cerr << "k470sim: " << error << "\n";
    if (started && !r.options.link_path.empty()) {
      started = r.linked = MakeLink(r.options.link_path, r.pty->device_path());
    }
    if (!started) {
      for (ServedReader& other : readers) other.pty->Stop();
      RemoveLinks(readers);
      return 1;
    }
  }
  for (const ServedReader& r : readers) std::cout << r.pty->device_path() << "\n";
  std::cout.flush();

  int signal = 0;
  while (sigwait(&signals, &signal) != 0) {
  }
  if (signal == SIGUSR1) std::cerr << "k470sim: the reader vanished" << std::endl;
  for (ServedReader& r : readers) {
    r.pty->Stop();
    SaveImages(r.options, r.pty->current_image(), r.pty->user_image());
  }
  RemoveLinks(readers);
  return 0;
}
