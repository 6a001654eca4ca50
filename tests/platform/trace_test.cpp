#include "platform/qt/trace.h"
#include "platform/qt/tracing_serial_port.h"

#include "fake_serial_port.h"
#include "qt_printers.h"
#include "trace_events.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

// A trace into a fresh file.
class TraceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        trace = Trace::open(path());
        ASSERT_TRUE(trace);
    }

    QString path() const { return dir.filePath(QStringLiteral("trace.log")); }

    QTemporaryDir dir;
    std::unique_ptr<Trace> trace;
};

} // namespace

TEST_F(TraceTest, SerialBytesAreTracedPerNotificationAndPerByteSent)
{
    FakeSerialPort port;
    TracingSerialPort traced(port, *trace);
    traced.onData([&] {
        traced.read(2);
        traced.read(3);
        traced.write(0x8E);
    });
    port.opened = true;
    port.input = "\x01\x02";
    traced.read(1); // outside a notification: traced at once
    port.threshold = 5;
    port.deliver(QByteArray("\x19\xAB\x00\xFF\x10\x99", 6));
    EXPECT_EQ(traceEvents(path()), (QStringList{"rx 01", "tx 8e", "rx 02 19 ab 00 ff"}));
    EXPECT_EQ(port.written, QByteArray("\x8E"));
    EXPECT_EQ(traced.bytesWaiting(), 2);
}

TEST_F(TraceTest, TraceAppendsToAnExistingFileAndReportsAnUnwritableOne)
{
    trace->line(QStringLiteral("exit"));
    trace = Trace::open(path());
    ASSERT_TRUE(trace);
    trace->line(QStringLiteral("beep"));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ exit\n\\d+ beep\n$"))
                    .match(QString::fromUtf8(file.readAll()))
                    .hasMatch());

    QString error;
    EXPECT_FALSE(Trace::open(QStringLiteral("/nonexistent-folder/trace.log"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(Trace::open(QStringLiteral("-")));
}
