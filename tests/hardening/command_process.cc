#include "tests/hardening/command_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>

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

// Reads both pipes until they close or the deadline passes; returns false on the deadline.
bool Drain(std::array<int, 2> fds, std::array<std::string*, 2> into, Clock::time_point deadline) {
  std::array<pollfd, 2> polled{pollfd{fds[0], POLLIN, 0}, pollfd{fds[1], POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    if (::poll(polled.data(), polled.size(), static_cast<int>(left.count())) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    for (std::size_t k = 0; k < 2; ++k) {
      if (polled[k].fd < 0 || polled[k].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = ::read(polled[k].fd, buffer, sizeof buffer);
      if (n > 0) {
        into[k]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        polled[k].fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

ProcessRun RunCommandProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
                             std::chrono::milliseconds timeout) {
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  const pid_t pid = Spawn(args, dir, out[1], err[1]);
  ::close(out[1]);
  ::close(err[1]);
  ProcessRun run;
  run.timed_out = !Drain({out[0], err[0]}, {&run.out, &run.err}, Clock::now() + timeout);
  if (run.timed_out) ::kill(pid, SIGKILL);
  ::close(out[0]);
  ::close(err[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
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
