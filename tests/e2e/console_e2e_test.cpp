#include "../desktop/modal.h"
#include "app/console_app.h"
#include "app/form1.h"
#include "directory/windows1252.h"
#include "platform/qt/trace.h"
#include "qt_printers.h"
#include "sim/exchange_server.h"
#include "trace_events.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

ExchangeOptions quietExchange()
{
    ExchangeOptions options;
    options.traffic = false; // only what the test asks for
    return options;
}

// The running console as the README shows it.
void saveScreenshot(QWidget& window)
{
    QDir().mkpath(QStringLiteral(OPR903_SCREENSHOT_DIR));
    window.grab().save(QStringLiteral(OPR903_SCREENSHOT_DIR "/running_console.png"));
}

// The console in this process, on the offscreen desktop, against the
// simulated exchange on a pseudo-terminal; its trace is read back.
struct ConsoleE2E : ::testing::Test {
    void SetUp() override
    {
        QString error;
        exchange = ExchangeServer::onPseudoTerminal(quietExchange(), &error);
        ASSERT_TRUE(exchange) << error.toStdString();
        tracePath = folder.filePath("trace.log");
        trace = Trace::open(tracePath);
        ASSERT_TRUE(trace);
        ConsoleOptions options;
        options.configFolder = folder.path();
        options.device = exchange->consolePath();
        options.trace = trace.get();
        console = std::make_unique<ConsoleApp>(options);
    }

    bool traced(const QString& event) const { return traceEvents(tracePath).contains(event); }

    QTemporaryDir folder;
    std::unique_ptr<ExchangeServer> exchange;
    QString tracePath;
    std::unique_ptr<Trace> trace;
    std::unique_ptr<ConsoleApp> console;
};

TEST_F(ConsoleE2E, LinksAlertsOnAWaitingCallAndClosesWithTheSaveQuestionAnswered)
{
    QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
    ASSERT_EQ(console->start(), Shell::Loaded::Starting);
    EXPECT_EQ(console->window().windowTitle(), "Quindora R903");
    ASSERT_TRUE(handshake.wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(
        console->window().windowTitle(), QStringLiteral("QUINDORA R903 - Serie 0412 - V1.00"), 5000);

    // The operator names the calling extension on the panel.
    console->window().setNameBoxVisible(3, true);
    console->window().setNameBoxText(3, QStringLiteral("Recepción"));

    // Not in front: the waiting call brings the balloon as well.
    console->window().showMinimized();
    ASSERT_TRUE(exchange->callConsoleFrom(4));
    QTRY_VERIFY_WITH_TIMEOUT(console->session().shell().alert().running(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(traced("icon 1"), 3000);
    saveScreenshot(console->window());
    QTRY_VERIFY_WITH_TIMEOUT(traced("icon 0"), 1000);
    EXPECT_TRUE(traced("alert on"));
    EXPECT_TRUE(traced("balloon show"));
    EXPECT_TRUE(traced("tone"));

    // The operator takes the call: the alert stops and the balloon goes.
    console->window().showNormal();
    console->session().commands().press(MouseButton::Left);
    console->session().commands().extensionClick(3);
    QTRY_VERIFY_WITH_TIMEOUT(!console->session().shell().alert().running(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(traced("alert off"), 1000);
    EXPECT_TRUE(traced("balloon remove"));
    EXPECT_EQ(console->session().shell().tray().Icon(), 0);

    // Salir: the closing request, and the save question (the name changed) answered Yes.
    QSignalSpy closed(&console->windowServices(), &QtWindowServices::closed);
    QString question;
    whenModal([&](QWidget* box) {
        question = static_cast<QMessageBox*>(box)->text();
        for (QAbstractButton* b : static_cast<QMessageBox*>(box)->buttons())
            if (b->text() == "&Sí")
                b->click();
    });
    QTest::mouseClick(console->window().salirButton(), Qt::LeftButton);
    ASSERT_TRUE(closed.wait(5000));
    EXPECT_EQ(question, "Ha hecho cambios en la configuración\r\n¿Desea salvarlos?");
    EXPECT_TRUE(traced("tx 8f"));
    EXPECT_TRUE(traced("save ok"));
    EXPECT_EQ(traceEvents(tracePath).last(), "exit");

    QFile saved(folder.filePath("OPR903.DAT"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("\"Recepci\xf3n\""));
}

} // namespace
