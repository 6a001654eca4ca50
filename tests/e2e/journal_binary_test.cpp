#include "console/call_day.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace
{

constexpr int Runs = 12;
constexpr int PollPeriodMs = 20;
// A call may be missing from the files if it ended this long before the
// console's last traced event: the writer's gathering rest, then one write and
// sync on a machine busy with other builds.
constexpr int MostLagMs = 100 + 100;

const QByteArray Idle = QByteArray(18, '\0') + '\x80' + QByteArray(6, '\0');
const QByteArray AllCalling = QByteArray(18, '\x04') + '\x80' + QByteArray(6, '\x06');
constexpr int CallsPerFrame = 24;

// Every extension and line calls, then all leave: 24 calls end every other poll.
std::vector<ScriptStep> burst()
{
    std::vector<ScriptStep> steps;
    for (int i = 0; i < 400; ++i)
        steps.push_back(ScriptStep::frame(i % 2 ? Idle : AllCalling));
    return steps;
}

// The trace's time of each call that ended (a frame of all calling followed by one of none), and its last time.
struct Traced {
    std::vector<int> endedMs;
    int lastMs = 0;
};

Traced readTrace(const QString& path)
{
    QFile file(path);
    Traced traced;
    if (!file.open(QIODevice::ReadOnly))
        return traced;
    QByteArray previous;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() < 2)
            continue;
        traced.lastMs = words[0].toInt();
        if (words[1] != "rx" || words.size() != 2 + Idle.size())
            continue;
        QByteArray frame;
        for (int i = 2; i < words.size(); ++i)
            frame += char(words[i].toInt(nullptr, 16));
        if (previous == AllCalling && frame == Idle)
            traced.endedMs.insert(traced.endedMs.end(), CallsPerFrame, traced.lastMs);
        previous = frame;
    }
    return traced;
}

// The built console on the offscreen desktop against the exchange, with its
// data folder and working folder in `folder` and its trace in trace.txt there.
void startConsole(QProcess& console, const ExchangeServer& exchange, const QTemporaryDir& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    console.setProcessEnvironment(environment);
    console.setWorkingDirectory(folder.path());
    console.setStandardOutputFile(QProcess::nullDevice());
    console.setStandardErrorFile(QProcess::nullDevice());
    console.start(
        OPR903_BINARY, {"--device", exchange.consolePath(), "--trace", folder.filePath(QStringLiteral("trace.txt"))});
}

std::unique_ptr<ExchangeServer> exchangeWith(std::vector<ScriptStep> script)
{
    ExchangeOptions options;
    options.paced = false;
    options.traffic = false;
    options.pollPeriodMs = PollPeriodMs;
    options.script = std::move(script);
    QString error;
    auto exchange = ExchangeServer::onPseudoTerminal(std::move(options), &error);
    EXPECT_TRUE(exchange) << error.toStdString();
    return exchange;
}

// The calls the day files hold, as the console reads them back; false if any row is damaged.
::testing::AssertionResult readDayFiles(const QString& folder, int* calls)
{
    *calls = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList({QStringLiteral("*.csv")}, QDir::Files)) {
        QFile in(file.filePath());
        if (!in.open(QIODevice::ReadOnly))
            return ::testing::AssertionFailure() << "cannot read " << file.fileName().toStdString();
        const QByteArray bytes = in.readAll();
        const CallDay day = CallDay::read(QDate::fromString(file.baseName(), Qt::ISODate), bytes);
        if (day.unreadableRows() != 0 || !bytes.endsWith("\r\n"))
            return ::testing::AssertionFailure() << file.fileName().toStdString() << " has a damaged row";
        *calls += day.figures().calls();
    }
    return ::testing::AssertionSuccess();
}

// The built console, killed at a random moment of a burst of ending calls,
// again and again: every day file reads whole, with every call that ended
// before the last moments, and none twice.
TEST(JournalKilled, KilledInABurstOfEndingCallsItLeavesWholeRowsMissingOnlyTheLastMoments)
{
    std::mt19937 random(903);
    int mostLagMs = 0;
    std::size_t ended = 0;
    for (int run = 0; run < Runs; ++run) {
        SCOPED_TRACE(run);
        const auto exchange = exchangeWith(burst());
        ASSERT_TRUE(exchange);
        QTemporaryDir folder;
        const QString trace = folder.filePath(QStringLiteral("trace.txt"));
        QProcess console;
        startConsole(console, *exchange, folder);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !readTrace(trace).endedMs.empty(); }, 15000)) << "no burst";
        QTest::qWait(std::uniform_int_distribution(0, 1500)(random));
        console.kill();
        ASSERT_TRUE(console.waitForFinished(5000));

        const Traced traced = readTrace(trace);
        ended += traced.endedMs.size();
        int written = 0;
        ASSERT_TRUE(readDayFiles(folder.filePath(QStringLiteral("opr903/llamadas")), &written));
        ASSERT_LE(written, int(traced.endedMs.size())) << "a call filed twice";
        const int settled = int(std::count_if(
            traced.endedMs.begin(), traced.endedMs.end(), [&](int ms) { return ms <= traced.lastMs - MostLagMs; }));
        EXPECT_GE(written, settled) << "of " << traced.endedMs.size() << " calls ended";
        if (written < int(traced.endedMs.size()))
            mostLagMs = std::max(mostLagMs, traced.lastMs - traced.endedMs[std::size_t(written)]);
    }
    std::printf("%d kills, %zu calls ended: the oldest call missing had ended %d ms before the last traced event\n",
        Runs, ended, mostLagMs);
}

QByteArray lineCalling(int line)
{
    QByteArray frame = Idle;
    frame[18 + line] = '\x06';
    return frame;
}

// Each day file's rows as "origin outcome", in order.
QStringList rowsIn(const QString& folder)
{
    QStringList rows;
    for (const QFileInfo& file : QDir(folder).entryInfoList({QStringLiteral("*.csv")}, QDir::Files)) {
        QFile in(file.filePath());
        if (!in.open(QIODevice::ReadOnly))
            continue;
        const CallDay day = CallDay::read(QDate::fromString(file.baseName(), Qt::ISODate), in.readAll());
        for (const CallEntry& call : day.calls())
            rows << call.origin + QLatin1Char(' ') + outcomeText(call.outcome);
    }
    return rows;
}

// A file where the journal's folder goes: the built console tells it in
// Spanish, writes the held call before the next once the folder can be made,
// and at its orderly end names the call it still could not write.
TEST(JournalOfTheBinary, CallsWaitForTheFolderInOrderAndThoseStillNotWrittenAtTheEndAreNamed)
{
    const auto exchange = exchangeWith({ScriptStep::frame(Idle)});
    ASSERT_TRUE(exchange);
    QTemporaryDir folder;
    const QString journal = folder.filePath(QStringLiteral("opr903/llamadas"));
    const auto block = [&] {
        QDir().mkpath(folder.filePath(QStringLiteral("opr903")));
        QFile file(journal);
        return file.open(QIODevice::WriteOnly);
    };
    ASSERT_TRUE(block());
    QProcess console;
    startConsole(console, *exchange, folder);
    const QString trace = folder.filePath(QStringLiteral("trace.txt"));
    const auto traced = [&](const QString& text) {
        return QTest::qWaitFor(
            [&] { return QFile::exists(trace) && !traceEvents(trace).filter(text).isEmpty(); }, 15000);
    };
    const auto callEnds = [&](int line) {
        exchange->appendScript({ScriptStep::frame(lineCalling(line)), ScriptStep::frame(Idle)});
    };

    callEnds(1);
    EXPECT_TRUE(traced(QStringLiteral("msg Registro de llamadas | No se pueden guardar las llamadas del ")));
    EXPECT_TRUE(
        traced(QStringLiteral(": Una parte de la ruta no es una carpeta.\\nLas llamadas que esperan se guardarán")));

    ASSERT_TRUE(QFile::remove(journal));
    callEnds(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rowsIn(journal).size() == 2; }, 5000));
    EXPECT_EQ(rowsIn(journal), QStringList({"L1 perdida", "L2 perdida"}));

    ASSERT_TRUE(QDir(journal).removeRecursively());
    ASSERT_TRUE(block());
    callEnds(3);
    QTest::qWait(500);
    console.terminate();
    EXPECT_TRUE(traced(QStringLiteral("msg Registro de llamadas | No se pudieron guardar estas llamadas:\\n")));
    const QStringList named = traceEvents(trace).filter(QStringLiteral("No se pudieron guardar"));
    EXPECT_TRUE(named.value(0).endsWith(QStringLiteral(" L3 (entrante, perdida)"))) << named.join('\n').toStdString();
    console.kill(); // the box waits for the operator
    console.waitForFinished(5000);
}

} // namespace
