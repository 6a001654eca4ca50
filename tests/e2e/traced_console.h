#pragma once

#include "app/console_app.h"
#include "platform/qt/trace.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// The whole console in this process on the offscreen desktop, with a folder
// of its own and its trace read back, most often against the simulated
// exchange on a pseudo-terminal. Every byte the console sends is kept, also
// after the exchange has gone.
struct TracedConsole : ::testing::Test {
    void startOn(ExchangeOptions exchangeOptions)
    {
        QString error;
        exchange = ExchangeServer::onPseudoTerminal(std::move(exchangeOptions), &error);
        ASSERT_TRUE(exchange) << error.toStdString();
        QObject::connect(exchange.get(), &ExchangeServer::consoleByte, [this](quint8 byte) { sent += char(byte); });
        start(exchange->consolePath());
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

    QTemporaryDir folder;
    std::unique_ptr<ExchangeServer> exchange;
    QByteArray sent;
    std::unique_ptr<Trace> trace;
    std::unique_ptr<ConsoleApp> console;
};
