#include "app/console_screen.h"

#include "app/announcer.h"
#include "app/call_list_window.h"
#include "app/console_keys.h"
#include "app/console_window.h"
#include "app/port_choice_panel.h"
#include "app/speed_dial_page.h"

#include <QPushButton>

namespace
{

// Where the port list appears on the window, in twips.
const QPoint PortPanelTwips(120, 120);

} // namespace

ConsoleScreen::ConsoleScreen(ConsoleWindow& window, SessionServices services, const QIcon& windowIcon)
    : window_(window)
    , portPanel_(new PortChoicePanel)
    , directoryFrame_(new SpeedDialPage)
    , session_(std::make_unique<ConsoleSession>(
          std::move(services), SessionViews{window_, window_, *directoryFrame_, *portPanel_}))
{
    wireWidgets(windowIcon);
    keys_ = std::make_unique<ConsoleKeys>(window_, session_->keyboard());
}

ConsoleScreen::~ConsoleScreen() = default;

void ConsoleScreen::wireWidgets(const QIcon& windowIcon)
{
    window_.hostFrame(directoryFrame_, QPoint(0, 0));
    window_.hostFrame(portPanel_, PortPanelTwips);
    portPanel_->hide();
    window_.setWindowIcon(windowIcon);
    window_.bind(session_->panel(), session_->commands(), session_->nameBoxes());
    directoryFrame_->bind(session_->directory());
    directoryFrame_->announce = [this](const QString& text) { window_.announcer()->announce(text); };
    portPanel_->onAccept([this](const std::optional<QString>& entry) { session_->link().probe().accept(entry); });
    QObject::connect(window_.directoryButton(), &QPushButton::clicked, [this] { session_->directory().open(); });
    QObject::connect(window_.exitButton(), &QPushButton::clicked, [this] { session_->shell().exitClicked(); });
    callList_ = new CallListWindow(session_->journal(), session_->callList(), &window_);
    session_->journal().onChanged([this] { journalChanged(); });
    QObject::connect(window_.callListButton(), &QPushButton::clicked, [this] { callList_->open(); });
}

void ConsoleScreen::journalChanged()
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

Shell::Loaded ConsoleScreen::start()
{
    const Shell::Loaded loaded = session_->load();
    if (loaded != Shell::Loaded::Ended)
        window_.show();
    return loaded;
}
