#include "app/jobwatchdog.h"

#include <cstdio>
#include <cstdlib>

JobWatchdog::JobWatchdog(std::chrono::milliseconds limit, const char* message) {
    thread_ = std::thread([this, limit, message] {
        std::unique_lock lock(mutex_);
        if (finished_.wait_for(lock, limit, [this] { return done_; }))
            return;
        // The job may be stuck in a system call: no clean-up can be waited for.
        std::fputs(message, stderr);
        std::fflush(stderr);
        std::_Exit(1);
    });
}

JobWatchdog::~JobWatchdog() {
    {
        std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_one();
    thread_.join();
}
