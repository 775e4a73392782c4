#include "designer/search_service.h"

#include "common/messages.h"

#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace designer {

// What a worker shares with the service: the service while it lives, and a lock that keeps it
// from going while an answer is handed to it.
struct SearchService::Shared {
    explicit Shared(SearchService *alive) : service(alive) {}
    std::mutex mutex;
    SearchService *service;
};

SearchService::SearchService(QObject *parent)
    : QObject(parent), m_shared(std::make_shared<Shared>(this)) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(typingPause);
    connect(&m_pause, &QTimer::timeout, this, &SearchService::typingPaused);
    m_showBusy.setSingleShot(true);
    m_showBusy.setInterval(showBusyAfter);
    connect(&m_showBusy, &QTimer::timeout, this, [this] {
        m_busyShown = true;
        emit showBusy(true);
    });
}

SearchService::~SearchService() {
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->service = nullptr;
    }
    if (m_stop)
        *m_stop = true;
}

void SearchService::typing() {
    m_pause.start();
}

void SearchService::cancel() {
    m_pause.stop();
    drop();
}

void SearchService::drop() {
    if (m_stop)
        *m_stop = true;
    m_stop.reset();
    m_wanted = 0;
    m_showBusy.stop();
    if (m_busyShown) {
        m_busyShown = false;
        emit showBusy(false);
    }
}

quint64 SearchService::startWork(Work work) {
    drop();
    m_wanted = ++m_latest;
    m_stop = std::make_shared<Stop>(false);
    m_showBusy.start();
    try {
        std::thread([work, id = m_wanted, stop = m_stop, shared = m_shared] {
            try {
                handOver(shared, id, work(*stop, nullptr));
            } catch (...) { // no answer to give, or no one left to give it to
            }
        }).detach();
    } catch (const std::system_error &) { // answered the same way, though no search ran
        handOver(m_shared, m_wanted, work(*m_stop, std::current_exception()));
    }
    return m_latest;
}

// Queued even from this thread, so that an answer never comes before start() returns.
void SearchService::handOver(const std::shared_ptr<Shared> &shared, quint64 id,
                             std::function<void()> answer) {
    const std::lock_guard lock(shared->mutex);
    SearchService *service = shared->service;
    if (!service)
        return;
    QMetaObject::invokeMethod(
        service,
        [service, id, answer = std::move(answer)] {
            if (id != service->m_wanted) // a later request, or a cancel, came first
                return;
            service->m_stop.reset(); // ended: nothing left to stop
            service->drop();
            answer();
        },
        Qt::QueuedConnection);
}

common::Problem SearchService::failure(std::exception_ptr thrown) {
    bool outOfMemory = false;
    try {
        std::rethrow_exception(thrown);
    } catch (const std::bad_alloc &) {
        outOfMemory = true;
    } catch (...) {
    }
    return {messages::searchFailed(outOfMemory), common::ExitStatus::calculationFailed};
}

} // namespace designer
