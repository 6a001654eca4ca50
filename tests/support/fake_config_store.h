#pragma once

#include "platform/config_store.h"

// The configuration file in memory; a write can be made to fail.
class FakeConfigStore final : public ConfigStore
{
public:
    std::optional<QByteArray> read() override { return file; }
    std::optional<QString> write(const QByteArray& contents) override
    {
        if (failWith)
            return failWith;
        file = contents;
        return std::nullopt;
    }

    std::optional<QByteArray> file;
    std::optional<QString> failWith;
};
