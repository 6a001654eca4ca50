#include "../desktop/modal.h"
#include "app/form1.h"
#include "console/journal_csv.h"
#include "link/protocol.h"
#include "qt_printers.h"
#include "traced_console.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

// Paced: the bytes trickle in at 9600 bit/s, a poll every 20 ms.
// Unpaced: each frame and the next poll together in one burst.
class ConsoleE2E : public TracedConsole, public ::testing::WithParamInterface<bool>
{
};

// Offscreen there is neither a notification area nor a sound device: the
// console still alerts the operator as far as it can and goes on working.
TEST_P(ConsoleE2E, LinksAlertsOnAWaitingCallCarriesTheOperatorsCommandsAndClosesWithTheSaveQuestion)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    ExchangeOptions options;
    options.paced = GetParam();
    options.pollPeriodMs = GetParam() ? 20 : 0;
    options.traffic = false; // only what the test asks for
    startOn(options);
    QSignalSpy handshake(exchange.get(), &ExchangeServer::handshakeDone);
    ASSERT_TRUE(handshake.wait(10000));
    EXPECT_TRUE(sent.startsWith("DBC\xC0")) << sent.toHex().toStdString();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return console->window().windowTitle() == QStringLiteral("QUINDORA R903 - Serie 0412 - V1.00"); }, 5000))
        << console->window().windowTitle().toStdString();
    // The numbering table and the memories as the exchange holds them.
    const ExchangePlan plan = ExchangePlan::builtIn();
    for (int i = 0; i < protocol::ExtensionSlots - 1; ++i)
        EXPECT_EQ(console->session().panel().numberLabel(i).caption, plan.extensions[i]) << i;
    EXPECT_EQ(console->session().panel().numberLabel(18).caption, "Virtual");
    for (int m = 0; m < protocol::MemoryCount; ++m)
        EXPECT_EQ(console->session().directory().Saca_Numero_Memoria(m), plan.memories[m]) << m;

    // The operator names an extension on the panel.
    console->window().setNameBoxVisible(3, true);
    console->window().setNameBoxText(3, QStringLiteral("Recepción"));

    // Not in front: the waiting call brings the balloon as well.
    console->window().showMinimized();
    ASSERT_TRUE(exchange->ringLine(2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return console->session().shell().alert().running(); }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return traced("icon 1"); }, 3000));
    // The running console as the README shows it.
    QDir().mkpath(QStringLiteral(OPR903_SCREENSHOT_DIR));
    console->window().grab().save(QStringLiteral(OPR903_SCREENSHOT_DIR "/running_console.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return traced("icon 0"); }, 1000));
    for (const char* event : {"alert on", "balloon show", "tone"})
        EXPECT_TRUE(traced(event)) << event;

    // The operator takes the line: the alert stops and the balloon goes; then cuts it.
    console->window().showNormal();
    console->session().commands().press(MouseButton::Left);
    console->session().commands().lineClick(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console->session().shell().alert().running(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return traced("alert off"); }, 1000));
    EXPECT_TRUE(traced("balloon remove"));
    EXPECT_EQ(console->session().shell().tray().Icon(), 0);
    EXPECT_EQ(console->session().panel().lineLabel(1).tooltip, "Línea tomada por consola");
    console->session().commands().cortaPressed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sent.contains(char(protocol::Corta)); }, 2000));
    // An extension calls and is still waiting when the console closes.
    ASSERT_TRUE(exchange->callConsoleFrom(5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !console->session().journal().waiting().empty(); }, 2000));

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
    // Commands went out as poll answers, in order; every other answer was "no command".
    QByteArray answers = sent.mid(4);
    EXPECT_GE(answers.count(char(protocol::SinComando)), 3);
    EXPECT_EQ(answers.replace(char(protocol::SinComando), QByteArray()), QByteArray("\x22\x80\x8F"));
    EXPECT_TRUE(traced("save ok"));
    EXPECT_EQ(events().last(), "exit");

    QFile saved(folder.filePath("OPR903.DAT"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("\"Recepci\xf3n\""));

    // Both calls are in the journal's file of the day, beside the configuration.
    const auto& calls = console->session().journal().today();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].origin, "L2");
    EXPECT_EQ(calls[0].outcome, CallOutcome::Atendida);
    EXPECT_EQ(calls[1].origin, ExchangePlan::builtIn().extensions[4]);
    EXPECT_EQ(calls[1].outcome, CallOutcome::SinFinal);
    console->journalStore().waitUntilWritten();
    QFile journal(folder.filePath("llamadas/" + localTime(calls[1].endedMs).date().toString("yyyy-MM-dd") + ".csv"));
    ASSERT_TRUE(journal.open(QIODevice::ReadOnly));
    EXPECT_TRUE(journal.readAll().endsWith(journal_csv::row(calls[0]) + journal_csv::row(calls[1])));
}

INSTANTIATE_TEST_SUITE_P(Pacing, ConsoleE2E, ::testing::Values(true, false),
    [](const auto& info) { return info.param ? "AtLinePace" : "InOneBurst"; });

} // namespace
