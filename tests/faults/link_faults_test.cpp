// A console whose port is wrong, or whose exchange falls silent or goes away
// in any phase of the conversation, says why and closes in order, without
// spinning.
#include "console_under_fault.h"

#include "app/port_choice_panel.h"
#include "link/protocol.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// Whether this process still holds the device open (a device that went away
// reads as deleted).
bool heldOpen(const QString& device)
{
    const QFileInfoList descriptors
        = QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::AllEntries | QDir::System);
    return std::any_of(descriptors.begin(), descriptors.end(), [&device](const QFileInfo& fd) {
        return fd.symLinkTarget() == device || fd.symLinkTarget() == device + QStringLiteral(" (deleted)");
    });
}

// The exchange falls silent from `stage`, or its side of the line closes once
// the console has sent `closeAfter` bytes (the console's port then lets the
// line go at once); the console ends with `message`, having restarted polling
// `restarts` times.
struct Fault {
    const char* name;
    Faults::Stage stage;
    int after;
    qsizetype closeAfter;
    const QString* message;
    qsizetype restarts;
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

class ExchangeFault : public ConsoleUnderFault, public ::testing::WithParamInterface<Fault>
{
};

TEST_P(ExchangeFault, IsReportedAndTheConsoleClosesWithoutSpinning)
{
    const Fault& fault = GetParam();
    ExchangeOptions options;
    options.paced = false;
    options.traffic = false;
    options.faults.silentFrom = fault.stage;
    options.faults.silentAfter = fault.after;
    startOn(options);
    if (fault.closeAfter > 0) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return sent.size() >= fault.closeAfter; }, StartUpWaitMs));
        const QString line = exchange->consolePath();
        exchange.reset();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !heldOpen(line); }, 1000)) << "the console still holds the line";
    }
    const bool polling = *fault.message == LinkLost;
    ASSERT_TRUE(endsQuietly(polling ? PollingWaitMs : StartUpWaitMs));
    EXPECT_EQ(answerer.seen().value(0), *fault.message);
    EXPECT_EQ(sent.count(char(protocol::IniciaSondeo)), fault.restarts) << sent.toHex().toStdString();
}

// While polling, the console first restarts polling with 0xC0, then gives up.
INSTANTIATE_TEST_SUITE_P(Phases, ExchangeFault,
    ::testing::Values(Fault{"SilentBeforeTheIdentity", Faults::Stage::BeforeIdentity, 0, 0, &NoConnection, 0},
        Fault{"SilentInTheTable", Faults::Stage::InTable, 300, 0, &NoConnection, 0},
        Fault{"SilentAtTheBlocksLastByte", Faults::Stage::InBlock, 2047, 0, &NoConnection, 0},
        Fault{"SilentWhilePolling", Faults::Stage::InPolling, 5, 0, &LinkLost, 2},
        Fault{"ClosedBeforeTheIdentity", Faults::Stage::BeforeIdentity, 0, 1, &NoConnection, 0},
        Fault{"ClosedInTheTable", Faults::Stage::InTable, 100, 2, &NoConnection, 0},
        Fault{"ClosedInTheBlock", Faults::Stage::InBlock, 1000, 3, &NoConnection, 0},
        Fault{"ClosedWhilePolling", Faults::Stage::None, 0, 5, &LinkLost, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A port that cannot be used brings the port-failure message and the port list.
TEST_F(ConsoleUnderFault, UnusablePortsBringThePortList)
{
    for (const QString& device : {QStringLiteral("/nonexistent/ttyS9"), QStringLiteral("/dev/null")}) {
        SCOPED_TRACE(device.toStdString());
        const qsizetype before = answerer.seen().size();
        start(device);
        ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.seen().size() > before; }, StartUpWaitMs));
        EXPECT_TRUE(answerer.seen().last().startsWith(QStringLiteral("Selección incorrecta Puerto ")))
            << answerer.seen().last().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([this] { return console->portPanel().isVisible(); }, 2000));
        EXPECT_FALSE(ended());
        console.reset();
        trace.reset();
    }
}

} // namespace
