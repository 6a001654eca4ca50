#pragma once

#include "platform/config_store.h"

// The configuration file in memory; a write can be made to fail.
class FakeConfigStore final : public ConfigStore
{
public:
    std::optional<QByteArray> read() override { return file; }
    std::optional<QString> write(const QByteArray& contents) override
    {
        ++writes;
        if (failWith)
            return failWith;
        file = contents;
        return std::nullopt;
    }

    std::optional<QByteArray> file;
    int writes = 0;
    std::optional<QString> failWith;
};
