#include "console/call_entry.h"

QString kindText(CallKind kind)
{
    switch (kind) {
    case CallKind::Incoming: return QStringLiteral("entrante");
    case CallKind::Returned: return QStringLiteral("devuelta");
    case CallKind::Extension: return QStringLiteral("interno");
    case CallKind::Callback: return QStringLiteral("rellamada");
    }
    return {};
}

QString outcomeText(CallOutcome outcome)
{
    switch (outcome) {
    case CallOutcome::Answered: return QStringLiteral("atendida");
    case CallOutcome::Missed: return QStringLiteral("perdida");
    case CallOutcome::Unfinished: return QStringLiteral("sin final");
    }
    return {};
}

std::optional<CallKind> kindFromText(const QString& text)
{
    for (CallKind kind : {CallKind::Incoming, CallKind::Returned, CallKind::Extension, CallKind::Callback}) {
        if (kindText(kind) == text)
            return kind;
    }
    return std::nullopt;
}

std::optional<CallOutcome> outcomeFromText(const QString& text)
{
    for (CallOutcome outcome : {CallOutcome::Answered, CallOutcome::Missed, CallOutcome::Unfinished}) {
        if (outcomeText(outcome) == text)
            return outcome;
    }
    return std::nullopt;
}
