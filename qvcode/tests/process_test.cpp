// qvcode as a process: the signals that stop a sweep, output that cannot be
// written, and a report that is a FIFO.  Nothing is lost silently and nothing
// that failed exits 0.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "qvcode/tests/command_run.hpp"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class Process : public qvcode::testing::FolderTest {
 protected:
  Process() : FolderTest("qvcode-process-") {}

  // Starts qvcode with `args`; stdout goes to `out` (null: closed), stderr
  // to the file `errName` in the folder (errors() reads stderr.txt).
  // `prepare` sets up the child before it runs qvcode.
  pid_t start(const std::vector<std::string>& args, const char* out = "/dev/null",
              const std::string& errName = "stderr.txt", void (*prepare)() = nullptr) {
    const std::string errFile = path(errName);
    const pid_t child = fork();
    if (child == 0) {
      if (prepare) prepare();
      const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(err, STDERR_FILENO);
      if (out) {
        const int o = ::open(out, O_WRONLY);
        dup2(o, STDOUT_FILENO);
      } else {
        ::close(STDOUT_FILENO);
      }
      std::vector<char*> argv{const_cast<char*>("qvcode")};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(QVCODE_PATH, argv.data());
      _exit(127);
    }
    return child;
  }

  // The exit status, or nullopt when the process had to be killed after
  // `limit` (it did not stop) or ended by a signal.
  static std::optional<int> exitStatus(pid_t child, std::chrono::milliseconds limit = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        ADD_FAILURE() << "qvcode did not stop";
        return std::nullopt;
      }
      std::this_thread::sleep_for(10ms);
    }
    if (!WIFEXITED(status)) {
      ADD_FAILURE() << "qvcode ended by signal " << WTERMSIG(status);
      return std::nullopt;
    }
    return WEXITSTATUS(status);
  }

  // Until the process sleeps in the kernel: it waits for a FIFO.
  static void waitUntilAsleep(pid_t child) {
    for (int i = 0; i < 500; ++i) {
      std::ifstream stat("/proc/" + std::to_string(child) + "/stat");
      std::string pid, name, state;
      stat >> pid >> name >> state;
      if (state == "S") return;
      std::this_thread::sleep_for(10ms);
    }
  }

  std::string errors() const { return read(path("stderr.txt")); }
};

// A grid of about 18 million cases, far longer than any test waits.
std::vector<std::string> longSweep(const std::string& report) {
  return {"sweep", "--store", "all", "--report", report, "--lat-step", "1", "--lon-step", "1"};
}

struct StopSignal {
  int signal;
  int status;
  const char* reason;
};

TEST_F(Process, SignalsStopTheSweepKeepingEveryRecordThatWasDue) {
  for (const StopSignal& s :
       {StopSignal{SIGINT, 130, "Interrupted by SIGINT"}, StopSignal{SIGTERM, 143, "Terminated by SIGTERM"},
        StopSignal{SIGHUP, 129, "Hung up by SIGHUP"}}) {
    SCOPED_TRACE(s.reason);
    const std::string report = path("r.txt");
    fs::remove(report);
    const pid_t child = start(longSweep(report));
    // Once cases reach the file, more are waiting in the buffer.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline && (!fs::exists(report) || fs::file_size(report) < 200000))
      std::this_thread::sleep_for(20ms);
    // Meanwhile no other sweep, and no merge, may write the same report.
    if (s.signal == SIGINT) {
      // A small sweep in one shard, for the merge to join into the report.
      ASSERT_EQ(
          exitStatus(start({"sweep", "--shard", "1/1", "--report", report, "--lat-step", "600", "--lon-step", "600"},
                           "/dev/null", "shard.txt")),
          0);
      for (const std::vector<std::string>& other : {longSweep(report), std::vector<std::string>{"merge", report}}) {
        EXPECT_EQ(exitStatus(start(other, "/dev/null", "other.txt")), 2) << other[0];
        const std::string said = read(path("other.txt"));
        EXPECT_NE(said.find("another sweep or merge is writing it"), std::string::npos) << said;
      }
      fs::remove(report + ".1-of-1.summary");
      fs::remove(report + ".1-of-1");
    }
    kill(child, s.signal);
    EXPECT_EQ(exitStatus(child), s.status);

    // Store-all: every case that ran has its whole record, and none more.
    const std::string message = errors();
    EXPECT_EQ(message.rfind(std::string("qvcode: ") + s.reason + ". The sweep stopped after ", 0), 0U) << message;
    EXPECT_NE(message.find("keeps the lines written before and has no closing line"), std::string::npos) << message;
    const std::size_t after = message.find("after ") + 6;
    const long long cases = std::stoll(message.substr(after));
    const std::string bytes = read(report);
    long long lines = 0;
    for (std::size_t at = bytes.find("\"\r\n"); at != std::string::npos; at = bytes.find("\"\r\n", at + 3)) ++lines;
    EXPECT_EQ(lines, cases);
    EXPECT_TRUE(bytes.ends_with("\"\r\n"));
    EXPECT_EQ(bytes.find("cases="), std::string::npos);
  }
}

// Started with a stop signal ignored (nohup, a job that a script sends to
// the background), a command runs on when that signal comes.
TEST_F(Process, AStopSignalIgnoredAtTheStartStaysIgnored) {
  const std::string report = path("r.txt");
  const struct {
    int signal;
    void (*ignore)();
  } rows[] = {{SIGINT, [] { signal(SIGINT, SIG_IGN); }}, {SIGHUP, [] { signal(SIGHUP, SIG_IGN); }}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.signal);
    fs::remove(report);
    const pid_t child = start(longSweep(report), "/dev/null", "stderr.txt", r.ignore);
    // Cases in the file: the sweep has set up its signals.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline && (!fs::exists(report) || fs::file_size(report) == 0))
      std::this_thread::sleep_for(20ms);
    kill(child, r.signal);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "it stopped: " << errors();
    kill(child, SIGTERM);
    EXPECT_EQ(exitStatus(child), 143);
  }
}

// A file that cannot take more (here the file-size limit; a full disk is the
// same) ends after the last whole line, and the message says how many.
TEST_F(Process, OutputThatFillsTheFileEndsAfterItsLastWholeLine) {
  std::string in, whole;
  for (int i = 0; i < 20000; ++i) {
    in += i % 3 ? "50 10\n" : "-33.87, 151.21\n";
    whole += i % 3 ? "m11:6.6 r236.8\n" : "m2:1184.2 r16326.8\n";
  }
  std::ofstream(path("in.txt"), std::ios::binary) << in;
  constexpr std::size_t limit = 100000;
  const std::string kept = whole.substr(0, whole.rfind('\n', limit - 1) + 1);
  for (const char* format : {"--json", ""}) {
    std::vector<std::string> args = {"encode", "--input-file", path("in.txt"), "--output-file", path("out.txt")};
    if (*format) args.push_back(format);
    const pid_t child = start(args, "/dev/null", "stderr.txt", [] {
      const rlimit fileSize{limit, limit};
      setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    EXPECT_EQ(exitStatus(child), 2);
    const std::string out = read(path("out.txt"));
    EXPECT_LE(out.size(), limit);
    EXPECT_TRUE(out.ends_with('\n'));
    const auto lines = std::count(out.begin(), out.end(), '\n');
    EXPECT_EQ(errors(), "qvcode: cannot write '" + path("out.txt") + "' after " + std::to_string(lines) +
                            " whole lines: File too large\n");
    if (!*format) {
      EXPECT_TRUE(out == kept) << out.size() << " bytes, not " << kept.size();
    }
  }
}

TEST_F(Process, OutputThatCannotBeWrittenIsAFailure) {
  const std::string report = path("r.txt");
  const std::vector<std::vector<std::string>> commands = {
      {"encode", "50", "10"},
      {"encode", "--json", "48.2", "11.575277777777778"},
      {"decode", "m11:6.6 r236.8"},
      {"algorit", "50", "0", "0", "10", "0", "0", "N", "E"},
      // Filter mode writes its blocks itself.
      {"encode", "--input-string", "50 10;bad"},
      {"decode", "--csv", "--input-string", "m11:6.6 r236.8"},
      {"sweep", "--report", report, "--lat-step", "600", "--lon-step", "600"},
      {"--help"},
  };
  struct Output {
    const char* path;  // null: closed
    const char* reason;
  };
  for (const Output& o : {Output{"/dev/full", "No space left on device"}, Output{nullptr, "Bad file descriptor"}}) {
    for (const std::vector<std::string>& args : commands) {
      SCOPED_TRACE(args[0] + (o.path ? " > /dev/full" : " >&-"));
      EXPECT_EQ(exitStatus(start(args, o.path)), 2);
      EXPECT_EQ(errors(), std::string("qvcode: cannot write the output: ") + o.reason + "\n");
    }
  }
  // The sweep itself finished: its report is whole.
  EXPECT_TRUE(read(report).ends_with("\"cases=  648\"\r\n"));
}

TEST_F(Process, AReportFifoWhoseReaderLeavesIsARefusedWrite) {
  const std::string fifo = path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const pid_t child = start(longSweep(fifo));
  const int reader = ::open(fifo.c_str(), O_RDONLY);
  char some[1000];
  EXPECT_GT(::read(reader, some, sizeof some), 0);
  ::close(reader);
  EXPECT_EQ(exitStatus(child), 2);
  const std::string message = errors();
  EXPECT_EQ(message.rfind("qvcode: sweep failed: Cannot write report file '" + fifo + "': Broken pipe.", 0), 0U)
      << message;
  EXPECT_NE(message.find("was handed"), std::string::npos) << message;
}

TEST_F(Process, CtrlCStopsASweepBlockedOnItsReport) {
  const std::string fifo = path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  // No reader: the open waits for one.
  pid_t child = start(longSweep(fifo));
  waitUntilAsleep(child);
  kill(child, SIGINT);
  EXPECT_EQ(exitStatus(child, 5s), 130);
  EXPECT_EQ(errors(), "qvcode: Interrupted by SIGINT while the report file '" + fifo +
                          "' was being opened: no case has run and nothing was written.\n");

  // A reader that reads nothing: the write waits once the pipe is full.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  child = start(longSweep(fifo));
  const int capacity = fcntl(reader, F_GETPIPE_SZ);
  int queued = 0;
  for (int i = 0; i < 1000 && queued < capacity; ++i) {
    std::this_thread::sleep_for(10ms);
    ioctl(reader, FIONREAD, &queued);
  }
  waitUntilAsleep(child);
  kill(child, SIGINT);
  EXPECT_EQ(exitStatus(child, 5s), 130);
  EXPECT_EQ(errors().rfind("qvcode: Interrupted by SIGINT. The sweep stopped after ", 0), 0U) << errors();
  ::close(reader);
}

// Whether `child` holds a file of `folder` open for writing that is none of
// `known`: a file it writes before it is in place.
bool writesNew(pid_t child, const fs::path& folder, const std::set<std::string>& known) {
  std::error_code ec;
  for (const fs::directory_entry& fd : fs::directory_iterator("/proc/" + std::to_string(child) + "/fd", ec)) {
    const std::string target = fs::read_symlink(fd.path(), ec).string();
    if (!ec && target.starts_with(folder.string() + "/") && !known.contains(fs::path(target).filename().string()))
      return true;
  }
  return false;
}

std::set<std::string> filesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// A merge killed outright while it writes leaves no file behind for good:
// what it wrote has no name, or the next merge of the report removes it.
TEST_F(Process, AMergeKilledWhileItWritesLeavesNoFileBehind) {
  const std::string report = path("r.txt");
  // Parts of some 18 MB: the merge writes long enough to be caught at it.
  for (const char* k : {"1/2", "2/2"})
    ASSERT_EQ(
        exitStatus(start({"sweep", "--store", "all", "--shard", k, "--report", report}, "/dev/null", "shard.txt")), 0);
  std::ofstream(report, std::ios::binary) << "\"the old report\"\r\n";
  // What another merge left, killed on this host and still running here.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::string left = ".r.txt." + std::to_string(gone) + "@" + host + ".0";
  const std::string running = ".r.txt." + std::to_string(getpid()) + "@" + host + ".0";
  for (const std::string& f : {left, running}) std::ofstream(path(f)) << "part of a report";
  std::set<std::string> files = filesIn(folder());
  files.insert("stderr.txt");

  bool caught = false;
  for (int attempt = 0; attempt < 20 && !caught; ++attempt) {
    const pid_t child = start({"merge", report});
    while (!caught && waitpid(child, nullptr, WNOHANG) == 0) caught = writesNew(child, folder(), files);
    if (caught) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }
  ASSERT_TRUE(caught) << "no merge was caught writing";
  EXPECT_EQ(read(report), "\"the old report\"\r\n");

  EXPECT_EQ(exitStatus(start({"merge", report})), 0) << errors();
  files.erase(left);
  EXPECT_EQ(filesIn(folder()), files);
  EXPECT_TRUE(read(report).ends_with("\"cases=  256683\"\r\n"));
}

}  // namespace
