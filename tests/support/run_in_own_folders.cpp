// Runs the command given as arguments in test folders of its own (test_folders.h), for the tests
// that are scripts, the program itself or end with _exit; returns its exit status.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>

extern char** environ;

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: run_in_own_folders COMMAND [ARGUMENT...]\n");
        return 2;
    }
    pid_t child = 0;
    if (posix_spawnp(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::perror(argv[1]);
        return 127;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return 127;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}
