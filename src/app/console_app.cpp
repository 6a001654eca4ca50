#include "app/console_app.h"

#include "app/call_list_window.h"
#include "app/console_keys.h"
#include "app/port_choice_panel.h"
#include "app/speed_dial_page.h"
#include "app/tray_icons.h"
#include "platform/qt/qt_timer.h"

#include <QDir>
#include <QPushButton>

namespace
{

// Where the port list appears on the window, in twips.
const QPoint PortPanelTwips(120, 120);

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
    , portPanel_(new PortChoicePanel)
    , directoryFrame_(new SpeedDialPage)
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
    session_ = std::make_unique<ConsoleSession>(SessionPlatform{traced<SerialPort>(serial_, tracedSerial_),
        traced<Messages>(messages_, tracedMessages_), traced<ConfigStore>(store_, tracedStore_), journalStore_, clock_,
        desktop_, sound_, foreground_, windowServices_, window_, window_, *directoryFrame_, *portPanel_, *events_,
        [] { return std::make_unique<QtTimer>(); }});
    wireWidgets();
    keys_ = std::make_unique<ConsoleKeys>(window_, session_->keyboard());
}

ConsoleApp::~ConsoleApp() = default;

void ConsoleApp::wireWidgets()
{
    window_.hostFrame(directoryFrame_, QPoint(0, 0));
    window_.hostFrame(portPanel_, PortPanelTwips);
    portPanel_->hide();
    window_.setWindowIcon(icons_[0]);
    window_.bind(session_->panel(), session_->commands(), session_->nameBoxes());
    directoryFrame_->bind(session_->directory());
    portPanel_->onAccept([this](const std::optional<QString>& entry) { session_->link().probe().accept(entry); });
    QObject::connect(window_.directoryButton(), &QPushButton::clicked, [this] { session_->directory().open(); });
    QObject::connect(window_.exitButton(), &QPushButton::clicked, [this] { session_->shell().exitClicked(); });
    callList_ = new CallListWindow(session_->journal(), &window_);
    session_->journal().onChanged([this] { journalChanged(); });
    QObject::connect(window_.callListButton(), &QPushButton::clicked, [this] { callList_->open(); });
}

void ConsoleApp::journalChanged()
{
    QPushButton* button = window_.callListButton();
    const QString caption = session_->journal().buttonCaption();
    if (button->text() != caption) {
        button->setText(caption);
        button->setAccessibleName(caption);
    }
    callList_->journalChanged();
    window_.showWaitingCalls(session_->journal().waiting());
}

Shell::Loaded ConsoleApp::start()
{
    const Shell::Loaded loaded = session_->load();
    if (loaded != Shell::Loaded::Ended)
        window_.show();
    return loaded;
}
