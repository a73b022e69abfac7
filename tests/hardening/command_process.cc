#include "tests/hardening/command_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace ostrevin {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// Forks and execs the command in `dir` with standard output and error on `out` and `err`.
pid_t Spawn(const std::vector<std::string>& args, const std::filesystem::path& dir, int out,
            int err) {
  const std::string program = OSTREVIN_COMMAND;
  std::vector<char*> argv = Argv(program, args);
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    int null = ::open("/dev/null", O_RDONLY);
    if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
        ::chdir(dir.c_str()) != 0)
      ::_exit(127);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  return pid;
}

// The whole of what was written to the memory file `fd`, which is then closed.
std::string TakeAll(int fd) {
  std::string text;
  char buffer[65536];
  ssize_t n = 0;
  ::lseek(fd, 0, SEEK_SET);
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  return text;
}

}  // namespace

ProcessRun RunCommandProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
                             std::chrono::milliseconds timeout) {
  // Memory files rather than pipes: the child never blocks on a full pipe, and nothing needs
  // draining while it runs.
  const int out = ::memfd_create("out", MFD_CLOEXEC), err = ::memfd_create("err", MFD_CLOEXEC);
  if (out < 0 || err < 0) throw std::runtime_error("memfd_create failed");
  const pid_t pid = Spawn(args, dir, out, err);
  ProcessRun run;
  int status = 0;
  const Clock::time_point deadline = Clock::now() + timeout;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      run.timed_out = true;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  run.out = TakeAll(out);
  run.err = TakeAll(err);
  if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  return run;
}

pid_t StartCommandProcess(const std::vector<std::string>& args, const std::filesystem::path& dir) {
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const pid_t pid = Spawn(args, dir, null, null);
  ::close(null);
  return pid;
}

int WaitForProcess(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::filesystem::path HardeningScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "ostrevin_hardening" /
                              (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace ostrevin
