#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Ends the whole process with exit code 1 when a command-line job is still running
// after its time limit, writing the message to standard error first. File managers
// run thumbnailers on every file they show: a label on a hung network share, or
// one whose pictures take ages to decode, must not keep them waiting.
class JobWatchdog {
public:
    JobWatchdog(std::chrono::milliseconds limit, const char* message);
    ~JobWatchdog(); // the job ended in time
    JobWatchdog(const JobWatchdog&) = delete;
    JobWatchdog& operator=(const JobWatchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread thread_;
};
