#pragma once

#include "common/result.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace designer {

// The searches of a window that follows the typing, each off the window's thread: the pause
// after typing, one search wanted at a time, and whether one is long enough to show that it
// runs. A request stops the one before it, and only the latest request's answer is handed
// over; each answer carries the id of the request it answers. Closing never waits: a search
// still running is stopped and left to end on its own, its answer dropped, and all that it
// uses is its own (a job holds copies, never the window's members).
class SearchService : public QObject {
    Q_OBJECT
public:
    using Stop = std::atomic<bool>;
    // How long typing must pause before a search starts, and how long a search runs before it
    // shows that it does, in milliseconds.
    static constexpr int typingPause = 250;
    static constexpr int showBusyAfter = 100;

    explicit SearchService(QObject *parent = nullptr);
    ~SearchService() override;

    // Typing goes on: typingPaused follows once it has paused for typingPause.
    void typing();

    // Starts job on a thread of its own, and stops the request before it. job(stop) returns a
    // common::Result<T>, and should end soon once stop is set; answer(id, result) is then called
    // on this object's thread, unless a later request or a cancel came first. A job that throws
    // answers with a problem in words for the window. Returns the request's id.
    template <typename Job, typename Answer> quint64 start(Job job, Answer answer);

    // No answer is wanted: the pause and the running request are stopped, and its answer dropped.
    void cancel();

    // The id of the latest request (0 before the first), and whether typing has yet to pause or
    // an answer is awaited.
    quint64 latest() const { return m_latest; }
    bool busy() const { return m_pause.isActive() || m_wanted != 0; }

signals:
    void typingPaused();
    // A search has run for showBusyAfter (true), or has ended or been stopped (false).
    void showBusy(bool shown);

private:
    struct Shared;
    // Runs on the worker, or here when no thread could be had (failed): the job, or that
    // failure, and what to hand over on this object's thread.
    using Work = std::function<std::function<void()>(const Stop &stop, std::exception_ptr failed)>;

    quint64 startWork(Work work);
    void drop();
    static void handOver(const std::shared_ptr<Shared> &shared, quint64 id,
                         std::function<void()> answer);
    static common::Problem failure(std::exception_ptr thrown);

    std::shared_ptr<Shared> m_shared; // outlives this object while a worker still holds it
    std::shared_ptr<Stop> m_stop;     // the awaited request's
    quint64 m_latest = 0, m_wanted = 0;
    bool m_busyShown = false;
    QTimer m_pause, m_showBusy;
};

template <typename Job, typename Answer> quint64 SearchService::start(Job job, Answer answer) {
    using Found = std::invoke_result_t<const Job &, const Stop &>;
    const quint64 id = m_latest + 1;
    return startWork([job = std::move(job), answer = std::move(answer),
                      id](const Stop &stop, std::exception_ptr failed) -> std::function<void()> {
        std::shared_ptr<Found> found; // shared, so that a million rows are moved, never copied
        try {
            if (failed)
                std::rethrow_exception(failed);
            found = std::make_shared<Found>(job(stop));
        } catch (...) {
            found = std::make_shared<Found>(failure(std::current_exception()));
        }
        return [answer, id, found] { answer(id, std::move(*found)); };
    });
}

} // namespace designer
