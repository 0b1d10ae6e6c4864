#pragma once

#ifdef _WIN32
#include "support/ChildProcessWindows.h"
#else
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace ledgerly::test {

// True when the tests run as root, for whom file permissions do not apply.
inline bool RunningAsRoot() {
  return ::geteuid() == 0;
}

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
    std::uint64_t file_size_limit = 0;
    // The child reads its standard input from a pipe fed by Feed().
    bool input_pipe = false;
    // The child writes its standard output (and with errors_to_pipe its standard
    // error) into a pipe of one page, read by ReadOutput().
    bool output_pipe = false;
    bool errors_to_pipe = false;
    int closed_stream = -1;  // a standard stream the child starts without
  };

  // Starts program with the arguments; stderr and stdout go to stderr_file.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path& stderr_file, const Options& options) {
    namespace fs = std::filesystem;
    constexpr uid_t kNobody = 65534;
    // Everything the child needs is prepared before fork: only async-signal-safe calls after it.
    const bool drop = options.unprivileged && RunningAsRoot();
    std::vector<std::string> argv_text{program};
    if (drop) {
      argv_text[0] = (stderr_file.parent_path() / fs::path(program).filename()).string();
      fs::copy_file(program, argv_text[0], fs::copy_options::overwrite_existing);
    }
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<std::string> env_text = options.env;  // found before the inherited values
    for (char** e = environ; *e; ++e) env_text.emplace_back(*e);
    const auto pointers = [](std::vector<std::string>& texts) {
      std::vector<char*> pointers;
      for (std::string& text : texts) pointers.push_back(text.data());
      pointers.push_back(nullptr);
      return pointers;
    };
    const std::vector<char*> argv = pointers(argv_text), envp = pointers(env_text);
    const std::string err_path = stderr_file.string();
    int input[2] = {-1, -1};
    if (options.input_pipe && ::pipe(input) != 0) throw std::runtime_error("pipe failed");
    int output[2] = {-1, -1};
    if (options.output_pipe && ::pipe(output) != 0) throw std::runtime_error("pipe failed");
    if (options.output_pipe) ::fcntl(output[1], F_SETPIPE_SZ, 4096);
    // A child that died must fail the test, not end it with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);

    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      if (options.input_pipe) ::dup2(input[0], STDIN_FILENO);
      ::close(input[0]);
      ::close(input[1]);
      const int fd = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      if (fd < 0 || ::dup2(fd, STDERR_FILENO) < 0 || ::dup2(fd, STDOUT_FILENO) < 0) ::_exit(124);
      if (options.output_pipe) {
        ::dup2(output[1], STDOUT_FILENO);
        if (options.errors_to_pipe) ::dup2(output[1], STDERR_FILENO);
        ::close(output[0]);
        ::close(output[1]);
      }
      if (options.closed_stream >= 0) ::close(options.closed_stream);
      if (drop &&
          (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
        ::_exit(126);
      }
      if (options.file_size_limit > 0) {
        // A full disk: writes past the limit fail with EFBIG instead of a signal.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{options.file_size_limit, options.file_size_limit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
      }
      ::execve(argv[0], argv.data(), envp.data());
      ::_exit(127);
    }
    ::close(input[0]);
    input_ = input[1];
    if (options.output_pipe) ::close(output[1]);
    output_ = output[0];
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {  // a child still running is killed
    EndInput();
    EndOutput();
    if (!waited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  void Signal(int signal) const { ::kill(pid_, signal); }
  // Writes to the child's input pipe; false when the child no longer reads it.
  bool Feed(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(input_, bytes.data(), bytes.size());
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }
  // Up to `size` bytes of the child's output pipe, "" at its end.
  std::string ReadOutput(std::size_t size) {
    std::string bytes(size, '\0');
    const ssize_t got = ::read(output_, bytes.data(), size);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
  }
  void EndOutput() {
    if (output_ >= 0) ::close(output_);
    output_ = -1;
  }
  void EndInput() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
  }
  // Waits for the end. A child that outlives the watchdog is killed, so a
  // hang fails the test instead of stopping the suite.
  void Wait(int watchdog_seconds = 120) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(watchdog_seconds);
    while (::waitpid(pid_, &status_, WNOHANG) != pid_) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status_, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    waited_ = true;
  }

  bool exited() const { return WIFEXITED(status_); }
  int exit_status() const { return exited() ? WEXITSTATUS(status_) : -1; }
  int term_signal() const { return WIFSIGNALED(status_) ? WTERMSIG(status_) : 0; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;   // our end of the input pipe
  int output_ = -1;  // our end of the output pipe
  bool waited_ = false;
  int status_ = 0;
};

// Where the unprivileged children can reach `folder`: empty, or why not, naming
// the first folder on the way they cannot enter.
inline std::string WhyNobodyCannotReach(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  for (fs::path p = fs::absolute(folder);; p = p.parent_path()) {
    if ((fs::status(p).permissions() & fs::perms::others_exec) == fs::perms::none) {
      return "the unprivileged user cannot enter " + p.string();
    }
    if (p == p.root_path()) return {};
  }
}

}  // namespace ledgerly::test
#endif
