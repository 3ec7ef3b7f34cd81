#include "directory/SearchWorker.h"

#include "directory/CachedSearch.h"
#include "platform/db/SqlDialect.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <chrono>
#include <future>
#include <optional>

namespace {

using namespace std::chrono_literals;

// How long a read waits for another program's lock, as the window's connection does.
constexpr auto kBusyTimeout = 2000ms;

SqliteDatabase OpenLike(const SqliteDatabase& connection) {
    SqliteDatabase database(connection.fileName(), connection.isReadOnly()
                                                       ? SqliteOpenMode::ReadOnly
                                                       : SqliteOpenMode::ReadWrite);
    database.setBusyTimeout(kBusyTimeout);
    RegisterSqlDialect(database.handle());
    return database;
}

// Whether this thread runs a Qt application's event loop.
bool RunsApplicationLoop() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application != nullptr && application->thread() == QThread::currentThread();
}

} // namespace

SearchWorker::SearchWorker(const SqliteDatabase& connection)
    : database_(OpenLike(connection)), thread_([this] { run(); }) {
    // The copy is read at once, so that the first search finds it ready or on its way.
    post([this] { holder_.read(database_, [](const SearchCacheView&) { return true; }); });
}

SearchWorker::~SearchWorker() {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    wake_.notify_all();
    // A statement the interrupt came too early for runs on: it is interrupted again.
    while (!stopped_) {
        database_.interrupt();
        wake_.wait_for(lock, 10ms);
    }
    lock.unlock();
    thread_.join();
}

void SearchWorker::post(std::function<void()> job) {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
    wake_.notify_all();
}

void SearchWorker::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            break;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
    stopped_ = true;
    wake_.notify_all();
}

std::unique_ptr<AcceleratedResult> SearchWorker::answer(const SearchStatement& search) {
    using Result = std::unique_ptr<AcceleratedResult>;
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    std::optional<QEventLoop> loop;
    if (RunsApplicationLoop()) {
        loop.emplace();
    }
    QEventLoop* const waiting = loop ? &*loop : nullptr;
    post([this, promise, search, waiting] {
        Result result;
        try {
            result = SearchFromCache(database_, holder_, search);
        } catch (...) {
            // Out of memory, most likely: SQLite answers instead.
        }
        if (waiting != nullptr) {
            // Before the promise is kept: the loop lives until then.
            QMetaObject::invokeMethod(waiting, &QEventLoop::quit, Qt::QueuedConnection);
        }
        promise->set_value(std::move(result));
    });
    if (loop) {
        // Returns when the search is done, or at once when the application is quitting.
        loop->exec(QEventLoop::ExcludeUserInputEvents);
    }
    return future.get();
}
