#pragma once
// Runs a program of ours as a user would and answers its message dialogs
// (the form kit's, shown by the Win32 view) by window messages: what each
// said, in order, and the exit code.
#include <windows.h>

#include <string>
#include <vector>

namespace vk::test {

struct ProgramRun {
    std::vector<std::string> messages;  // the text of every box answered
    DWORD exitCode = STILL_ACTIVE;
};

// Starts commandLine and answers its message dialogs one after another by
// pressing the buttons named ("Yes", "No", "OK"); then waits for the
// program's end. Gives up after a minute without a dialog or an end, killing
// the program.
ProgramRun runAnswering(const std::string& commandLine, const std::vector<std::string>& answers);

// Starts commandLine, waits for its first window, notes its caption and text
// (messages[0] and [1]), presses Esc in it and waits for the program's end.
ProgramRun runClosingWithEsc(const std::string& commandLine);

}  // namespace vk::test
