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

std::optional<CallKind> kindFromText(const QString& text)
{
    for (CallKind kind : {CallKind::Entrante, CallKind::Devuelta, CallKind::Interno}) {
        if (kindText(kind) == text)
            return kind;
    }
    return std::nullopt;
}

std::optional<CallOutcome> outcomeFromText(const QString& text)
{
    for (CallOutcome outcome : {CallOutcome::Atendida, CallOutcome::Perdida, CallOutcome::SinFinal}) {
        if (outcomeText(outcome) == text)
            return outcome;
    }
    return std::nullopt;
}
