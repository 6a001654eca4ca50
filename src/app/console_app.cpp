#include "app/console_app.h"

#include "app/tray_icons.h"
#include "platform/qt/qt_timer.h"

#include <QDir>

namespace
{

template <typename Plain, typename Traced> Plain& traced(Plain& plain, const std::unique_ptr<Traced>& tracing)
{
    return tracing ? static_cast<Plain&>(*tracing) : plain;
}

QString journalFolderOf(const ConsoleOptions& options)
{
    if (!options.journalFolder.isEmpty())
        return options.journalFolder;
    return QDir(options.configFolder.isEmpty() ? QStringLiteral(".") : options.configFolder)
        .filePath(QStringLiteral("llamadas"));
}

std::unique_ptr<ShellEvents> shellEvents(Trace* trace)
{
    if (trace)
        return std::make_unique<TracingShellEvents>(*trace);
    return std::make_unique<NoShellEvents>();
}

} // namespace

ConsoleApp::ConsoleApp(const ConsoleOptions& options)
    : icons_(trayIcons())
    , messages_(&window_)
    , store_(options.configFolder)
    , journalStore_(journalFolderOf(options), QDate::currentDate())
    , desktop_(icons_)
    , foreground_(window_)
    , windowServices_(window_)
    , events_(shellEvents(options.trace))
{
    if (options.device)
        serial_.useDeviceOnce(*options.device);
    if (options.trace) {
        tracedSerial_ = std::make_unique<TracingSerialPort>(serial_, *options.trace);
        tracedMessages_ = std::make_unique<TracingMessages>(messages_, *options.trace);
        tracedStore_ = std::make_unique<TracingConfigStore>(store_, *options.trace);
    }
    screen_ = std::make_unique<ConsoleScreen>(window_,
        SessionServices{traced<SerialPort>(serial_, tracedSerial_), traced<Messages>(messages_, tracedMessages_),
            traced<ConfigStore>(store_, tracedStore_), journalStore_, clock_, desktop_, sound_, foreground_,
            windowServices_, *events_, [] { return std::make_unique<QtTimer>(); }},
        icons_[0]);
}

ConsoleApp::~ConsoleApp() = default;
