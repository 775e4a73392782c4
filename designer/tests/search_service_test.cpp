// The designer's search service without a window: fake searches of controlled length, and a
// FIFO as a stock list.
#include "designer/search_service.h"

#include "cli/stock.h"
#include "common/messages.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <new>
#include <stdexcept>
#include <thread>

using designer::SearchService;
using Stop = SearchService::Stop;
using Answer = common::Result<int>;

Q_DECLARE_METATYPE(std::exception_ptr)

namespace {

Answer untilStopped(const Stop &stop) {
    while (!stop)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

// The list's length, read from a file with the job's stop.
auto stockOf(const QString &file) {
    return [file](const Stop &stop) -> Answer {
        const auto stock =
            cli::readStock(file, *geometry::readProfile("XL"), messages::Reader::window, &stop);
        return stock ? Answer(static_cast<int>(stock->size())) : Answer(stock.problem());
    };
}

QString makeFifo(const QTemporaryDir &folder) {
    const QString fifo = folder.filePath(QStringLiteral("cinghie"));
    return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 ? fifo : QString();
}

} // namespace

class SearchServiceTest : public QObject {
    Q_OBJECT

    std::vector<std::pair<quint64, Answer>> answers;

    // Starts job; the weak pointer expires once the worker has let go of it, when the job has
    // returned and its answer, if any, has been handed over.
    template <typename Job> std::weak_ptr<int> start(SearchService &service, Job job) {
        auto held = std::make_shared<int>();
        service.start([job, held](const Stop &stop) { return job(stop); },
                      [this](quint64 id, Answer answer) { answers.emplace_back(id, answer); });
        return held;
    }
    static bool ended(const std::weak_ptr<int> &job) {
        const bool gone = QTest::qWaitFor([&] { return job.expired(); }, 10000);
        QCoreApplication::processEvents(); // what it handed over, delivered
        return gone;
    }

private slots:
    void init() { answers.clear(); }

    // Typing during a long search: one pause, the long search stopped, the later answer only.
    void onlyTheLatestRequestIsAnswered() {
        SearchService service;
        const auto first = start(service, untilStopped);
        QSignalSpy paused(&service, &SearchService::typingPaused);
        for (int key = 0; key < 3; ++key)
            service.typing();
        QVERIFY(paused.wait(10000));
        const auto second = start(service, [](const Stop &) { return Answer(2); });
        QVERIFY(ended(first) && ended(second));
        QCOMPARE(paused.size(), 1);
        QCOMPARE(answers.size(), 1u);
        QCOMPARE(answers[0].first, service.latest());
        QCOMPARE(*answers[0].second, 2);
        QVERIFY(!service.busy());
    }

    void aCancelledSearchStopsUnanswered() {
        SearchService service;
        QSignalSpy busy(&service, &SearchService::showBusy);
        const auto job = start(service, untilStopped);
        QVERIFY(busy.wait(10000)); // shown once it has run a while
        service.cancel();
        QVERIFY(ended(job));
        QVERIFY(answers.empty());
        QVERIFY(!service.busy());
        QCOMPARE(busy.size(), 2);
        QCOMPARE(busy.at(1).at(0).toBool(), false);
    }

    void aJobThatThrowsAnswersInWords_data() {
        QTest::addColumn<std::exception_ptr>("thrown");
        QTest::addColumn<bool>("outOfMemory");
        QTest::newRow("memory") << std::make_exception_ptr(std::bad_alloc()) << true;
        QTest::newRow("a fault") << std::make_exception_ptr(std::logic_error("guasto")) << false;
    }
    void aJobThatThrowsAnswersInWords() {
        QFETCH(std::exception_ptr, thrown);
        QFETCH(bool, outOfMemory);
        SearchService service;
        QVERIFY(ended(
            start(service, [thrown](const Stop &) -> Answer { std::rethrow_exception(thrown); })));
        QCOMPARE(answers.size(), 1u);
        QVERIFY(!answers[0].second);
        QCOMPARE(answers[0].second.problem().message, messages::searchFailed(outOfMemory));
    }

    // Waited for until its writer comes, read as it writes, to its end when the writer goes.
    void aFifoIsReadAsItsWriterWrites() {
        const QTemporaryDir folder;
        const QString fifo = makeFifo(folder);
        SearchService service;
        QSignalSpy busy(&service, &SearchService::showBusy);
        const auto job = start(service, stockOf(fifo));
        QVERIFY(busy.wait(10000)); // the reader waits for a writer by now
        // Without blocking: a reader that had already gone would leave it waiting for good.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        QVERIFY(writer >= 0);
        QCOMPARE(::write(writer, "140XL037\n", 9), 9);
        QTest::qWait(SearchService::showBusyAfter); // the reader waits on an empty pipe
        QCOMPARE(::write(writer, "150XL037\n", 9), 9);
        ::close(writer);
        QVERIFY(ended(job));
        QCOMPARE(answers.size(), 1u);
        QVERIFY2(answers[0].second, qPrintable(answers[0].second.problem().message));
        QCOMPARE(*answers[0].second, 2);
    }

    // A job waiting on a FIFO that no one writes ends once a later request stops it.
    void aFifoWithoutWriterIsStopped() {
        const QTemporaryDir folder;
        SearchService service;
        QSignalSpy busy(&service, &SearchService::showBusy);
        const auto reading = start(service, stockOf(makeFifo(folder)));
        QVERIFY(busy.wait(10000)); // waiting by now
        start(service, [](const Stop &) { return Answer(2); });
        QVERIFY(ended(reading));
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1u, 10000);
        QCOMPARE(*answers[0].second, 2);
    }

    // A job that ignores its stop: closing returns while it is blocked, and the job, once it
    // goes on, ends unanswered, touching nothing that closing freed.
    void closingDoesNotWaitForABlockedJob() {
        auto release = std::make_shared<QSemaphore>();
        auto jobEnded = std::make_shared<std::atomic<bool>>(false);
        auto service = std::make_unique<SearchService>();
        const auto job = start(*service, [release, jobEnded](const Stop &) {
            release->tryAcquire(1, 10000); // were closing to wait, it would wait this long
            *jobEnded = true;
            return Answer(1);
        });
        service.reset();
        QVERIFY(!*jobEnded);
        release->release();
        QVERIFY(ended(job));
        QVERIFY(answers.empty());
    }
};

QTEST_GUILESS_MAIN(SearchServiceTest)
#include "search_service_test.moc"
