// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

// Runs `work`, which opens the named pipe `fifo`, on another thread and returns its result. Opening a
// pipe for reading waits for a writer: should `work` still be waiting after 20 seconds, the pipe is
// given a writer that leaves at once (the reader then sees an empty pipe) and the test fails, instead
// of hanging for good.
template <typename Work>
auto withoutHangingOn(const QString &fifo, Work work) -> decltype(work()) {
    auto running = std::async(std::launch::async, work);
    if (running.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
        ADD_FAILURE() << "opening the pipe " << fifo.toStdString() << " blocked";
#ifndef _WIN32
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
#endif
    }
    return running.get();
}
