#include "sim/sim_command_line.h"
#include "version.h"

#include <QCommandLineParser>

#include <optional>

namespace
{

constexpr int UsageError = 2;

struct Stage {
    const char* name;
    Faults::Stage stage;
};
constexpr Stage Stages[] = {{"identity", Faults::Stage::BeforeIdentity}, {"table", Faults::Stage::InTable},
    {"block", Faults::Stage::InBlock}, {"polling", Faults::Stage::InPolling}};

std::optional<int> wholeNumber(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// "STAGE" or "STAGE:N".
bool readSilence(const QString& text, Faults& faults)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    for (const Stage& s : Stages) {
        if (parts.first() != QLatin1String(s.name) || parts.size() > 2)
            continue;
        const auto after = parts.size() == 2 ? wholeNumber(parts[1], 0, 1'000'000) : std::optional(0);
        if (!after)
            return false;
        faults.silentFrom = s.stage;
        faults.silentAfter = *after;
        return true;
    }
    return false;
}

// "N" or "N:MS".
bool readSplit(const QString& text, Faults& faults)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    const auto at = wholeNumber(parts.first(), 1, 9);
    const auto gap = parts.size() == 2 ? wholeNumber(parts[1], 0, 60'000) : std::optional(0);
    if (!at || !gap || parts.size() > 2)
        return false;
    faults.identitySplitAt = *at;
    faults.identitySplitGapMs = *gap;
    return true;
}

// Options that take a whole number, and where it goes.
struct NumberOption {
    const char* name;
    const char* help;
    int low;
    int high;
    int* (*target)(ExchangeOptions&);
};
const NumberOption NumberOptions[] = {
    {"poll-ms", "Milliseconds from poll to poll (default 200; 0: poll again right after each frame).", 0, 60'000,
        [](ExchangeOptions& o) { return &o.pollPeriodMs; }},
    {"table-delay", "Start the numbering table this many milliseconds late.", 0, 60'000,
        [](ExchangeOptions& o) { return &o.faults.table.delayMs; }},
    {"block-delay", "Start the directory block this many milliseconds late.", 0, 60'000,
        [](ExchangeOptions& o) { return &o.faults.block.delayMs; }},
    {"block-byte-us", "Send the directory block at this many microseconds a byte.", 1, 1'000'000,
        [](ExchangeOptions& o) { return &o.faults.block.byteUs; }},
    {"short-table", "Send only this many bytes of the numbering table.", 0, 512,
        [](ExchangeOptions& o) { return &o.faults.table.length; }},
    {"short-block", "Send only this many bytes of the directory block.", 0, 2048,
        [](ExchangeOptions& o) { return &o.faults.block.length; }},
    {"garbage-every", "Send a garbage byte between frame and poll every N frames.", 1, 1'000'000,
        [](ExchangeOptions& o) { return &o.faults.garbageEvery; }},
};

SimCommandLineExit usageError(const QString& message)
{
    return {QStringLiteral("r903-sim: %1 (see --help)").arg(message), UsageError};
}

} // namespace

std::variant<SimCommandLine, SimCommandLineExit> parseSimCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A simulated R903 exchange on a serial line."));
    const QCommandLineOption help(
        QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version."));
    const QCommandLineOption pty(QStringLiteral("pty"),
        QStringLiteral("Create a pseudo-terminal, print its console side's path on one line, serve it."));
    const QCommandLineOption device(
        QStringLiteral("device"), QStringLiteral("Serve this serial device."), QStringLiteral("PATH"));
    const QCommandLineOption fast(
        QStringLiteral("fast"), QStringLiteral("Send without the pace of a 9600 bit/s line."));
    const QCommandLineOption model(
        QStringLiteral("model"), QStringLiteral("Model in the identity reply (default R903)."), QStringLiteral("TEXT"));
    const QCommandLineOption serial(QStringLiteral("serial"),
        QStringLiteral("Serial number in the identity reply (default 0412)."), QStringLiteral("TEXT"));
    const QCommandLineOption seed(
        QStringLiteral("seed"), QStringLiteral("Seed of the random traffic (default 1)."), QStringLiteral("N"));
    const QCommandLineOption quiet(QStringLiteral("no-traffic"), QStringLiteral("No random traffic or calls."));
    const QCommandLineOption data(
        QStringLiteral("data"), QStringLiteral("Numbering and memories from FILE."), QStringLiteral("FILE"));
    const QCommandLineOption script(
        QStringLiteral("script"), QStringLiteral("Play the frames of FILE."), QStringLiteral("FILE"));
    const QCommandLineOption control(QStringLiteral("control"),
        QStringLiteral("Read more script lines from standard input and play them as they come."));
    const QCommandLineOption record(QStringLiteral("record"),
        QStringLiteral("Append every byte the console sends to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption silent(QStringLiteral("silent-from"),
        QStringLiteral("Fall silent: identity, table:N, block:N (after N bytes) or polling:N (after N frames)."),
        QStringLiteral("STAGE"));
    const QCommandLineOption garbageByte(QStringLiteral("garbage-byte"),
        QStringLiteral("The garbage byte, in hex (default 55)."), QStringLiteral("HEX"));
    const QCommandLineOption split(QStringLiteral("split-identity"),
        QStringLiteral("Send the identity reply as N bytes, then the rest MS milliseconds later."),
        QStringLiteral("N[:MS]"));
    const QCommandLineOption withTable(QStringLiteral("identity-with-table"),
        QStringLiteral("Send the numbering table right behind the identity reply."));
    parser.addOptions({help, version, pty, device, fast, model, serial, seed, quiet, data, script, control, record,
        silent, garbageByte, split, withTable});
    std::vector<QCommandLineOption> numberOptions;
    for (const NumberOption& n : NumberOptions) {
        numberOptions.emplace_back(QLatin1String(n.name), QLatin1String(n.help), QStringLiteral("N"));
        parser.addOption(numberOptions.back());
    }

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        return SimCommandLineExit{parser.helpText(), 0};
    if (parser.isSet(version))
        return SimCommandLineExit{QStringLiteral("r903-sim ") + QLatin1String(version::Number), 0};
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));
    if (parser.isSet(pty) == parser.isSet(device))
        return usageError(QStringLiteral("give either --pty or --device PATH"));

    SimCommandLine line;
    line.pseudoTerminal = parser.isSet(pty);
    line.device = parser.value(device);
    line.dataFile = parser.value(data);
    line.scriptFile = parser.value(script);
    line.recordFile = parser.value(record);
    line.control = parser.isSet(control);
    ExchangeOptions& options = line.options;
    options.paced = !parser.isSet(fast);
    options.traffic = !parser.isSet(quiet);
    options.faults.identityWithTable = parser.isSet(withTable);
    if (parser.isSet(model))
        options.model = parser.value(model).toLatin1();
    if (parser.isSet(serial))
        options.serial = parser.value(serial).toLatin1();
    if (parser.isSet(seed)) {
        bool ok = false;
        options.seed = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return usageError(QStringLiteral("--seed needs a whole number"));
    }
    for (size_t i = 0; i < numberOptions.size(); ++i) {
        if (!parser.isSet(numberOptions[i]))
            continue;
        const NumberOption& n = NumberOptions[i];
        const auto value = wholeNumber(parser.value(numberOptions[i]), n.low, n.high);
        if (!value)
            return usageError(QStringLiteral("--%1 needs a whole number from %2 to %3")
                                  .arg(QLatin1String(n.name))
                                  .arg(n.low)
                                  .arg(n.high));
        *n.target(options) = *value;
    }
    if (parser.isSet(silent) && !readSilence(parser.value(silent), options.faults))
        return usageError(QStringLiteral("--silent-from needs identity, table:N, block:N or polling:N"));
    if (parser.isSet(split) && !readSplit(parser.value(split), options.faults))
        return usageError(QStringLiteral("--split-identity needs N (1-9) or N:MS"));
    if (parser.isSet(garbageByte)) {
        bool ok = false;
        const uint byte = parser.value(garbageByte).toUInt(&ok, 16);
        if (!ok || byte > 0xFF)
            return usageError(QStringLiteral("--garbage-byte needs a byte in hex"));
        options.faults.garbageByte = static_cast<unsigned char>(byte);
    }
    return line;
}
