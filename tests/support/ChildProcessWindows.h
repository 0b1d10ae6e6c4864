#pragma once

// ChildProcess on Windows: the same contract as the POSIX one, with the
// process's handle for its id. What Windows has no word for (other users,
// file-size limits) is refused by the rows that need it.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/TestPlatform.h"

namespace ledgerly::test {

inline bool RunningAsRoot() {
  return false;
}

inline std::string WhyNobodyCannotReach(const std::filesystem::path&) {
  return {};
}

class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> env;
    bool unprivileged = false;
    std::uint64_t file_size_limit = 0;
    bool input_pipe = false;
    bool output_pipe = false;
    bool errors_to_pipe = false;
    int closed_stream = -1;
  };

  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path& stderr_file, const Options& options) {
    if (options.unprivileged || options.file_size_limit > 0) {
      throw std::runtime_error("no other users or file-size limits here");
    }
    std::string command = Quoted(program);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE err = ::CreateFileA(stderr_file.string().c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherited,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE in_child = ::GetStdHandle(STD_INPUT_HANDLE), out_child = err, err_child = err;
    if (options.input_pipe) Pipe(in_child, input_, true);
    if (options.output_pipe) {
      Pipe(output_, out_child, false);
      if (options.errors_to_pipe) err_child = out_child;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    HANDLE* const streams[] = {&in_child, &out_child, &err_child};
    if (options.closed_stream >= 0 && options.closed_stream <= 2) {
      *streams[options.closed_stream] = nullptr;
    }
    startup.hStdInput = in_child;
    startup.hStdOutput = out_child;
    startup.hStdError = err_child;
    std::string env = Environment(options.env);
    PROCESS_INFORMATION info{};
    // Its own process group, so a console event can be sent to it alone.
    std::wstring wide(command.size() + 1, L'\0');  // the arguments are UTF-8
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, wide.data(),
                                      static_cast<int>(wide.size())));
    const BOOL started =
        ::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP,
                         env.data(), nullptr, &startup, &info);
    ::CloseHandle(err);
    if (options.input_pipe) ::CloseHandle(in_child);
    if (options.output_pipe) ::CloseHandle(out_child);
    if (!started) throw std::runtime_error("CreateProcess failed: " + command);
    ::CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() {
    EndInput();
    EndOutput();
    if (!waited_) {
      ::TerminateProcess(process_, 1);
      ::WaitForSingleObject(process_, INFINITE);
    }
    ::CloseHandle(process_);
  }

  // SIGKILL ends the process at once; the others are the Ctrl+Break a user or
  // a console closing sends.
  void Signal(int signal) {
    if (signal == SIGKILL) {
      if (::TerminateProcess(process_, 1)) signal_ = SIGKILL;
    } else {
      ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, id_);
    }
  }
  bool Feed(std::string_view bytes) {
    while (!bytes.empty()) {
      DWORD written = 0;
      if (!::WriteFile(input_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return false;
      }
      bytes.remove_prefix(written);
    }
    return true;
  }
  std::string ReadOutput(std::size_t size) {
    std::string bytes(size, '\0');
    DWORD got = 0;
    if (!::ReadFile(output_, bytes.data(), static_cast<DWORD>(size), &got, nullptr)) got = 0;
    bytes.resize(got);
    return bytes;
  }
  void EndOutput() { Close(output_); }
  void EndInput() { Close(input_); }
  void Wait(int watchdog_seconds = 120) {
    if (::WaitForSingleObject(process_, watchdog_seconds * 1000) != WAIT_OBJECT_0) {
      Signal(SIGKILL);
      ::WaitForSingleObject(process_, INFINITE);
    }
    ::GetExitCodeProcess(process_, &status_);
    waited_ = true;
  }

  bool exited() const { return signal_ == 0; }
  int exit_status() const { return exited() ? static_cast<int>(status_) : -1; }
  int term_signal() const { return signal_; }

 private:
  static std::string Quoted(const std::string& arg) {
    // The rules by which the C runtime splits a command line into argv.
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
      if (c == '\\') {
        ++backslashes;
        continue;
      }
      quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
      backslashes = 0;
      quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
  }
  // The settings given, then each inherited one they do not replace.
  static std::string Environment(const std::vector<std::string>& settings) {
    std::string block;
    std::vector<std::string> names;
    for (const std::string& s : settings) {
      block += s + '\0';
      names.push_back(s.substr(0, s.find('=') + 1));
    }
    char* const inherited = ::GetEnvironmentStringsA();
    for (const char* e = inherited; *e; e += std::strlen(e) + 1) {
      bool replaced = false;
      for (const std::string& name : names)
        replaced = replaced || _strnicmp(e, name.c_str(), name.size()) == 0;
      if (!replaced) block += std::string(e) + '\0';
    }
    ::FreeEnvironmentStringsA(inherited);
    return block + '\0';
  }
  // A pipe of one page whose child end is inherited.
  static void Pipe(HANDLE& read, HANDLE& write, bool child_reads) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!::CreatePipe(&read, &write, &inherited, 4096)) throw std::runtime_error("pipe failed");
    ::SetHandleInformation(child_reads ? write : read, HANDLE_FLAG_INHERIT, 0);
  }
  static void Close(HANDLE& handle) {
    if (handle) ::CloseHandle(handle);
    handle = nullptr;
  }

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
  HANDLE input_ = nullptr;
  HANDLE output_ = nullptr;
  bool waited_ = false;
  DWORD status_ = 0;
  int signal_ = 0;
};

}  // namespace ledgerly::test
