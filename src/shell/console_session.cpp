#include "shell/console_session.h"

#include "link/save_question.h"

ConsoleSession::ConsoleSession(SessionPlatform platform)
    : platform_(std::move(platform))
    , slowBlinkTimer_(platform_.makeTimer())
    , fastBlinkTimer_(platform_.makeTimer())
    , watchdogTimer_(platform_.makeTimer())
    , alertTimer_(platform_.makeTimer())
    , probeTimer_(platform_.makeTimer())
    , digitTimer_(platform_.makeTimer())
    , panel_(platform_.panelView)
    , journal_({platform_.journal, platform_.clock, platform_.messages, state_, configuration_})
    , nameBoxes_(platform_.operatorView, configuration_)
    , commands_(queue_, state_, panel_, nameBoxes_, platform_.operatorView)
    , directory_(platform_.directoryView, configuration_, speedDials_, queue_)
    , keyboard_(KeyboardCommands::Parts{commands_, state_, journal_, panel_, directory_}, platform_.messages,
          platform_.operatorView, *digitTimer_)
    , configurationFile_(platform_.store, platform_.messages, configuration_, [this] { directory_.showFirstNotes(); })
    , blink_(*slowBlinkTimer_, *fastBlinkTimer_, panel_, state_)
    , shell_(ShellPlatform{platform_.messages, platform_.desktop, platform_.sound, platform_.foreground,
                 platform_.window, platform_.events},
          ShellTimers{*slowBlinkTimer_, *fastBlinkTimer_, *alertTimer_, *probeTimer_}, *this,
          [this] { return panel_.caption(); })
    , link_(ExchangeLink::Parts{platform_.port, *watchdogTimer_, *probeTimer_, platform_.messages, state_, journal_,
                panel_, queue_, configuration_, speedDials_},
          ExchangeLink::Outside{shell_.alert(), *this, *this, *this, *this})
{
}

void ConsoleSession::loadConfiguration()
{
    configurationFile_.load();
    nameBoxes_.showNames();
    // Today's calls from an earlier run come back with the rest that outlives a run.
    journal_.restoreToday();
}

void ConsoleSession::askToSaveChanges()
{
    ::askToSaveChanges(platform_.messages, configuration_, *this);
}

void ConsoleSession::closeLink()
{
    watchdogTimer_->setEnabled(false);
    platform_.port.close();
    journal_.linkClosed();
}

bool ConsoleSession::inFront() const
{
    return shell_.window().isConsoleForeground() && !platform_.window.minimised();
}

void ConsoleSession::show()
{
    portChoiceShown_ = true;
    platform_.portChoice.show();
}

void ConsoleSession::hide()
{
    portChoiceShown_ = false;
    platform_.portChoice.hide();
}
