#include "platform/qt/tracing_config_store.h"

#include "platform/qt/trace.h"

std::optional<QString> TracingConfigStore::write(const QByteArray& contents)
{
    std::optional<QString> error = store_.write(contents);
    trace_.line(error ? QStringLiteral("save failed") : QStringLiteral("save ok"));
    return error;
}
