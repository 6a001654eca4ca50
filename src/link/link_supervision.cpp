#include "link/link_supervision.h"

#include "configuration/configuration.h"
#include "link/configuration_save.h"
#include "link/save_question.h"
#include "link/window_control.h"
#include "platform/messages.h"
#include "platform/timer.h"

#include <optional>

namespace
{

const QString CommunicationError = QStringLiteral("Error de comunicación");

using Watch = LinkPhase::Watch;

// The fault a silence reports; nothing after the closing request.
std::optional<QString> faultFor(Watch watch)
{
    if (watch == Watch::Running)
        return QStringLiteral("Se ha perdido conexión con R903.\r\n"
                              "Puede estar en modo programación\r\n"
                              "Espere algunos minutos y reintente");
    if (watch == Watch::Startup)
        return QStringLiteral("No es posible establecer conexión con R903");
    if (watch == Watch::WrongModel)
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
    const Watch watch = phase_.watch();
    if (watch == Watch::Running && ++retries_ == 1) {
        retryPolling();
        return;
    }
    closeStarted_ = true;
    if (const auto fault = faultFor(watch))
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
