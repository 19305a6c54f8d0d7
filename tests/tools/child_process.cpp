#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace toolstest {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int spawned =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    if (spawned != 0) {
        ::close(out[0]);
        ::close(err[0]);
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
    }
    stdoutReader_ = std::thread([this, fd = out[0]] { collect(fd, stdout_); });
    stderrReader_ = std::thread([this, fd = err[0]] { collect(fd, stderr_); });
}

ChildProcess::~ChildProcess() {
    if (!status_) {
        ::kill(pid_, SIGKILL);
        waitForExit(std::chrono::seconds(10));
    }
    if (stdoutReader_.joinable()) stdoutReader_.join();
    if (stderrReader_.joinable()) stderrReader_.join();
}

void ChildProcess::collect(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        std::lock_guard<std::mutex> lock(mutex_);
        into.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!status_) {
        int status = 0;
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The output is complete only when both pipes have been read to their end.
    if (stdoutReader_.joinable()) stdoutReader_.join();
    if (stderrReader_.joinable()) stderrReader_.join();
    return status_;
}

bool ChildProcess::waitForStderr(const std::function<bool(const std::string&)>& accept,
                                 std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (accept(standardError())) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void ChildProcess::signal(int signalNumber) {
    if (!status_) ::kill(pid_, signalNumber);
}

std::string ChildProcess::standardOutput() {
    std::lock_guard<std::mutex> lock(mutex_);
    return stdout_;
}

std::string ChildProcess::standardError() {
    std::lock_guard<std::mutex> lock(mutex_);
    return stderr_;
}

std::string toolProgram(const char* name) {
    const char* folder = std::getenv("TESSALY_TOOLS_DIR");
    return folder ? std::string(folder) + "/" + name : "";
}

std::vector<std::string> jsonLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto start = line.find('{');
        const auto end = line.rfind('}');
        if (start != std::string::npos && end != std::string::npos && end > start) {
            lines.push_back(line.substr(start, end - start + 1));
        }
    }
    return lines;
}

}  // namespace toolstest
