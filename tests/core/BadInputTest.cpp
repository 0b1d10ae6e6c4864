// Hostile inputs and environments for ledgerly-cli, run as a real process: each
// must end with its outcome and a clear message, never a crash or a hang, and
// any result database left behind must be sound.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "cli/CliApp.h"
#include "engine/Sqlite.h"
#include "support/ChildProcess.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"
#include "support/TempFolder.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;
using test::Submission;

// The folder of one case: LEDGERLY_HOME is its "home" subfolder.
struct CaseFolder {
  test::TempFolder dir;
  fs::path home;
  std::unique_ptr<Database> lock_holder;  // another program's connection, kept open
  rlim_t file_size_limit = 0;             // a disk that fills at this size

  fs::path Path(const std::string& name) const { return dir.path() / name; }
  std::string Write(const std::string& name, const std::string& content) const {
    return dir.Write(name, content);
  }
  fs::path db() const { return Path("ERRORLOG.MDB"); }
};

struct BadInputCase {
  std::string name;
  // Builds the case and returns the arguments; "--db <folder>/ERRORLOG.MDB" is
  // added unless they name a database.
  std::function<std::vector<std::string>(CaseFolder&)> setup;
  int exit_status;
  std::string message;  // expected on stderr
  bool unprivileged = false;
  std::string kept = {};  // a file of the case folder that must come through unchanged
};

void PrintTo(const BadInputCase& c, std::ostream* os) {
  *os << c.name;
}

std::string Garbage(std::size_t size, std::string_view head = {}) {
  std::string bytes(head);
  uint32_t state = 12345;
  while (bytes.size() < size) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 24);
  }
  return bytes;
}

// Two RW records with one faulty field each and the RT that cannot match them: 3 errors.
std::string TwoFaults() {
  std::string content = Submission({"RA", "RE", "RW", "RW", "RT", "RF"});
  content.replace(514 * 2 + 209, 11, "12345ABCDEF");
  content.replace(514 * 3 + 209, 11, "12345ABCDEF");
  return content;
}

std::string MakeSettings(CaseFolder& f, const std::string& content) {
  f.Write("home/ErrSetLog.ini", content);
  return f.Write("two-faults.txt", TwoFaults());
}

class BadInputTest : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInputTest, EndsWithItsOutcomeAndMessage) {
  const BadInputCase& c = GetParam();
  CaseFolder folder;
  // Open to the unprivileged user the permission cases run as.
  fs::permissions(folder.dir.path(), fs::perms::all);
  folder.home = folder.Path("home");
  fs::create_directory(folder.home);
  fs::permissions(folder.home, fs::perms::all);
  if (c.unprivileged && test::RunningAsRoot()) {
    const std::string why = test::WhyNobodyCannotReach(folder.dir.path());
    if (!why.empty()) GTEST_SKIP() << why;
  }

  std::vector<std::string> args = c.setup(folder);
  if (std::find(args.begin(), args.end(), "--db") == args.end()) {
    args.insert(args.begin(), {"--db", folder.db().string()});
  }
  const std::string kept_before = c.kept.empty() ? "" : test::ReadFileText(folder.Path(c.kept));
  const fs::path err_file = folder.Path("stderr.txt");
  test::ChildProcess cli(
      LEDGERLY_CLI_PATH, args, err_file,
      {{"LEDGERLY_HOME=" + folder.home.string()}, c.unprivileged, folder.file_size_limit});
  cli.Wait();
  const std::string err = test::ReadFileText(err_file);
  if (!c.kept.empty()) {
    EXPECT_EQ(test::ReadFileText(folder.Path(c.kept)), kept_before);
  }
  // Nothing half-made is left beside the database or a report.
  for (const auto& entry : fs::directory_iterator(folder.dir.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(!name.ends_with("-new") && !name.starts_with(".")) << name;
  }

  EXPECT_EQ(cli.term_signal(), 0) << err;
  EXPECT_EQ(cli.exit_status(), c.exit_status) << err;
  EXPECT_NE(err.find(c.message), std::string::npos) << err;
  const bool reads_results = std::find(args.begin(), args.end(), "--last") != args.end();
  if (!reads_results && !folder.lock_holder && c.kept.empty() && fs::exists(folder.db())) {
    EXPECT_EQ(test::ResultDatabaseFaults(folder.db()), std::vector<std::string>{});
  }
  fs::permissions(folder.dir.path(), fs::perms::owner_all, fs::perm_options::add);
  for (const auto& entry : fs::recursive_directory_iterator(folder.dir.path())) {
    if (entry.is_symlink()) continue;
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
  }
}

using Args = std::vector<std::string>;

std::string Clean(CaseFolder& f) {
  return f.Write("clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
}

// A folder "ro" for a database; MakeReadOnly() then lets the program read it only.
fs::path ReadOnlyFolder(CaseFolder& f) {
  fs::create_directory(f.Path("ro"));
  return f.Path("ro/ERRORLOG.MDB");
}

void MakeReadOnly(CaseFolder& f) {
  fs::permissions(f.Path("ro"), fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
}

// A file of NULs only, 3 GiB long but taking no space; `head` is written first.
Args Sparse(CaseFolder& f, const std::string& head) {
  const std::string file = f.Write("sparse.txt", head);
  if (::truncate(file.c_str(), 3LL << 30) != 0) return {"--cannot-truncate"};
  return {file};
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadInputTest,
    ::testing::Values(
        BadInputCase{"MissingPath", [](CaseFolder& f) -> Args { return {f.Path("absent.txt")}; },
                     kExitNotTested, "absent.txt was not found."},
        BadInputCase{"Directory",
                     [](CaseFolder& f) -> Args {
                       fs::create_directory(f.Path("folder"));
                       return {f.Path("folder")};
                     },
                     kExitNotTested, "folder: Is a directory"},
        BadInputCase{"NoReadPermission",
                     [](CaseFolder& f) -> Args {
                       const std::string file = f.Write("secret.txt", Submission({"RA", "RE"}));
                       fs::permissions(file, fs::perms::none);
                       return {file};
                     },
                     kExitNotTested, "secret.txt: Permission denied", true},
        // Exists and opens, but reading its first bytes fails.
        BadInputCase{"ReadFails", [](CaseFolder&) -> Args { return {"/proc/self/mem"}; },
                     kExitNotTested, "Unreadable data in File:\n/proc/self/mem"},
        BadInputCase{"EndlessDevice", [](CaseFolder&) -> Args { return {"/dev/zero"}; },
                     kExitNotTested, "/dev/zero is not a regular file"},
        BadInputCase{"ZeroBytes", [](CaseFolder& f) -> Args { return {f.Write("e.txt", "")}; },
                     kExitNotTested, "Warning: The file contains no valid data."},
        BadInputCase{"OnlyLineBreaks",
                     [](CaseFolder& f) -> Args {
                       std::string breaks;
                       for (int i = 0; i < 2000; ++i) breaks += "\r\n\n\r";
                       return {f.Write("breaks.txt", breaks)};
                     },
                     kExitNotTested, "Warning: The file contains no valid data."},
        BadInputCase{"NulBytes",
                     [](CaseFolder& f) -> Args {
                       return {f.Write("nul.txt", std::string(4096, '\0'))};
                     },
                     kExitCritical, "Record Number 1:\nRecord 1 must be RA record."},
        BadInputCase{"BinaryImage",
                     [](CaseFolder& f) -> Args {
                       return {f.Write("p.png", Garbage(256 * 1024, "\x89PNG\r\n\x1a\n"))};
                     },
                     kExitCritical, "Record Number 1:\nRecord 1 must be RA record."},
        // Split every 512 characters: the 2nd piece has no valid identifier.
        BadInputCase{"RecordOf100000Characters",
                     [](CaseFolder& f) -> Args {
                       return {f.Write("long.txt", Submission({"RA", "RE"}) + "RW" +
                                                       std::string(99998, '0'))};
                     },
                     kExitCritical, "Record Number 4:\nEnter appropriate code: RW, RO, RS,"},
        // Three records, then a hole of NULs: an end-of-file marker.
        BadInputCase{"SparseFileOf3GiB",
                     [](CaseFolder& f) { return Sparse(f, Submission({"RA", "RE", "RW"}, "")); },
                     kExitErrors, "Missing Final Record: RF record was not found."},
        BadInputCase{"SparseFileOfNulsOnly", [](CaseFolder& f) { return Sparse(f, ""); },
                     kExitCritical, "Record 1 must be RA record."},
        BadInputCase{"ReadOnlyDataFolder",
                     [](CaseFolder& f) -> Args {
                       const fs::path db = ReadOnlyFolder(f);
                       MakeReadOnly(f);
                       return {"--db", db, Clean(f)};
                     },
                     kExitNotTested, "unable to open database file: ", true},
        BadInputCase{"ReadOnlyDataFolderWithResults",
                     [](CaseFolder& f) -> Args {
                       const fs::path db = ReadOnlyFolder(f);
                       f.Write("ro/ERRORLOG.MDB", "");
                       MakeReadOnly(f);
                       return {"--db", db, Clean(f)};
                     },
                     kExitNotTested, "unable to open database file: ", true},
        BadInputCase{"DatabaseLockedByAnotherProgram",
                     [](CaseFolder& f) -> Args {
                       f.lock_holder =
                           std::make_unique<Database>(f.db(), Database::Mode::ReadWriteCreate);
                       f.lock_holder->Exec("CREATE TABLE Other (Value TEXT); BEGIN EXCLUSIVE; "
                                           "INSERT INTO Other VALUES ('kept');");
                       return {Clean(f)};
                     },
                     kExitNotTested, "ERRORLOG.MDB is in use by another program"},
        BadInputCase{"CorruptDatabaseIsKept",
                     [](CaseFolder& f) -> Args {
                       f.Write("ERRORLOG.MDB", Garbage(8192, "SQLite format 3"));
                       return {Clean(f)};
                     },
                     kExitNotTested, "(it is not an SQLite database: file is not a database)", false,
                     "ERRORLOG.MDB"},
        BadInputCase{"SubmissionAsDatabase",
                     [](CaseFolder& f) -> Args {
                       const std::string file = f.Write("s.txt", Submission({"RA", "RE", "RF"}));
                       return {"--db", file, file};
                     },
                     kExitNotTested, "s.txt is not a Ledgerly result database", false, "s.txt"},
        BadInputCase{"OtherProgramsDatabase",
                     [](CaseFolder& f) -> Args {
                       Database(f.db(), Database::Mode::ReadWriteCreate)
                           .Exec("CREATE TABLE RECORDS (Other TEXT)");
                       return {Clean(f)};
                     },
                     kExitNotTested, "(it is another program's SQLite database)", false,
                     "ERRORLOG.MDB"},
        BadInputCase{"FolderAsDatabase",
                     [](CaseFolder& f) -> Args {
                       fs::create_directory(f.Path("results"));
                       return {"--db", f.Path("results"), Clean(f)};
                     },
                     kExitNotTested, "(it is a folder)"},
        BadInputCase{"DiskFullAtTheStart",
                     [](CaseFolder& f) -> Args {
                       f.file_size_limit = 32 * 1024;
                       return {Clean(f)};
                     },
                     kExitNotTested, "Error Description: disk I/O error"},
        BadInputCase{"OutputIsTheDatabase",
                     [](CaseFolder& f) -> Args {
                       return {"--report", "text", "--output", f.db(), Clean(f)};
                     },
                     kExitNotTested, "ERRORLOG.MDB: it is the result database."},
        BadInputCase{"OutputIsTheJournal",
                     [](CaseFolder& f) -> Args {
                       return {"--report", "json", "--output", f.db().string() + "-journal",
                               Clean(f)};
                     },
                     kExitNotTested, "it is the result database's journal."},
        BadInputCase{"OutputIsTheSubmission",
                     [](CaseFolder& f) -> Args {
                       const std::string file = f.Write("clean.txt", Submission({"RA", "RE"}));
                       fs::create_directory(f.Path("sub"));
                       return {"--report", "html", "--output", f.Path("sub/../clean.txt"), file};
                     },
                     kExitNotTested, "it is a submission file being tested.", false, "clean.txt"},
        BadInputCase{"OutputInAMissingFolder",
                     [](CaseFolder& f) -> Args {
                       return {"--report", "text", "--output", f.Path("none/report.txt"),
                               Clean(f)};
                     },
                     kExitNotTested, "report.txt: No such file or directory"},
        BadInputCase{"SymlinkLoop",
                     [](CaseFolder& f) -> Args {
                       fs::create_symlink(f.Path("loop"), f.Path("loop"));
                       return {f.Path("loop")};
                     },
                     kExitNotTested, "loop: Too many levels of symbolic links"},
        BadInputCase{"Fifo",
                     [](CaseFolder& f) -> Args {
                       ::mkfifo(f.Path("pipe").c_str(), 0666);
                       return {f.Path("pipe")};
                     },
                     kExitNotTested, "pipe is not a regular file"},
        BadInputCase{"ErrorLimitNotANumber",
                     [](CaseFolder& f) -> Args {
                       return {"--error-limit", "abc", f.Write("two-faults.txt", TwoFaults())};
                     },
                     kExitNotTested, "abc must be a whole number from 1 to 25000"},
        BadInputCase{"ProgressEndsItsLine",
                     [](CaseFolder& f) -> Args { return {"--progress", Clean(f)}; }, kExitClean,
                     "(100%)\nResults: Testing Completed."},
        // A copy taken in the middle of a write: a journal to play back.
        BadInputCase{"InterruptedResultsReadOnly",
                     [](CaseFolder& f) -> Args {
                       Database writer(f.db(), Database::Mode::ReadWriteCreate);
                       writer.Exec(
                           "CREATE TABLE t (a); PRAGMA cache_size = 2; BEGIN; "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                           "WHERE i < 3000) INSERT INTO t SELECT zeroblob(500) FROM n;");
                       const fs::path db = ReadOnlyFolder(f);
                       fs::copy(f.db(), db);
                       fs::copy(f.db().string() + "-journal", db.string() + "-journal");
                       MakeReadOnly(f);
                       return {"--last", "--report", "text", "--db", db};
                     },
                     kExitNotTested, "need write access to the file and its folder to be recovered",
                     true},
        BadInputCase{"CorruptDatabaseForLast",
                     [](CaseFolder& f) -> Args {
                       f.Write("ERRORLOG.MDB", Garbage(8192));
                       return {"--last", "--report", "text"};
                     },
                     kExitNotTested, "Error Description: file is not a database"},
        BadInputCase{"EmptyDatabaseForLast",
                     [](CaseFolder& f) -> Args {
                       f.Write("ERRORLOG.MDB", "");
                       return {"--last", "--report", "json"};
                     },
                     kExitNotTested, "Error Description: no such table"},
        BadInputCase{"SettingsOfGarbage",
                     [](CaseFolder& f) -> Args { return {MakeSettings(f, Garbage(300))}; },
                     kExitErrors, "Errors found: 3"},
        BadInputCase{"SettingsOutOfRange",
                     [](CaseFolder& f) -> Args {
                       return {MakeSettings(f, "[Maximum Error Count]:99999999999999999999999\r\n")};
                     },
                     kExitErrors, "Errors found: 3"},
        BadInputCase{"SettingsIsAFolder",
                     [](CaseFolder& f) -> Args {
                       fs::create_directory(f.home / "ErrSetLog.ini");
                       return {f.Write("two-faults.txt", TwoFaults())};
                     },
                     kExitErrors, "Errors found: 3"}),
    [](const ::testing::TestParamInfo<BadInputCase>& info) { return info.param.name; });

// The other program's data survives a refused run.
TEST(BadInputLockTest, TheHolderKeepsItsFile) {
  test::TempFolder dir;
  const fs::path db = dir.path() / "ERRORLOG.MDB";
  Database holder(db, Database::Mode::ReadWriteCreate);
  holder.Exec("CREATE TABLE Other (Value TEXT); INSERT INTO Other VALUES ('kept');");
  holder.Exec("BEGIN IMMEDIATE");
  const std::string file = dir.Write("clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
  test::ChildProcess cli(LEDGERLY_CLI_PATH, {"--db", db.string(), file}, dir.path() / "err.txt",
                         {{"LEDGERLY_HOME=" + dir.path().string()}});
  cli.Wait();
  EXPECT_EQ(cli.exit_status(), kExitNotTested) << test::ReadFileText(dir.path() / "err.txt");
  holder.Exec("COMMIT");
  EXPECT_EQ(test::QueryValue(db, "SELECT Value FROM Other"), "kept");
}

}  // namespace
}  // namespace ledgerly
