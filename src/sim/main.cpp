// r903-sim: a simulated R903 exchange on a pseudo-terminal or a serial device.
#include "sim/control_input.h"
#include "sim/exchange_server.h"
#include "sim/script_text.h"
#include "sim/sim_command_line.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace
{

constexpr int Failure = 1;

int fail(const QString& message)
{
    std::fprintf(stderr, "r903-sim: %s\n", qPrintable(message));
    return Failure;
}

std::optional<QByteArray> readFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

// Reads --data and --script into the options; false with the error.
bool loadFiles(SimCommandLine& line, QString* error)
{
    if (!line.dataFile.isEmpty()) {
        auto text = readFile(line.dataFile, error);
        auto plan = text ? ExchangePlan::parse(*text, error) : std::nullopt;
        if (!plan)
            return false;
        line.options.plan = *plan;
    }
    if (!line.scriptFile.isEmpty()) {
        auto text = readFile(line.scriptFile, error);
        auto steps = text ? parseScript(*text, error) : std::nullopt;
        if (!steps)
            return false;
        line.options.script = *steps;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    auto parsed = parseSimCommandLine(app.arguments());
    if (auto* exit = std::get_if<SimCommandLineExit>(&parsed)) {
        std::fprintf(exit->status == 0 ? stdout : stderr, "%s\n", qPrintable(exit->text));
        return exit->status;
    }
    SimCommandLine& line = std::get<SimCommandLine>(parsed);
    QString error;
    if (!loadFiles(line, &error))
        return fail(error);

    auto server = line.pseudoTerminal ? ExchangeServer::onPseudoTerminal(line.options, &error)
                                      : ExchangeServer::onDevice(line.device, line.options, &error);
    if (!server)
        return fail(error);
    QObject::connect(server.get(), &ExchangeServer::lineFailed, &app, [](const QString& reason) {
        fail(QStringLiteral("the line failed: %1").arg(reason));
        QCoreApplication::exit(Failure);
    });

    QFile record(line.recordFile);
    if (!line.recordFile.isEmpty()) {
        if (!record.open(QIODevice::WriteOnly | QIODevice::Append))
            return fail(QStringLiteral("%1: %2").arg(line.recordFile, record.errorString()));
        QObject::connect(server.get(), &ExchangeServer::consoleByte, &app, [&record](quint8 byte, qint64 timeUs) {
            record.write(QStringLiteral("%1 %2\n").arg(timeUs).arg(byte, 2, 16, QLatin1Char('0')).toLatin1());
            record.flush();
        });
    }

    std::unique_ptr<ControlInput> control;
    if (line.control)
        control = std::make_unique<ControlInput>(
            0, [&server](const std::vector<ScriptStep>& steps) { server->appendScript(steps); },
            [](const QString& message) { fail(QStringLiteral("control: %1").arg(message)); });

    if (line.pseudoTerminal) {
        std::printf("%s\n", qPrintable(server->consolePath()));
        std::fflush(stdout);
    }
    return app.exec();
}
