#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "engine/TestRun.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

namespace ledgerly::test {

// Test runs into a result database in a folder of their own, answered by a scripted host.
class RunFixture : public ::testing::Test {
 protected:
  // Each content is written to a file of its own; the files are one submission.
  RunResult Run(std::initializer_list<std::string> contents, int error_limit = kDefaultErrorLimit) {
    int n = 0;
    for (const std::string& content : contents) {
      host_.files.push_back(dir_.Write("file" + std::to_string(++n) + ".txt", content));
    }
    return TestRun(host_, db(), error_limit).ReadFile();
  }
  RunResult RunFile(const std::string& path, int error_limit = kDefaultErrorLimit) {
    host_.files.push_back(path);
    return TestRun(host_, db(), error_limit).ReadFile();
  }
  std::filesystem::path db() const { return dir_.path() / "ERRORLOG.MDB"; }

  TempFolder dir_;
  ScriptedHost host_;
};

}  // namespace ledgerly::test
