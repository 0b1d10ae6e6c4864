#include "support/ChildProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace ledgerly::test {

namespace {

namespace fs = std::filesystem;

// A copy of the program in a folder of its own under the temporary folder, open
// to every user; removed when the tests end.
class ProgramCopies {
 public:
  ~ProgramCopies() {
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
  }
  std::string For(const std::string& program) {
    if (folder_.empty()) {
      std::string pattern = (fs::temp_directory_path() / "ledgerly-programs-XXXXXX").string();
      if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
      folder_ = pattern;
      fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_exec |
                                   fs::perms::others_exec | fs::perms::group_read |
                                   fs::perms::others_read);
    }
    const fs::path copy = folder_ / fs::path(program).filename();
    fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    return copy.string();
  }

 private:
  fs::path folder_;
};

std::string UnprivilegedCopy(const std::string& program) {
  static ProgramCopies copies;
  return copies.For(program);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::filesystem::path& stderr_file, const Options& options) {
  // Everything the child needs is prepared before fork: only async-signal-safe calls after it.
  std::vector<std::string> argv_text{program};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_text;
  for (char** e = environ; *e; ++e) env_text.emplace_back(*e);
  env_text.insert(env_text.end(), options.env.begin(), options.env.end());
  std::vector<char*> envp;
  for (auto& e : env_text) envp.push_back(e.data());
  envp.push_back(nullptr);
  const bool drop = options.unprivileged && RunningAsRoot();
  if (drop) argv_text[0] = UnprivilegedCopy(program);
  argv[0] = argv_text[0].data();
  const std::string err_path = stderr_file.string();
  int pipe_fds[2] = {-1, -1};
  if (options.input_pipe) {
    if (::pipe(pipe_fds) != 0) throw std::runtime_error("pipe failed");
    // A child that died must fail the test, not end it with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
  }

  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    if (options.input_pipe) {
      ::dup2(pipe_fds[0], STDIN_FILENO);
      ::close(pipe_fds[0]);
      ::close(pipe_fds[1]);
    }
    const int fd = ::open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd >= 0) {
      ::dup2(fd, STDERR_FILENO);
      ::dup2(fd, STDOUT_FILENO);
      ::close(fd);
    }
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
  if (options.input_pipe) {
    ::close(pipe_fds[0]);
    input_ = pipe_fds[1];
  }
}

bool ChildProcess::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(input_, bytes.data(), bytes.size());
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

ChildProcess::~ChildProcess() {
  if (input_ >= 0) ::close(input_);
  if (pid_ > 0 && !exited_ && term_signal_ == 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void ChildProcess::Signal(int signal) const {
  ::kill(pid_, signal);
}

void ChildProcess::Wait(int watchdog_seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(watchdog_seconds);
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(status)) {
    exited_ = true;
    exit_status_ = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    term_signal_ = WTERMSIG(status);
  }
}

bool RunningAsRoot() {
  return ::geteuid() == 0;
}

std::string WhyNobodyCannotReach(const fs::path& folder) {
  for (fs::path p = fs::absolute(folder);; p = p.parent_path()) {
    const fs::perms perms = fs::status(p).permissions();
    if ((perms & fs::perms::others_exec) == fs::perms::none) {
      return "the unprivileged user cannot enter " + p.string();
    }
    if (p == p.root_path()) return {};
  }
}

}  // namespace ledgerly::test
