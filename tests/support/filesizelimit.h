#pragma once

// A full disk without root and without touching a device: a process whose files may
// grow to a few bytes only. Every write past the limit fails with EFBIG (SIGXFSZ is
// ignored, so the process lives on and sees the error, as on a full disk).

#include <QProcess>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace filesizelimit {

inline void apply(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
}

// Runs job in a forked child under the limit; its result is the child's exit code
// (-1 when the child did not end normally).
inline int inChild(rlim_t bytes, const std::function<int()>& job) {
    const pid_t pid = fork();
    if (pid == 0) {
        apply(bytes);
        _exit(job());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Lets a program started by the process run under the limit.
inline void forProcess(QProcess& process, rlim_t bytes) {
    process.setChildProcessModifier([bytes] { apply(bytes); });
}

} // namespace filesizelimit
