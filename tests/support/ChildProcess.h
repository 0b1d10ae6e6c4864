#pragma once

#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ledgerly::test {

// A program started in a child process, for tests that must see the real
// process: its exit status, a signal that ended it, what it wrote to stderr.
class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> env;  // NAME=value added to the environment
    // Run as the unprivileged user "nobody" when the test runs as root, so
    // permissions are enforced as they are for a user. The program is run from a
    // copy beside stderr_file: the checkout may lie where nobody cannot enter.
    bool unprivileged = false;
    // Bytes any file of the child may grow to (0: no limit): a disk that fills.
    rlim_t file_size_limit = 0;
    // The child reads its standard input from a pipe fed by Feed().
    bool input_pipe = false;
  };

  // Starts program with the arguments; stderr and stdout go to stderr_file.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path& stderr_file, const Options& options);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();  // a child still running is killed

  void Signal(int signal) const { ::kill(pid_, signal); }
  // Writes to the child's input pipe; false when the child no longer reads it.
  bool Feed(std::string_view bytes);
  void EndInput() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
  }
  // Waits for the end. A child that outlives the watchdog is killed, so a
  // hang fails the test instead of stopping the suite.
  void Wait(int watchdog_seconds = 120);

  bool exited() const { return WIFEXITED(status_); }
  int exit_status() const { return exited() ? WEXITSTATUS(status_) : -1; }
  int term_signal() const { return WIFSIGNALED(status_) ? WTERMSIG(status_) : 0; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;  // our end of the input pipe
  bool waited_ = false;
  int status_ = 0;
};

// True when the tests run as root, for whom file permissions do not apply.
inline bool RunningAsRoot() {
  return ::geteuid() == 0;
}

// Where the unprivileged children can reach `folder`: empty, or why not, naming
// the first folder on the way they cannot enter.
std::string WhyNobodyCannotReach(const std::filesystem::path& folder);

}  // namespace ledgerly::test
