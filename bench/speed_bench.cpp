// speed_bench: the console's speed, CPU and memory against the simulated
// exchange, next to the floor of a bare Qt serial-port program. Prints a table.
#include "app/call_list_window.h"
#include "app/console_app.h"
#include "busy_days.h"
#include "console_run.h"
#include "process_sample.h"
#include "random_operator.h"
#include "window_keys.h"
#include "window_watch.h"
#include "wire/frame_layout.h"
#include "wire/status_codes.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace
{

constexpr qint64 WarmUp = 1000;
constexpr int LongWaitMs = 30 * 60 * 1000;

struct Limits {
    qint64 latencyCycles = 10000;
    qint64 rateCycles = 30000;
    qint64 soakCycles = 1'000'000;
    int idleSeconds = 60;
};

void row(const QString& what, const QString& value, const QString& target, bool met)
{
    std::printf(
        "%-54s %22s   %-22s %s\n", qPrintable(what), qPrintable(value), qPrintable(target), met ? "met" : "MISSED");
    std::fflush(stdout);
}

void note(const QString& text)
{
    std::printf("  %s\n", qPrintable(text));
    std::fflush(stdout);
}

ExchangeOptions backToBack()
{
    ExchangeOptions options;
    options.paced = false;
    options.pollPeriodMs = 0;
    options.traffic = false; // the frames come from the run's script
    return options;
}

struct Latency {
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
    double cyclesPerSecond = 0;
    bool everyPollOnce = false;
};

double percentile(std::vector<qint64> sorted, double fraction)
{
    const auto at = std::min(sorted.size() - 1, std::size_t(fraction * double(sorted.size())));
    return double(sorted[at]) / 1000.0;
}

const QString Offscreen = QStringLiteral("offscreen");
const QString X11 = QStringLiteral("xcb");

// Poll-to-answer latency after the warm-up, frames changing every cycle.
std::optional<Latency> measureLatency(const QString& program, const Limits& limits, const QString& platform,
    std::optional<ConsoleRun::Through> through = std::nullopt)
{
    ConsoleRun run({program, {}, backToBack(), true, true, platform, through});
    if (auto error = run.start()) {
        note(QStringLiteral("%1 did not start: %2").arg(program, *error));
        return std::nullopt;
    }
    if (!run.waitForAnswers(WarmUp, LongWaitMs))
        return std::nullopt;
    const ScriptedExchange& exchange = run.exchange();
    const qint64 startUs = exchange.nowUs();
    if (!run.waitForAnswers(WarmUp + limits.latencyCycles, LongWaitMs))
        return std::nullopt;
    const qint64 endUs = exchange.nowUs();
    const auto first = exchange.latenciesUs().begin() + WarmUp;
    std::vector<qint64> measured(first, first + limits.latencyCycles);
    std::sort(measured.begin(), measured.end());
    run.quiesce();
    return Latency{percentile(measured, 0.5), percentile(measured, 0.99), double(measured.back()) / 1000.0,
        double(limits.latencyCycles) * 1e6 / double(endUs - startUs), exchange.everyPollOnce()};
}

QString ms(double value)
{
    return QStringLiteral("%1 ms").arg(value, 0, 'f', 3);
}

// The floor's and the console's latency, measured one after the other.
struct LatencyPair {
    Latency floor;
    Latency console;
};

std::optional<LatencyPair> measurePair(const QString& console, const QString& floor, const Limits& limits,
    const QString& platform, std::optional<ConsoleRun::Through> through = std::nullopt)
{
    const auto base = measureLatency(floor, limits, Offscreen, through);
    const auto real = measureLatency(console, limits, platform, through);
    if (!base || !real)
        return std::nullopt;
    return LatencyPair{*base, *real};
}

// Poll-to-answer latency of the console offscreen, against the floor measured in the same run.
void reportLatency(const QString& console, const QString& floor, const Limits& limits)
{
    const auto pair = measurePair(console, floor, limits, Offscreen);
    if (!pair) {
        row("poll-to-answer latency", QStringLiteral("no result"), QString(), false);
        return;
    }
    const Latency& base = pair->floor;
    const Latency& real = pair->console;
    row("floor: median / p99 / max", ms(base.medianMs) + " / " + ms(base.p99Ms), ms(base.maxMs) + " max", true);
    row("console: median latency", ms(real.medianMs), QStringLiteral("< 0.150 ms"), real.medianMs < 0.15);
    row("console: p99 latency", ms(real.p99Ms), QStringLiteral("< 0.5 ms, < 2 x floor"),
        real.p99Ms < 0.5 && real.p99Ms <= 2 * base.p99Ms);
    row("console: max latency", ms(real.maxMs), QString(), true);
    row("console: cycles/s, trace off", QString::number(real.cyclesPerSecond, 'f', 0), QStringLiteral(">= 3500"),
        real.cyclesPerSecond >= 3500);
    row("floor: cycles/s", QString::number(base.cyclesPerSecond, 'f', 0), QString(), true);
}

// The console on a real X server (xcb, DISPLAY), where painting lies between
// a frame and the next poll: five runs in a row, each the console's p99 over
// the floor's p99 of the same run (the floor offscreen).
void reportX11Latency(const QString& console, const QString& floor, const Limits& limits)
{
    constexpr int Runs = 5;
    std::vector<double> ratios;
    for (int i = 1; i <= Runs; ++i) {
        const auto pair = measurePair(console, floor, limits, X11);
        if (!pair) {
            row("xcb poll-to-answer latency", QStringLiteral("no result"), QString(), false);
            return;
        }
        const Latency& base = pair->floor;
        const Latency& real = pair->console;
        ratios.push_back(real.p99Ms / base.p99Ms);
        row(QStringLiteral("xcb run %1: p99 console / floor").arg(i), ms(real.p99Ms) + " / " + ms(base.p99Ms),
            QStringLiteral("ratio %1").arg(ratios.back(), 0, 'f', 2), true);
        note(QStringLiteral("median %1 / %2, max %3 / %4, cycles/s %5 / %6")
                 .arg(ms(real.medianMs), ms(base.medianMs), ms(real.maxMs), ms(base.maxMs))
                 .arg(real.cyclesPerSecond, 0, 'f', 0)
                 .arg(base.cyclesPerSecond, 0, 'f', 0));
    }
    std::sort(ratios.begin(), ratios.end());
    const double middle = ratios[Runs / 2];
    row("xcb p99 ratio to floor: median of 5 runs", QString::number(middle, 'f', 2), QStringLiteral("<= 1.15"),
        middle <= 1.15);
    row("xcb p99 ratio to floor: highest of 5 runs", QString::number(ratios.back(), 'f', 2), QStringLiteral("<= 1.3"),
        ratios.back() <= 1.3);
}

// The same console through ser2net on this machine, raw and with RFC 2217,
// with ser2net's usual wait for more serial bytes and without it; raw without
// the wait, the floor through the same ser2net too, and what the console adds.
void reportNetworkLatency(const QString& console, const QString& floor, const Limits& limits)
{
    using Accepter = Ser2netBridge::Accepter;
    const ConsoleRun::Through quickTcp{Accepter::Tcp, {QStringLiteral("9600n81"), false}};
    const std::pair<const char*, ConsoleRun::Through> setups[] = {
        {"ser2net tcp", {Accepter::Tcp, {}}},
        {"ser2net rfc2217", {Accepter::Rfc2217, {}}},
        {"ser2net tcp, chardelay off", quickTcp},
        {"ser2net rfc2217, chardelay off", {Accepter::Rfc2217, {QStringLiteral("9600n81"), false}}},
    };
    for (const auto& [name, through] : setups) {
        const auto measured = measureLatency(console, limits, Offscreen, through);
        const QString title = QLatin1String(name);
        if (!measured) {
            row(qPrintable(title), QStringLiteral("no result"), QString(), false);
            continue;
        }
        row(qPrintable(title + QStringLiteral(": median / p99")), ms(measured->medianMs) + " / " + ms(measured->p99Ms),
            ms(measured->maxMs) + " max", true);
        row(qPrintable(title + QStringLiteral(": cycles/s")), QString::number(measured->cyclesPerSecond, 'f', 0),
            QStringLiteral("every poll once"), measured->everyPollOnce);
    }
    // What the console adds: five pairs in a row, each the floor then the console.
    constexpr int Pairs = 5;
    std::vector<double> added;
    for (int i = 1; i <= Pairs; ++i) {
        const auto pair = measurePair(console, floor, limits, Offscreen, quickTcp);
        if (!pair) {
            row("ser2net tcp, chardelay off: console over floor", QStringLiteral("no result"), QString(), false);
            return;
        }
        added.push_back(pair->console.p99Ms - pair->floor.p99Ms);
        row(QStringLiteral("ser2net tcp pair %1: p99 console / floor").arg(i),
            ms(pair->console.p99Ms) + " / " + ms(pair->floor.p99Ms), QStringLiteral("added %1").arg(ms(added.back())),
            true);
    }
    std::sort(added.begin(), added.end());
    const double middle = added[Pairs / 2];
    row("ser2net tcp, chardelay off: p99 console - floor, median of 5 pairs", ms(middle), QStringLiteral("<= 0.100 ms"),
        middle <= 0.1);
}

// Reads of exactly one status frame in the console's trace.
qint64 framesRead(const QString& tracePath)
{
    QFile file(tracePath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    qint64 count = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const qsizetype rx = line.indexOf(" rx ");
        if (rx >= 0 && line.mid(rx + 4).split(' ').size() == wire::StatusFrameLength)
            ++count;
    }
    return count;
}

void rowEveryPollOnce(const char* what, const ScriptedExchange& exchange, bool finished)
{
    row(what, QString::number(exchange.answered()) + " polls", QStringLiteral("exactly once"),
        finished && exchange.everyPollOnce());
}

void reportRate(const QString& console, const Limits& limits)
{
    ConsoleRun run({console, {QStringLiteral("--trace"), QStringLiteral("trace.log")}, backToBack(), true, false});
    if (auto error = run.start(); error || !run.waitForAnswers(WarmUp, LongWaitMs)) {
        row("cycles/s with trace", QStringLiteral("no result"), QString(), false);
        return;
    }
    const ScriptedExchange& exchange = run.exchange();
    const qint64 startUs = exchange.nowUs();
    const bool finished = run.waitForAnswers(WarmUp + limits.rateCycles, LongWaitMs);
    const double rate = double(exchange.answered() - WarmUp) * 1e6 / double(exchange.nowUs() - startUs);
    run.quiesce();
    const qint64 applied = framesRead(run.folder() + QStringLiteral("/trace.log"));
    row("console: cycles/s, trace on", QString::number(rate, 'f', 0), QStringLiteral(">= 3500"), rate >= 3500);
    rowEveryPollOnce("every poll answered once", exchange, finished);
    row("every frame read (25-byte reads in trace)", QStringLiteral("%1 of %2").arg(applied).arg(exchange.framesSent()),
        QStringLiteral("all"), applied == exchange.framesSent());
    note(exchange.counts());
}

// One outside line blinking slowly, one extension blinking fast, the rest free.
QByteArray blinkingFrame()
{
    QByteArray frame(wire::StatusFrameLength, char(wire::extension::Free));
    frame[0] = char(wire::extension::Held);
    frame[wire::ExtensionSlots - 1] = char(wire::extension::Own);
    frame[wire::ExtensionSlots] = char(wire::line::BusyBlinking);
    return frame;
}

// Every extension and line free: nothing blinks.
QByteArray freeFrame()
{
    return QByteArray(wire::StatusFrameLength, char(wire::extension::Free));
}

// The CPU of a connected console polled every 100 ms showing one frame, on a
// platform, from the process's scheduler time (not the coarse clock ticks).
void reportIdle(const QString& console, const Limits& limits, const QString& platform, bool blinking, double target)
{
    ExchangeOptions paced;
    paced.traffic = false;
    paced.pollPeriodMs = 100;
    paced.script = {ScriptStep::frame(blinking ? blinkingFrame() : freeFrame())};
    ConsoleRun run({console, {}, paced, false, false, platform});
    const QString what = platform
        + (blinking ? QStringLiteral(" idle, polled, blinking: CPU of one core")
                    : QStringLiteral(" idle, polled, all free: CPU of one core"));
    if (auto error = run.start(); error || !run.waitForHandshake(60000)) {
        row(what, QStringLiteral("no result"), QString(), false);
        return;
    }
    run.idle(2000);
    const ProcessSample before = sampleProcess(run.pid());
    run.idle(limits.idleSeconds * 1000);
    const ProcessSample after = sampleProcess(run.pid());
    const double percent = 100.0 * (after.cpuSeconds - before.cpuSeconds) / limits.idleSeconds;
    row(what, QStringLiteral("%1 %").arg(percent, 0, 'f', 3), QStringLiteral("<= %1 %").arg(target),
        run.programRunning() && percent <= target);
    note(QStringLiteral("over %1 s; %2").arg(limits.idleSeconds).arg(run.exchange().counts()));
}

double median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return percentile(values, 0.5);
}

// From exec to the console's window mapped on the X server, and from there to
// the identity request, over five starts after one that warms the cache.
void reportStart(const QString& console, const QString& display)
{
    constexpr int Starts = 5;
    std::vector<qint64> shownUs;
    std::vector<qint64> requestUs;
    for (int i = 0; i <= Starts; ++i) {
        ExchangeOptions quiet;
        quiet.traffic = false;
        ConsoleRun run({console, {}, quiet, false, false, X11});
        const ScriptedExchange& exchange = run.exchange();
        WindowWatch watch(display, [&exchange] { return exchange.nowUs(); });
        const bool started = watch.connected() && !run.start()
            && run.waitUntil([&] { return watch.mappedUs() >= 0 && exchange.firstByteUs() >= 0; }, 10000);
        if (!started) {
            row("start", QStringLiteral("no result"), QString(), false);
            return;
        }
        if (i == 0)
            continue; // warms the cache
        shownUs.push_back(watch.mappedUs() - run.startedUs());
        requestUs.push_back(exchange.firstByteUs() - watch.mappedUs());
    }
    const double shown = median(shownUs);
    const double request = median(requestUs);
    row("xcb start: exec to window shown, median of 5", ms(shown), QStringLiteral("<= 250 ms"), shown <= 250);
    row("xcb start: window shown to identity request, median", ms(request), QStringLiteral("300 ms"),
        request >= 250 && request <= 350);
    note(QStringLiteral("exec to shown %1-%2 ms; shown to request %3-%4 ms")
             .arg(*std::min_element(shownUs.begin(), shownUs.end()) / 1000.0, 0, 'f', 1)
             .arg(*std::max_element(shownUs.begin(), shownUs.end()) / 1000.0, 0, 'f', 1)
             .arg(*std::min_element(requestUs.begin(), requestUs.end()) / 1000.0, 0, 'f', 1)
             .arg(*std::max_element(requestUs.begin(), requestUs.end()) / 1000.0, 0, 'f', 1));
}

QString megabytes(qint64 kb)
{
    return QStringLiteral("%1 MiB").arg(double(kb) / 1024.0, 0, 'f', 1);
}

// The soak's memory targets: offscreen, and as a real X client with 89
// earlier days of call files present (today's is the soak's own).
struct SoakTargets {
    qint64 peakKb;
    qint64 growthKb;
};

void reportSoak(const QString& console, const Limits& limits, const QString& platform)
{
    const bool x11 = platform == X11;
    const SoakTargets targets = x11 ? SoakTargets{36 * 1024, 1023} : SoakTargets{80 * 1024, 2048};
    ConsoleRun run({console, {}, backToBack(), true, false, platform});
    if (x11)
        writeBusyDays(
            run.folder() + QStringLiteral("/data/opr903/llamadas"), QDate::currentDate().addDays(-1), 89, 5000);
    constexpr qint64 Early = 10000;
    if (auto error = run.start(); error || !run.waitForAnswers(Early, LongWaitMs)) {
        row(platform + QStringLiteral(" soak"), QStringLiteral("no result"), QString(), false);
        return;
    }
    const ScriptedExchange& exchange = run.exchange();
    const ProcessSample early = sampleProcess(run.pid());
    const qint64 startUs = exchange.nowUs();
    std::optional<WindowKeys> operatorDay;
    if (x11)
        operatorDay.emplace(run.pid(), 5000);
    const bool finished = run.waitForAnswers(limits.soakCycles, LongWaitMs);
    const ProcessSample late = sampleProcess(run.pid());
    const double rate = double(exchange.answered() - Early) * 1e6 / double(exchange.nowUs() - startUs);
    run.quiesce();
    const qint64 growthKb = late.rssKb - early.rssKb;
    const QString on = platform + QStringLiteral(" soak: ");
    row(on + "peak RSS (VmHWM)", megabytes(late.peakRssKb), QStringLiteral("<= ") + megabytes(targets.peakKb),
        late.peakRssKb <= targets.peakKb);
    row(on + "RSS growth, 10,000th to last cycle", megabytes(growthKb),
        QStringLiteral("<= ") + megabytes(targets.growthKb), finished && growthKb <= targets.growthKb);
    rowEveryPollOnce(qPrintable(on + "every poll answered once"), exchange, finished);
    note(QStringLiteral("RSS %1 after %2 cycles, %3 after %4; %5 cycles/s; %6")
             .arg(megabytes(early.rssKb))
             .arg(Early)
             .arg(megabytes(late.rssKb))
             .arg(exchange.answered())
             .arg(rate, 0, 'f', 0)
             .arg(exchange.counts()));
    if (operatorDay)
        note(QStringLiteral("the call list opened and closed and the directory paged %1 times")
                 .arg(operatorDay->rounds()));
}

// The options of a console in this process, in its own folder, against the
// exchange, which is started; nothing (and a row that says so) when it cannot start.
std::optional<ConsoleOptions> inProcess(ScriptedExchange& exchange, const QTemporaryDir& folder, const char* run)
{
    if (auto error = exchange.start()) {
        row(run, QStringLiteral("no result"), *error, false);
        return std::nullopt;
    }
    ConsoleOptions options;
    options.configFolder = folder.path();
    options.device = exchange.consolePath();
    return options;
}

// The console in this process, clicked and typed on at random every
// millisecond while the exchange polls back to back with changing frames.
void reportOperatorSoak(const Limits& limits)
{
    QTemporaryDir folder;
    ScriptedExchange exchange(backToBack(), true, false);
    const auto alive = [] { return true; };
    const std::optional<ConsoleOptions> options = inProcess(exchange, folder, "operator soak");
    if (!options)
        return;
    ConsoleApp console(*options);
    console.start();
    constexpr qint64 Early = 10000;
    if (!exchange.waitUntil([&] { return exchange.polling(); }, 60000, alive)) {
        row("operator soak", QStringLiteral("no handshake"), QString(), false);
        return;
    }
    RandomOperator person(console, 903);
    QTimer clicks;
    QObject::connect(&clicks, &QTimer::timeout, [&person] { person.act(); });
    clicks.start(1);
    exchange.waitUntil([&] { return exchange.answered() >= Early; }, LongWaitMs, alive);
    const ProcessSample early = sampleProcess(QCoreApplication::applicationPid());
    const bool finished
        = exchange.waitUntil([&] { return exchange.answered() >= limits.soakCycles; }, LongWaitMs, alive);
    const ProcessSample late = sampleProcess(QCoreApplication::applicationPid());
    clicks.stop();
    exchange.quiesce(alive);
    const qint64 growthKb = late.rssKb - early.rssKb;
    rowEveryPollOnce("operator soak: every poll answered once", exchange, finished);
    row("operator soak: commands sent", QString::number(exchange.commands()), QStringLiteral("> 0"),
        exchange.commands() > 0);
    row("operator soak: RSS growth", megabytes(growthKb), QStringLiteral("<= 2 MB"), finished && growthKb <= 2048);
    note(QStringLiteral("%1 operator actions; RSS (console and exchange) %2 after %3 cycles, %4 at the end; %5")
             .arg(person.actions())
             .arg(megabytes(early.rssKb))
             .arg(Early)
             .arg(megabytes(late.rssKb))
             .arg(exchange.counts()));
}

// The call list of the console in this process going back through 89 earlier
// days of 5,000 calls each: each step from Alt+Left to the list painted, and
// the console's peak memory with today's 5,000 calls shown, before the earlier
// days were written and after all were seen.
void reportDays()
{
    constexpr int Days = 90;
    constexpr int Calls = 5000;
    QTemporaryDir folder;
    ExchangeOptions quiet;
    quiet.traffic = false;
    ScriptedExchange exchange(quiet, false, false);
    const auto alive = [] { return true; };
    const std::optional<ConsoleOptions> options = inProcess(exchange, folder, "earlier days");
    if (!options)
        return;
    const QString days = folder.filePath(QStringLiteral("llamadas"));
    writeBusyDays(days, QDate::currentDate(), 1, Calls);
    ConsoleApp console(*options);
    console.start();
    CallListWindow& list = console.screen().callList();
    list.open();
    exchange.waitUntil([&] { return exchange.polling() && list.isActiveWindow(); }, 60000, alive);
    list.repaint();
    const ProcessSample before = sampleProcess(QCoreApplication::applicationPid());
    writeBusyDays(days, QDate::currentDate().addDays(-1), Days - 1, Calls);
    std::vector<qint64> stepsUs;
    QElapsedTimer timer;
    for (int day = 1; day < Days; ++day) {
        timer.start();
        QTest::keyClick(list.table(), Qt::Key_Left, Qt::AltModifier);
        list.repaint();
        stepsUs.push_back(timer.nsecsElapsed() / 1000);
    }
    const ProcessSample after = sampleProcess(QCoreApplication::applicationPid());
    std::sort(stepsUs.begin(), stepsUs.end());
    const bool allDays = list.windowTitle().endsWith(QDate::currentDate().addDays(1 - Days).toString("dd/MM/yyyy"));
    row("a day of 5,000 calls opened and painted: median / max",
        QStringLiteral("%1 / %2 ms").arg(percentile(stepsUs, 0.5), 0, 'f', 1).arg(percentile(stepsUs, 1), 0, 'f', 1),
        QStringLiteral("< 100 ms"), allDays && percentile(stepsUs, 1) < 100);
    const qint64 growthKb = after.peakRssKb - before.peakRssKb;
    row("peak RSS growth, 89 such days seen", megabytes(growthKb), QStringLiteral("< 2 MB"), growthKb < 2048);
    note(QStringLiteral("peak RSS (console and exchange) %1 with today's calls shown, %2 after the earlier days")
             .arg(megabytes(before.peakRssKb), megabytes(after.peakRssKb)));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures the console against the simulated exchange."));
    parser.addHelpOption();
    const QString here = QCoreApplication::applicationDirPath();
    const QCommandLineOption console(QStringLiteral("console"), QStringLiteral("The console program."),
        QStringLiteral("PATH"), here + QStringLiteral("/opr903"));
    const QCommandLineOption floor(QStringLiteral("floor"), QStringLiteral("The bare serial-port program."),
        QStringLiteral("PATH"), here + QStringLiteral("/poll_floor"));
    const QCommandLineOption only(QStringLiteral("only"),
        QStringLiteral("Run only these, comma-separated: latency,network,rate,idle,soak,operator,days, and with "
                       "--x11-display x11-latency,x11-idle,x11-idle-free,x11-start,x11-soak."),
        QStringLiteral("LIST"),
        QStringLiteral(
            "latency,network,rate,idle,soak,operator,days,x11-latency,x11-idle,x11-idle-free,x11-start,x11-soak"));
    const QCommandLineOption x11(QStringLiteral("x11-display"),
        QStringLiteral("Also run the console on this X server (e.g. an Xvfb's :99)."), QStringLiteral("DISPLAY"));
    const QCommandLineOption soak(QStringLiteral("soak-cycles"), QStringLiteral("Poll cycles of the soak."),
        QStringLiteral("N"), QStringLiteral("1000000"));
    const QCommandLineOption idle(QStringLiteral("idle-seconds"), QStringLiteral("Length of the idle CPU sample."),
        QStringLiteral("S"), QStringLiteral("60"));
    parser.addOptions({console, floor, only, soak, idle, x11});
    parser.process(app);

    Limits limits;
    limits.soakCycles = std::max<qint64>(20000, parser.value(soak).toLongLong());
    limits.idleSeconds = std::max(1, parser.value(idle).toInt());
    const QStringList runs = parser.value(only).split(QLatin1Char(','));
    const QString consolePath = parser.value(console);

    std::printf("%-54s %22s   %-22s %s\n", "measure", "value", "target", "");
    if (runs.contains(QStringLiteral("latency")))
        reportLatency(consolePath, parser.value(floor), limits);
    if (runs.contains(QStringLiteral("network")))
        reportNetworkLatency(consolePath, parser.value(floor), limits);
    if (runs.contains(QStringLiteral("rate")))
        reportRate(consolePath, limits);
    if (runs.contains(QStringLiteral("idle")))
        reportIdle(consolePath, limits, Offscreen, true, 1.0);
    if (parser.isSet(x11)) {
        qputenv("DISPLAY", parser.value(x11).toLocal8Bit());
        if (runs.contains(QStringLiteral("x11-latency")))
            reportX11Latency(consolePath, parser.value(floor), limits);
        if (runs.contains(QStringLiteral("x11-idle")))
            reportIdle(consolePath, limits, X11, true, 0.25);
        if (runs.contains(QStringLiteral("x11-idle-free")))
            reportIdle(consolePath, limits, X11, false, 0.1);
        if (runs.contains(QStringLiteral("x11-start")))
            reportStart(consolePath, parser.value(x11));
        if (runs.contains(QStringLiteral("x11-soak")))
            reportSoak(consolePath, limits, X11);
    }
    if (runs.contains(QStringLiteral("soak")))
        reportSoak(consolePath, limits, Offscreen);
    if (runs.contains(QStringLiteral("operator")))
        reportOperatorSoak(limits);
    if (runs.contains(QStringLiteral("days")))
        reportDays();
    return 0;
}
