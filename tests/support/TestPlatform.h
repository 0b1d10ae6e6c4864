#pragma once

// What the tests ask of the system themselves, on POSIX and on Windows.
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h names its A/W pairs by macro; the desktop's own MessageBox is meant.
#undef MessageBox
// The signals the POSIX rows send; on Windows a child is ended or sent a console event.
#ifndef SIGKILL
#define SIGKILL 9
#endif
#ifndef SIGHUP
#define SIGHUP 1
#endif
#include <tlhelp32.h>
#else
#include <unistd.h>
#endif

namespace ledgerly::test {

// Sets or (value null) removes an environment variable of this process.
inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  ::_putenv_s(name, value ? value : "");
#else
  value ? ::setenv(name, value, 1) : ::unsetenv(name);
#endif
}

inline long OwnProcessId() {
#ifdef _WIN32
  return static_cast<long>(::GetCurrentProcessId());
#else
  return ::getpid();
#endif
}

// A new folder (mode 0700 where there are modes) named prefix and six characters.
inline std::filesystem::path MakeUniqueFolder(const std::filesystem::path& prefix) {
#ifdef _WIN32
  for (unsigned n = ::GetTickCount() ^ ::GetCurrentProcessId(), tries = 0; tries < 100; ++tries) {
    n = n * 1103515245u + 12345u;
    const std::filesystem::path folder = prefix.string() + std::to_string(n % 1000000);
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
  }
  throw std::runtime_error("cannot make a folder " + prefix.string());
#else
  std::string pattern = prefix.string() + "XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
  return pattern;
#endif
}

// True under Wine, which delivers no console event (Ctrl+Break, the window
// closing) to another process: the rows that send one are left to Windows.
inline bool ConsoleEventsUnavailable() {
#ifdef _WIN32
  return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
#else
  return false;
#endif
}

// A process other than this one that is running now.
inline long AnotherLiveProcessId() {
#ifdef _WIN32
  HANDLE all = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  long found = 0;
  for (BOOL more = ::Process32First(all, &entry); more && found == 0;
       more = ::Process32Next(all, &entry)) {
    if (entry.th32ProcessID != 0 && entry.th32ProcessID != ::GetCurrentProcessId()) {
      found = static_cast<long>(entry.th32ProcessID);
    }
  }
  ::CloseHandle(all);
  return found;
#else
  return ::getppid();
#endif
}

}  // namespace ledgerly::test
