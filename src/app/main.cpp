// opr903: the operator console for the R903 exchange.
#include "app/command_line.h"
#include "app/console_app.h"
#include "app/termination_signals.h"
#include "platform/qt/trace.h"
#include "sim/exchange_server.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

namespace
{

void print(std::FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

QStringList arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// Minimised state and raising need X11; under XWayland too.
void preferX11()
{
#ifdef Q_OS_LINUX
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}

// The window repaints a few small pieces at a time. Sent through the X
// connection they need no shared memory, whose reuse makes each repaint of a
// piece wait for the X server (a round trip the poll's answer would wait behind).
void repaintThroughConnection()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// The demo's own configuration folder, so a real OPR903.DAT is never touched.
QString demoFolder()
{
    const QString folder = dataFolder() + QStringLiteral("/demo");
    QDir().mkpath(folder);
    return folder;
}

// Where the call journal keeps its day files.
QString journalFolder(bool demo)
{
    return (demo ? demoFolder() : dataFolder()) + QStringLiteral("/llamadas");
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(arguments(argc, argv));
    switch (line.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version: print(stdout, line.text); return 0;
    case CommandLine::Action::Error: print(stderr, line.text); return 2;
    case CommandLine::Action::Run: break;
    }

    preferX11();
    repaintThroughConnection();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("opr903"));
    app.setApplicationVersion(QLatin1String(version::Number));
    app.setQuitOnLastWindowClosed(false);

    ConsoleOptions options;
    options.device = line.device;
    options.journalFolder = journalFolder(line.demo);
    std::unique_ptr<Trace> trace;
    if (line.trace) {
        QString error;
        trace = Trace::open(*line.trace, &error);
        if (!trace) {
            print(stderr, QStringLiteral("opr903: cannot open the trace file '%1': %2\n").arg(*line.trace, error));
            return 1;
        }
        options.trace = trace.get();
    }
    std::unique_ptr<ExchangeServer> exchange;
    if (line.demo) {
        QString error;
        exchange = ExchangeServer::onPseudoTerminal(ExchangeOptions{}, &error);
        if (!exchange) {
            print(stderr, QStringLiteral("opr903: cannot start the simulated exchange: %1\n").arg(error));
            return 1;
        }
        options.device = exchange->consolePath();
        options.configFolder = demoFolder();
    }

    ConsoleApp console(options);
    QObject::connect(
        &console.windowServices(), &QtWindowServices::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    TerminationSignals termination;
    QObject::connect(
        &termination, &TerminationSignals::received, &console.windowServices(), &QtWindowServices::endSession);
    if (console.start() == Shell::Loaded::Ended)
        return 1;
    return app.exec();
}
