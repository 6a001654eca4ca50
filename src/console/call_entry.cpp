#include "console/call_entry.h"

QString kindText(CallKind kind)
{
    switch (kind) {
    case CallKind::Entrante: return QStringLiteral("entrante");
    case CallKind::Devuelta: return QStringLiteral("devuelta");
    case CallKind::Interno: return QStringLiteral("interno");
    }
    return {};
}

QString outcomeText(CallOutcome outcome)
{
    switch (outcome) {
    case CallOutcome::Atendida: return QStringLiteral("atendida");
    case CallOutcome::Perdida: return QStringLiteral("perdida");
    case CallOutcome::SinFinal: return QStringLiteral("sin final");
    }
    return {};
}
