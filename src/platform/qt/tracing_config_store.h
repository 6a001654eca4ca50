#pragma once

#include "platform/config_store.h"

class Trace;

// Traces the outcome of every save ("save ok" or "save failed").
class TracingConfigStore final : public ConfigStore
{
public:
    TracingConfigStore(ConfigStore& store, Trace& trace)
        : store_(store)
        , trace_(trace)
    {
    }

    std::optional<QByteArray> read() override { return store_.read(); }
    std::optional<QString> write(const QByteArray& contents) override;

private:
    ConfigStore& store_;
    Trace& trace_;
};
