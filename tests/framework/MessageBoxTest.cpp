#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <platform_host.h>
#include <windows.h>

#include "framework/MessageBoxes.h"

namespace {

using TShowBox = int (*)(std::string_view, std::string_view);

struct TBoxCase {
  TShowBox Show;
  const char* Text;
  const char* Caption;
  const char* ShownCaption;
  UINT Icon;
};

const TBoxCase BoxCases[] = {
    {ShowInformation, "Auto-Place is Finished", "", "Information", MB_ICONINFORMATION},
    {ShowError, "Cannot find B.pcb. \rLoad the file and try again", "", "Error", MB_ICONERROR},
    {ShowWarning, "Careful", "", "Warning", MB_ICONWARNING},
    {ShowError, "Custom", "Placer", "Placer", MB_ICONERROR},
};

TEST(MessageBoxes, ShowTheTextUnderTheirCaptionWithOneButton) {
  unsetenv("QUENOR_TESTMODE");
  for (const TBoxCase& c : BoxCases) {
    std::string text;
    std::string caption;
    UINT type = 0;
    const PlatformMessageBoxHandler previous = PlatformSetMessageBoxHandler(
        [&](HWND, const char* boxText, const char* boxCaption, UINT boxType) {
          text = boxText;
          caption = boxCaption;
          type = boxType;
          return IDOK;
        });
    EXPECT_EQ(c.Show(c.Text, c.Caption), IDOK);
    PlatformSetMessageBoxHandler(previous);
    EXPECT_EQ(text, c.Text);
    EXPECT_EQ(caption, c.ShownCaption);
    EXPECT_EQ(type & MB_TYPEMASK, MB_OK);
    EXPECT_EQ(type & MB_ICONMASK, c.Icon);
  }
}

struct TChildResult {
  std::string Output;
  int ExitCode = -1;
};

// Shows the box in a child process in unattended mode and collects its standard output.
TChildResult ShowBoxUnattended(const TBoxCase& c) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) {
    ADD_FAILURE() << "no pipe";
    return {};
  }
  std::fflush(stdout);  // nothing of ours may reach the child's output
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    dup2(pipeEnds[1], STDOUT_FILENO);
    setenv("QUENOR_TESTMODE", "1", 1);
    c.Show(c.Text, c.Caption);
    std::_Exit(99);  // the box must not return
  }
  close(pipeEnds[1]);
  TChildResult result;
  char chunk[256];
  ssize_t count = 0;
  while ((count = read(pipeEnds[0], chunk, sizeof chunk)) > 0) {
    result.Output.append(chunk, static_cast<std::size_t>(count));
  }
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(MessageBoxes, UnattendedModePrintsTheBoxAndEndsTheProcess) {
  for (const TBoxCase& c : BoxCases) {
    const TChildResult result = ShowBoxUnattended(c);
    EXPECT_EQ(result.Output,
              std::string("ShowDialogWithCaption with") + c.ShownCaption + " " + c.Text + "\n");
    EXPECT_EQ(result.ExitCode, 1);
  }
}

}  // namespace
