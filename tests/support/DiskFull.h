#pragma once
// A disk that fills at `bytes`: a write past that size of any file fails
// (EFBIG, a file error offered for retry) instead of raising SIGXFSZ; Lift
// gives the room back.
#include <csignal>
#include <sys/resource.h>

struct DiskFull {
    rlimit saved{};
    void (*handler)(int) = nullptr;
    explicit DiskFull(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        handler = std::signal(SIGXFSZ, SIG_IGN);
        Set(bytes);
    }
    void Set(rlim_t bytes) const {
        rlimit r = saved;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    void Lift() const { setrlimit(RLIMIT_FSIZE, &saved); }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;
};
