// Runs a program of the build as a child process and collects what it prints.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace toolstest {

class ChildProcess {
public:
    // Starts `program` with `arguments`; throws std::runtime_error when it cannot.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();  // kills a child that is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Exit status once the child has ended (-signal when killed), or nothing after `timeout`.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);

    // True as soon as `accept` holds for the text on stderr so far; false after `timeout`.
    bool waitForStderr(const std::function<bool(const std::string&)>& accept,
                       std::chrono::milliseconds timeout);

    void signal(int signalNumber);

    std::string standardOutput();
    std::string standardError();

private:
    void collect(int fd, std::string& into);

    pid_t pid_ = -1;
    std::optional<int> status_;
    std::mutex mutex_;
    std::string stdout_;
    std::string stderr_;
    std::thread stdoutReader_;
    std::thread stderrReader_;
};

// The path of one of the tools in the folder that CTest names in TESSALY_TOOLS_DIR, or "" when
// the variable is not set.
std::string toolProgram(const char* name);

// The lines of `text` that hold JSON objects (other programs' diagnostics may sit in between).
std::vector<std::string> jsonLines(const std::string& text);

}  // namespace toolstest
