#pragma once

#include "app/console_app.h"
#include "device_server.h"
#include "message_answerer.h"
#include "platform/qt/trace.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>
#include <functional>

inline const QString Communication = QStringLiteral("Error de comunicación | ");
inline const QString NoConnection = Communication + QStringLiteral("No es posible establecer conexión con R903");
inline const QString LinkLost = Communication
    + QStringLiteral("Se ha perdido conexión con R903.\r\n"
                     "Puede estar en modo programación\r\n"
                     "Espere algunos minutos y reintente");
inline constexpr int StartUpWaitMs = 15000;
inline constexpr int PollingWaitMs = 40000; // two expiries of the running watchdog
// A spinning event loop would use the whole core; waiting uses next to nothing.
inline constexpr double MostCpuShare = 0.3;

// The whole console in this process on the offscreen desktop, with a folder
// of its own, its trace read back and every message box answered, most often
// against the simulated exchange on a pseudo-terminal, directly or through a
// device server. Every byte the console sends is kept, also after the
// exchange has gone.
struct TracedConsole : ::testing::Test {
    void startOn(ExchangeOptions exchangeOptions)
    {
        ASSERT_NO_FATAL_FAILURE(serve(std::move(exchangeOptions)));
        start(exchange->consolePath());
    }
    // A device server started in front of the exchange's device.
    using ServerStart = std::function<DeviceServer::Started(const QString& device)>;
    void startThrough(const ServerStart& startServer, ExchangeOptions exchangeOptions)
    {
        ASSERT_NO_FATAL_FAILURE(serve(std::move(exchangeOptions)));
        auto started = startServer(exchange->consolePath());
        auto* failure = std::get_if<QString>(&started);
        ASSERT_FALSE(failure) << failure->toStdString();
        bridge = std::move(std::get<std::unique_ptr<DeviceServer>>(started));
        start(bridge->url());
    }
    void start(const QString& device)
    {
        trace = Trace::open(folder.filePath(QStringLiteral("trace.log")));
        ASSERT_TRUE(trace);
        ConsoleOptions options;
        options.configFolder = folder.path();
        options.device = device;
        options.trace = trace.get();
        console = std::make_unique<ConsoleApp>(options);
        console->start();
    }
    QStringList events() const { return traceEvents(folder.filePath(QStringLiteral("trace.log"))); }
    bool traced(const QString& event) const { return events().contains(event); }

    // Waits for the console to end; false if it did not, or if it used more
    // than a small share of the CPU meanwhile.
    ::testing::AssertionResult endsQuietly(int timeoutMs)
    {
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuBefore = std::clock();
        if (!QTest::qWaitFor([this] { return traced(QStringLiteral("exit")); }, timeoutMs))
            return ::testing::AssertionFailure() << "no orderly close within " << timeoutMs << " ms";
        QTest::qWait(500); // nothing keeps running after the close
        const double share = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC / (double(wall.elapsed()) / 1000.0);
        if (share > MostCpuShare)
            return ::testing::AssertionFailure() << "used " << share * 100 << " % of a core while waiting";
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir folder;
    std::unique_ptr<ExchangeServer> exchange;
    QByteArray sent;
    std::unique_ptr<DeviceServer> bridge;
    std::unique_ptr<Trace> trace;
    std::unique_ptr<ConsoleApp> console;
    MessageAnswerer answerer;

private:
    void serve(ExchangeOptions exchangeOptions)
    {
        QString error;
        exchange = ExchangeServer::onPseudoTerminal(std::move(exchangeOptions), &error);
        ASSERT_TRUE(exchange) << error.toStdString();
        QObject::connect(exchange.get(), &ExchangeServer::consoleByte, [this](quint8 byte) { sent += char(byte); });
    }
};
