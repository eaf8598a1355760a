// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#ifndef _WIN32  // Windows has no such limit (see SpecialFiles.h)
#include <csignal>
#include <sys/resource.h>

// Limits the size of files this process may write, so that a save runs out of room half-way.
// Writing past the limit then fails with EFBIG instead of raising SIGXFSZ. Everything is restored
// when the object goes, so keep its scope to the one write under test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};
#endif
