// The file dialog, with a stand-in `zenity` first on PATH: a shell script that
// answers as the file "mode" in its folder says.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/run.h"
#include "support/working_folder.h"
#include "ui/file_chooser.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

using Clock = std::chrono::steady_clock;

// The stand-in records its pid, then: "silent" exits 0 printing nothing,
// "cancel" exits 1; "fail" and "killed" print the name in the file "answer"
// but exit 3 or die of SIGKILL; "fds" becomes `ls` printing its own
// descriptors; "sleep" becomes `sleep 30`. (A name chosen, with its extension
// added, and no chooser on PATH are the file commands' tests.)
std::string FakeChooser(const std::string& dir) {
  return "#!/bin/sh\n"
         "d='" + dir + "'\n"
         "echo $$ > \"$d/pid\"\n"
         "case \"$(cat \"$d/mode\")\" in\n"
         "  silent) exit 0 ;;\n"
         "  cancel) exit 1 ;;\n"
         "  fail) cat \"$d/answer\"; echo; exit 3 ;;\n"
         "  killed) cat \"$d/answer\"; echo; kill -9 $$ ;;\n"
         "  fds) exec ls -l /proc/self/fd ;;\n"
         "  sleep) exec sleep 30 ;;\n"
         "esac\n"
         "exit 2\n";
}

const ChooserRequest kSave{ChooserPurpose::kSave, "Save game", "torvik.sav", "Save Files (*.sav)", "*.sav",
                           "sav"};

class FileChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(folder_.Path("zenity")) << FakeChooser(folder_.Dir().string());
    chmod(folder_.Path("zenity").c_str(), 0755);
  }

  void Answer(const std::string& mode, const std::string& name = "") {
    std::ofstream(folder_.Path("mode")) << mode;
    std::ofstream(folder_.Path("answer"), std::ios::binary) << name;
  }
  std::string Recorded(const std::string& file) const { return test::Slurp(folder_.Path(file)); }

  // Polls as the window's idle callback would, until the dialog has ended.
  static ChooserState Outcome(FileChooser& chooser, std::string& path) {
    auto limit = Clock::now() + std::chrono::seconds(10);
    ChooserState state = chooser.Poll(path);
    while (state == ChooserState::kRunning && Clock::now() < limit) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      state = chooser.Poll(path);
    }
    return state;
  }

  test::TempFolder folder_{"torvik-chooser"};
  ScopedPath path_{folder_.Dir().string(), true};
};

TEST_F(FileChooserTest, EndingWithoutANameGivesNoPath) {
  struct Case {
    const char* mode;
    ChooserState expected;
  } cases[] = {
      {"cancel", ChooserState::kCancelled},
      {"fail", ChooserState::kFailed},
      {"killed", ChooserState::kFailed},
      {"silent", ChooserState::kFailed},
  };
  FileChooser chooser;  // one chooser, used again and again
  for (const Case& c : cases) {
    Answer(c.mode, "/tmp/x/partie.sav");
    ASSERT_TRUE(chooser.Start(kSave)) << c.mode;
    std::string path = "left over";
    EXPECT_EQ(Outcome(chooser, path), c.expected) << c.mode;
    EXPECT_EQ(path, "") << c.mode;
    EXPECT_FALSE(chooser.Running());
  }
}

TEST_F(FileChooserTest, DialogGetsNoDescriptorOfTheWindow) {
  int leak = open(folder_.Path("window-file").c_str(), O_RDWR | O_CREAT, 0644);  // not close-on-exec
  ASSERT_GE(leak, 0);
  Answer("fds");
  int ownInput = dup(STDIN_FILENO);  // the window's own input is no terminal of the dialog's
  ASSERT_GE(ownInput, 0);
  dup2(leak, STDIN_FILENO);
  FileChooser chooser;
  bool started = chooser.Start(kSave);
  dup2(ownInput, STDIN_FILENO);
  close(ownInput);
  ASSERT_TRUE(started);
  std::string fds;
  EXPECT_EQ(Outcome(chooser, fds), ChooserState::kChosen);
  close(leak);
  EXPECT_NE(fds.find(" 0 -> /dev/null\n"), std::string::npos) << fds;
  EXPECT_NE(fds.find(" 1 -> pipe:"), std::string::npos) << fds;
  EXPECT_NE(fds.find(" 2 -> /dev/null\n"), std::string::npos) << fds;
  EXPECT_EQ(fds.find("window-file"), std::string::npos) << fds;
  EXPECT_EQ(fds.find("pipe:"), fds.rfind("pipe:")) << "only standard output is a pipe\n" << fds;
}

TEST_F(FileChooserTest, DestroyingAnOpenDialogKillsAndReapsIt) {
  Answer("sleep");
  pid_t pid = 0;
  auto destroyed = Clock::now();
  {
    FileChooser chooser;
    ASSERT_TRUE(chooser.Start(kSave));
    EXPECT_FALSE(chooser.Start(kSave)) << "one dialog at a time";
    auto limit = Clock::now() + std::chrono::seconds(10);
    while (Recorded("pid").empty() && Clock::now() < limit)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    pid = std::atoi(Recorded("pid").c_str());
    ASSERT_GT(pid, 0);
    std::string path;
    EXPECT_EQ(chooser.Poll(path), ChooserState::kRunning);
    EXPECT_TRUE(chooser.Running());
    destroyed = Clock::now();
  }
  EXPECT_LT(Clock::now() - destroyed, std::chrono::seconds(1));
  EXPECT_EQ(kill(pid, 0), -1) << "the dialog is gone, not even a zombie";
  EXPECT_EQ(errno, ESRCH);
}

}  // namespace
}  // namespace torvik::ui
