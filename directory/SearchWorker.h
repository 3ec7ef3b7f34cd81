#pragma once

#include "directory/SearchCacheHolder.h"
#include "directory/SearchStatement.h"
#include "platform/db/AcceleratedResult.h"
#include "platform/db/SqliteDatabase.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Answers the directory's searches of one connection on a thread of its own, with a connection
// of its own to the same file, where the copy of the searched texts lives (SearchCacheHolder).
// Reading the copy, keeping it in step and searching it is thus never work for the thread that
// asks, which is the window's: the copy is read as soon as the worker starts, and a search
// that finds it still being read waits for it there.
class SearchWorker {
public:
    // Opens the file the connection has open and starts reading the copy. Throws ESqliteError
    // when the file cannot be opened.
    explicit SearchWorker(const SqliteDatabase& connection);
    // Interrupts what the worker is doing rather than waiting for it.
    ~SearchWorker();
    SearchWorker(const SearchWorker&) = delete;
    SearchWorker& operator=(const SearchWorker&) = delete;

    // The search's result from the copy (SearchFromCache), found on the worker's thread; nullptr
    // when the copy cannot answer it. The caller waits for it; on the thread of a Qt
    // application it turns that thread's event loop meanwhile, user input held back until
    // after, so that the window keeps painting and answering the desktop.
    std::unique_ptr<AcceleratedResult> answer(const SearchStatement& search);

    // How many times the worker has read the table whole.
    std::size_t tableReads() const noexcept { return holder_.tableReads(); }

private:
    void run();
    void post(std::function<void()> job);

    SqliteDatabase database_;
    SearchCacheHolder holder_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    bool stopped_ = false;
    std::thread thread_;
};
