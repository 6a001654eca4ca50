#include "link/line_failure_text.h"

#include "platform/line_failure.h"

namespace
{

using Cause = LineFailure::Cause;

QString causeText(const LineFailure& failure)
{
    switch (failure.cause) {
    case Cause::Unmapped: return failure.words;
    case Cause::InvalidPortNumber: return QStringLiteral("Número de puerto no válido");
    case Cause::InvalidAddress:
        return QStringLiteral("Dirección de red no válida: %1 (tcp://EQUIPO:PUERTO o rfc2217://EQUIPO:PUERTO)")
            .arg(failure.words);
    case Cause::NoSuchDevice: return QStringLiteral("No existe el dispositivo");
    case Cause::NoPermission: return QStringLiteral("Sin permiso para usar el puerto");
    case Cause::Busy: return QStringLiteral("El puerto está en uso");
    case Cause::NotSerial: return QStringLiteral("El dispositivo no es un puerto serie");
    case Cause::Vanished: return QStringLiteral("Se desconectó el puerto");
    case Cause::Refused: return QStringLiteral("Conexión rechazada");
    case Cause::UnknownHost: return QStringLiteral("No se encuentra el equipo");
    case Cause::NoAnswer: return QStringLiteral("El equipo no responde");
    case Cause::Closed: return QStringLiteral("El equipo cerró la conexión");
    case Cause::Reset: return QStringLiteral("El equipo cortó la conexión");
    case Cause::SettingsRefused: return QStringLiteral("El equipo no acepta 9600 8N1 en su puerto (RFC 2217)");
    }
    return failure.words;
}

} // namespace

QString lineFailureText(const LineFailure& failure)
{
    QString text = causeText(failure);
    if (failure.atPortServer) {
        // Our own sentence goes on after the colon; the server's words stay as it wrote them.
        if (failure.cause != Cause::Unmapped && !text.isEmpty())
            text[0] = text[0].toLower();
        text.prepend(QStringLiteral("El servidor de puertos no pudo abrir su puerto serie: "));
    }
    if (!failure.remedy.isEmpty())
        text += QStringLiteral("\r\n") + failure.remedy;
    return text;
}
