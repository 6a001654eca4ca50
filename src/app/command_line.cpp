#include "app/command_line.h"
#include "version.h"

#include <QCommandLineParser>

namespace
{

const QString Program = QStringLiteral("opr903");

CommandLine usageError(const QString& problem)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(Program, problem);
    return line;
}

QString helpText()
{
    return QStringLiteral("Usage: %1 [OPTION]...\n"
                          "Operator console for the R903 telephone exchange.\n"
                          "Started without options it probes the serial port stored in OPR903.DAT\n"
                          "(in the working folder) and keeps its configuration there.\n"
                          "\n"
                          "  --device PATH   probe this serial device instead of the stored port, for this run;\n"
                          "                  tcp://HOST:PORT or rfc2217://HOST:PORT reach a device server\n"
                          "  --demo          run against a built-in simulated exchange on a pseudo-terminal,\n"
                          "                  with its own configuration folder\n"
                          "  --trace FILE    append one line per event to FILE ('-' for standard error)\n"
                          "  -h, --help      display this help and exit\n"
                          "  -v, --version   output version information and exit\n"
                          "\n"
                          "Keys on the console window, while no text box, port list or message box has them:\n"
                          "  Enter           answer: take the line whose call has waited longest\n"
                          "  digits, Enter   call or retrieve the extension with that number\n"
                          "  Esc, Backspace  forget or correct the typed digits (they go after 5 s)\n"
                          "  F1-F6           take line 1-6\n"
                          "  F7              RETIENE / RECUPERA, when shown\n"
                          "  F8              CORTA / TRANSFIERE, when shown\n"
                          "  F9              open the directory (AGENDA)\n"
                          "  F10             open the call list (LLAMADAS)\n"
                          "  Tab, arrows     reach the panel and walk its lines and extensions\n"
                          "In the directory: Up and Down rows, Page Up and Page Down pages, Enter dials,\n"
                          "Esc closes. Salir is left with a click or Alt+S only.\n")
        .arg(Program);
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption device(QStringLiteral("device"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption trace(QStringLiteral("trace"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, version, device, demo, trace});

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    CommandLine line;
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
        line.text = helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        line.text = Program + QLatin1Char(' ') + QLatin1String(version::Title) + QLatin1Char('\n');
        return line;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    if (parser.isSet(demo) && parser.isSet(device))
        return usageError(QStringLiteral("--demo and --device cannot be used together"));
    for (const QCommandLineOption* o : {&device, &trace})
        if (parser.isSet(*o) && parser.value(*o).isEmpty())
            return usageError(QStringLiteral("option '--%1' needs a value").arg(o->names().first()));
    if (parser.isSet(device))
        line.device = parser.value(device);
    if (parser.isSet(trace))
        line.trace = parser.value(trace);
    line.demo = parser.isSet(demo);
    return line;
}
