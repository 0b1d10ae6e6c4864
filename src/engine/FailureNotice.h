#pragma once

#include <string>
#include <string_view>

namespace ledgerly {

// The notice of a failure the program cannot go past: its number and its
// reason, on two lines ending in CR LF as the message boxes show them.
inline std::string FailureNotice(int number, std::string_view description) {
  return "Error Number: " + std::to_string(number) +
         "\r\nError Description: " + std::string(description);
}

}  // namespace ledgerly
