#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledgerly {

enum class MessageIcon { Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const Date&) const = default;
};

// "mm/dd/yyyy"
std::string FormatDate(const Date& date);

// Today, or the date in LEDGERLY_TODAY (YYYY-MM-DD) when it is set and valid.
Date TodayOrOverride();
// What to tell the user when LEDGERLY_TODAY is set but no valid date, else "".
std::string TodayOverrideWarning();

struct RunProgress {
  int64_t rec_ctr = 0;       // record being handled
  int64_t file_records = 0;  // records handled in the current file
  uint64_t bytes_read = 0;   // of the current file
  uint64_t file_size = 0;    // of the current file
};

// Everything a Test run asks of the platform: the desktop program answers with
// dialogs and its event loop, the command line with its arguments and stderr.
class RunHost {
 public:
  virtual ~RunHost() = default;

  // The next submission file, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseFile(std::string_view title) = 0;

  virtual MessageAnswer ShowMessage(MessageIcon icon, std::string_view title, std::string_view text,
                                    MessageButtons buttons) = 0;

  // Called once per record; the host decides how often to show it.
  virtual void Progress(const RunProgress& progress) = 0;

  // Lets the platform breathe between records. Returns true when the run must
  // stop because the user chose Exit (or the process was asked to end).
  virtual bool KeepResponsive() = 0;

  virtual Date Today() = 0;

  // A file of the submission has been opened (the window hides its result views).
  virtual void FileStarted(std::string_view /*path*/) {}

  // A passing state of the run, such as a wait for another run, shown without a question.
  virtual void ShowStatus(std::string_view /*text*/) {}

  // After a clean run the user agreed to open the filing service.
  virtual void OpenFilingService() = 0;
};

}  // namespace ledgerly
