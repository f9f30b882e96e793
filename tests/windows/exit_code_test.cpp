// Exit codes of the real start-up, each in a child process.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Runs the probe beside this test program; -1 when it did not end within a
// minute.
int runProbe(const char* arguments) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) slash[1] = '\0';
  char commandLine[2 * MAX_PATH + 64];
  std::snprintf(commandLine, sizeof commandLine, "\"%swindows_startup_probe.exe\" %s", path,
                arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -2;
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

std::string readFile(const std::string& path) {
  std::string text;
  if (std::FILE* file = std::fopen(path.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file)) text += buffer;
    std::fclose(file);
  }
  return text;
}

}  // namespace

TEST(ExitCodes, ClassAlreadyRegisteredEndsWithOne) {
  EXPECT_EQ(runProbe("taken-class"), 1);
}

TEST(ExitCodes, WindowThatCannotBeCreatedEndsWithTwo) {
  EXPECT_EQ(runProbe("blocked-window"), 2);
}

TEST(ExitCodes, FileExitEndsWithZero) {
  EXPECT_EQ(runProbe("file-exit"), 0);
}

// Closing the window and File > Exit, each while a search pumps the queue.
TEST(ExitCodes, QuitDuringASearchEndsWithZeroAtOnce) {
  for (const char* mode : {"quit-in-search", "exit-in-search"}) {
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    char marker[MAX_PATH] = {};
    GetTempFileNameA(directory, "vnt", 0, marker);
    char arguments[MAX_PATH + 32];
    std::snprintf(arguments, sizeof arguments, "%s %s", mode, marker);
    EXPECT_EQ(runProbe(arguments), 0) << mode;
    const std::string state = readFile(marker);
    DeleteFileA(marker);
    EXPECT_EQ(state.rfind("searching=1 nodes=", 0), 0u) << mode << ": " << state;
  }
}
