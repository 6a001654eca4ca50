#include "shell/console_session.h"

#include "link/save_question.h"

ConsoleSession::ConsoleSession(SessionServices services, SessionViews views)
    : services_(std::move(services))
    , views_(views)
    , slowBlinkTimer_(services_.makeTimer())
    , fastBlinkTimer_(services_.makeTimer())
    , watchdogTimer_(services_.makeTimer())
    , alertTimer_(services_.makeTimer())
    , probeTimer_(services_.makeTimer())
    , digitTimer_(services_.makeTimer())
    , journalRetryTimer_(services_.makeTimer())
    , panel_(views_.panel)
    , journal_({services_.journal, services_.clock, services_.messages, state_, configuration_, *journalRetryTimer_})
    , nameBoxes_(views_.operatorView, configuration_)
    , commands_(queue_, state_, panel_, nameBoxes_, views_.operatorView)
    , directory_(views_.directory, configuration_, speedDials_, queue_)
    , keyboard_(KeyboardCommands::Parts{commands_, state_, journal_, panel_, directory_}, services_.messages,
          views_.operatorView, *digitTimer_)
    , configurationFile_(services_.store, services_.messages, configuration_, [this] { directory_.showFirstNotes(); })
    , blink_(*slowBlinkTimer_, *fastBlinkTimer_, panel_, state_)
    , shell_(ShellPlatform{services_.messages, services_.desktop, services_.sound, services_.foreground,
                 services_.window, services_.events},
          ShellTimers{*slowBlinkTimer_, *fastBlinkTimer_, *alertTimer_, *probeTimer_}, *this,
          [this] { return panel_.caption(); })
    , link_(ExchangeLink::Parts{services_.port, *watchdogTimer_, *probeTimer_, services_.messages, state_, journal_,
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
    ::askToSaveChanges(services_.messages, configuration_, *this);
}

void ConsoleSession::closeLink()
{
    watchdogTimer_->setEnabled(false);
    services_.port.close();
    journal_.linkClosed();
    journal_.finish();
}

bool ConsoleSession::inFront() const
{
    return shell_.window().isConsoleForeground() && !services_.window.minimised();
}

void ConsoleSession::show()
{
    portChoiceShown_ = true;
    views_.portChoice.show();
}

void ConsoleSession::hide()
{
    portChoiceShown_ = false;
    views_.portChoice.hide();
}
