#ifndef OSTREVIN_TESTS_HARDENING_COMMAND_PROCESS_H_
#define OSTREVIN_TESTS_HARDENING_COMMAND_PROCESS_H_

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// The real `ostrevin` executable run as a child process, as a user or a script runs it. The
// command loads the library that $OSTREVIN_LIBRARY names (the tests' CMake sets it).

namespace ostrevin {

struct ProcessRun {
  int exit_status = -1;  // -1 when the process did not exit normally
  int signal = 0;        // the signal that ended it, or 0
  bool timed_out = false;
  std::string out;
  std::string err;
};

// Runs `ostrevin ARGS...` in `dir` and waits for it; after `timeout` the process is killed and
// the run counts as timed out (a hang).
ProcessRun RunCommandProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
                             std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Starts `ostrevin ARGS...` in `dir` with its output thrown away; returns the process id.
pid_t StartCommandProcess(const std::vector<std::string>& args, const std::filesystem::path& dir);

// Waits for a started process; returns its exit status, or -1 when a signal ended it.
int WaitForProcess(pid_t pid);

// A fresh, empty folder for the running test.
std::filesystem::path HardeningScratchDir();

// The whole of a file, byte for byte ("" when it cannot be read), and its replacement.
std::string FileText(const std::filesystem::path& path);
void Write(const std::filesystem::path& path, const std::string& text);

}  // namespace ostrevin

#endif  // OSTREVIN_TESTS_HARDENING_COMMAND_PROCESS_H_
