#include "link/link_supervision.h"

#include "directory/configuration.h"
#include "link/configuration_save.h"
#include "link/console_window.h"
#include "link/save_question.h"
#include "platform/messages.h"
#include "platform/timer.h"

#include <optional>

namespace
{

// Expiry intervals above these are a silent running link, then a silent start-up.
constexpr int RunningAbove = 9000;
constexpr int StartupAbove = 2900;

const QString CommunicationError = QStringLiteral("Error de comunicación");

// The fault an expiry with this interval reports; nothing after the closing request.
std::optional<QString> faultFor(int interval)
{
    if (interval > RunningAbove)
        return QStringLiteral("Se ha perdido conexión con R903.\r\n"
                              "Puede estar en modo programación\r\n"
                              "Espere algunos minutos y reintente");
    if (interval > StartupAbove)
        return QStringLiteral("No es posible establecer conexión con R903");
    if (interval == LinkPhase::WrongModelMs)
        return QStringLiteral("Respuesta incorrecta de R903. Por favor reintente");
    return std::nullopt;
}

} // namespace

LinkSupervision::LinkSupervision(Timer& watchdog, LinkPhase& phase, Closing closing)
    : watchdog_(watchdog)
    , phase_(phase)
    , closing_(closing)
{
    watchdog_.onTick([this] { expire(); });
}

void LinkSupervision::expire()
{
    if (closeStarted_)
        return;
    const int interval = watchdog_.interval();
    if (interval > RunningAbove && ++reintentos_ == 1) {
        retryPolling();
        return;
    }
    closeStarted_ = true;
    if (const auto fault = faultFor(interval))
        report(*fault);
    closingSequence();
}

void LinkSupervision::retryPolling()
{
    watchdog_.setEnabled(false);
    phase_.enter(LinkPhase::Step::PollingRetried);
    watchdog_.setEnabled(true);
}

void LinkSupervision::report(const QString& text)
{
    closing_.messages.beep();
    closing_.messages.show(text, CommunicationError, MessageStyle::Critical);
}

void LinkSupervision::closingSequence()
{
    askToSaveChanges(closing_.messages, closing_.configuration, closing_.save);
    closing_.window.unload();
}
