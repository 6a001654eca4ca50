#include "shell/console_session.h"

#include "link/save_question.h"

namespace
{

std::array<std::unique_ptr<Timer>, 5> makeTimers(const std::function<std::unique_ptr<Timer>()>& make)
{
    return {make(), make(), make(), make(), make()};
}

} // namespace

ConsoleSession::ConsoleSession(SessionPlatform platform)
    : platform_(std::move(platform))
    , timers_(makeTimers(platform_.makeTimer))
    , digitTimer_(platform_.makeTimer())
    , panel_(platform_.panelView)
    , journal_({platform_.journal, platform_.clock, platform_.messages, state_, configuration_})
    , nameBoxes_(platform_.operatorView, configuration_)
    , commands_(cola_, state_, panel_, nameBoxes_, platform_.operatorView)
    , directory_(platform_.directoryView, configuration_, memorias_, cola_)
    , keyboard_(KeyboardCommands::Parts{commands_, state_, journal_, panel_, directory_}, platform_.messages,
          platform_.operatorView, *digitTimer_)
    , configurationFile_(platform_.store, platform_.messages, configuration_, directory_)
    , blink_(timer(1), timer(2), panel_, state_)
    , shell_(ShellPlatform{platform_.messages, platform_.desktop, platform_.sound, platform_.foreground,
                 platform_.window, platform_.events},
          ShellTimers{timer(1), timer(2), timer(4), timer(5)}, *this, [this] { return panel_.caption(); })
    , link_(ExchangeLink::Parts{platform_.port, timer(3), timer(5), platform_.messages, state_, journal_, panel_, cola_,
                configuration_, memorias_},
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
    timer(3).setEnabled(false);
    platform_.port.close();
    journal_.linkClosed();
}

bool ConsoleSession::inFront() const
{
    return shell_.window().Ventana_Activa() && !platform_.window.minimised();
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
