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
using Answer = common::Result<int>;

Q_DECLARE_METATYPE(std::exception_ptr)

namespace {

// A job's captures live as long as its worker holds them: once this token has expired, the job
// has returned and its answer, if any, has been handed over.
using Token = std::shared_ptr<int>;

// A search that runs until it is stopped.
auto untilStopped(Token token) {
    return [token](const SearchService::Stop &stop) -> Answer {
        while (!stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return 1;
    };
}

// The answers that arrived, by the ids of their requests.
struct Answers {
    std::shared_ptr<std::vector<std::pair<quint64, Answer>>> got =
        std::make_shared<std::vector<std::pair<quint64, Answer>>>();
    auto operator()() const {
        return [got = got](quint64 id, Answer answer) { got->emplace_back(id, std::move(answer)); };
    }
};

// Until the job holding token has ended, and what it may have handed over is delivered.
bool ended(const std::weak_ptr<int> &token) {
    const bool gone = QTest::qWaitFor([&] { return token.expired(); }, 10000);
    QCoreApplication::processEvents();
    return gone;
}

} // namespace

class SearchServiceTest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheLatestRequestIsAnswered();
    void aCancelledSearchStopsAndIsNotAnswered();
    void aJobThatThrowsAnswersInWords_data();
    void aJobThatThrowsAnswersInWords();
    void aFifoIsReadAsItsWriterWrites();
    void aFifoWithoutWriterIsStopped();
    void closingDoesNotWaitForABlockedJob();
};

// Typing during a long search: one pause, the long search stopped, and the later answer only.
void SearchServiceTest::onlyTheLatestRequestIsAnswered() {
    SearchService service;
    Answers answers;
    Token token = std::make_shared<int>();
    const std::weak_ptr<int> first = token;
    service.start(untilStopped(std::move(token)), answers());
    QSignalSpy paused(&service, &SearchService::typingPaused);
    for (int key = 0; key < 3; ++key)
        service.typing();
    QVERIFY(paused.wait(10000));
    const quint64 second =
        service.start([](const SearchService::Stop &) -> Answer { return 2; }, answers());
    QVERIFY(ended(first));
    QTRY_COMPARE_WITH_TIMEOUT(answers.got->size(), 1u, 10000);
    QCOMPARE(answers.got->front().first, second);
    QCOMPARE(*answers.got->front().second, 2);
    QCOMPARE(paused.size(), 1);
    QVERIFY(!service.busy());
}

void SearchServiceTest::aCancelledSearchStopsAndIsNotAnswered() {
    SearchService service;
    QSignalSpy busy(&service, &SearchService::showBusy);
    Answers answers;
    Token token = std::make_shared<int>();
    const std::weak_ptr<int> job = token;
    service.start(untilStopped(std::move(token)), answers());
    QVERIFY(busy.wait(10000)); // shown once it has run a while
    service.cancel();
    QVERIFY(ended(job));
    QVERIFY(answers.got->empty());
    QVERIFY(!service.busy());
    QCOMPARE(busy.size(), 2);
    QCOMPARE(busy.at(1).at(0).toBool(), false);
}

void SearchServiceTest::aJobThatThrowsAnswersInWords_data() {
    QTest::addColumn<std::exception_ptr>("thrown");
    QTest::addColumn<QString>("words");
    QTest::newRow("memory") << std::make_exception_ptr(std::bad_alloc())
                            << messages::searchFailed(true);
    QTest::newRow("a fault") << std::make_exception_ptr(std::logic_error("guasto"))
                             << messages::searchFailed(false);
}

void SearchServiceTest::aJobThatThrowsAnswersInWords() {
    QFETCH(std::exception_ptr, thrown);
    QFETCH(QString, words);
    SearchService service;
    Answers answers;
    service.start(
        [thrown](const SearchService::Stop &) -> Answer { std::rethrow_exception(thrown); },
        answers());
    QTRY_COMPARE_WITH_TIMEOUT(answers.got->size(), 1u, 10000);
    const Answer &answer = answers.got->front().second;
    QVERIFY(!answer);
    QCOMPARE(answer.problem().message, words);
}

// Waited for until its writer comes, read as it writes, and to its end when the writer closes.
void SearchServiceTest::aFifoIsReadAsItsWriterWrites() {
    const QTemporaryDir folder;
    const QByteArray fifo = QFile::encodeName(folder.filePath(QStringLiteral("cinghie")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    SearchService service;
    QSignalSpy busy(&service, &SearchService::showBusy);
    using Read = common::Result<geometry::Stock>;
    auto read = std::make_shared<std::optional<Read>>();
    service.start(
        [file = QFile::decodeName(fifo)](const SearchService::Stop &stop) {
            return cli::readStock(file, *geometry::readProfile("XL"), messages::Reader::window,
                                  &stop);
        },
        [read](quint64, Read stock) { *read = std::move(stock); });
    QVERIFY(busy.wait(10000)); // the reader waits for a writer by now
    int writer = -1; // without blocking: a reader that has already gone would leave it waiting
    QVERIFY(QTest::qWaitFor(
        [&] { return (writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK)) >= 0; }, 10000));
    QTest::qWait(SearchService::showBusyAfter); // the reader waits on an empty pipe meanwhile
    QCOMPARE(::write(writer, "140XL037\n", 9), 9);
    QTest::qWait(SearchService::showBusyAfter);
    QCOMPARE(::write(writer, "150XL037\n", 9), 9);
    ::close(writer);
    QTRY_VERIFY_WITH_TIMEOUT(read->has_value(), 10000);
    const Read &stock = **read;
    QVERIFY2(stock, qPrintable(stock.problem().message));
    QCOMPARE(*stock, (geometry::Stock{70, 75}));
}

// A job waiting on a FIFO that no one writes ends once a later request stops it.
void SearchServiceTest::aFifoWithoutWriterIsStopped() {
    const QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("cinghie"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    SearchService service;
    QSignalSpy busy(&service, &SearchService::showBusy);
    Answers answers;
    Token token = std::make_shared<int>();
    const std::weak_ptr<int> reading = token;
    service.start(
        [fifo, token = std::move(token)](const SearchService::Stop &stop) -> Answer {
            const common::Result<geometry::Stock> stock =
                cli::readStock(fifo, *geometry::readProfile("XL"), messages::Reader::window, &stop);
            return stock ? static_cast<int>(stock->size()) : -1;
        },
        answers());
    QVERIFY(busy.wait(10000)); // waiting by now
    const quint64 later =
        service.start([](const SearchService::Stop &) -> Answer { return 2; }, answers());
    QVERIFY(ended(reading));
    QCOMPARE(answers.got->size(), 1u);
    QCOMPARE(answers.got->front().first, later);
}

// A job that ignores its stop: destroying the service returns while it is blocked, and the
// job, once it goes on, ends without an answer and without touching what was destroyed.
void SearchServiceTest::closingDoesNotWaitForABlockedJob() {
    auto release = std::make_shared<QSemaphore>();
    auto jobEnded = std::make_shared<std::atomic<bool>>(false);
    Answers answers;
    Token token = std::make_shared<int>();
    const std::weak_ptr<int> job = token;
    auto service = std::make_unique<SearchService>();
    service->start(
        [release, jobEnded, token = std::move(token)](const SearchService::Stop &) {
            release->tryAcquire(1, 10000); // were closing to wait, it would wait this long
            *jobEnded = true;
            return Answer(1);
        },
        answers());
    service.reset();
    QVERIFY(!*jobEnded);
    release->release();
    QVERIFY(ended(job));
    QVERIFY(answers.got->empty());
}

QTEST_GUILESS_MAIN(SearchServiceTest)
#include "search_service_test.moc"
