#pragma once

// Writes the configuration file; reports its own errors and always returns.
class ConfigurationSave
{
public:
    virtual ~ConfigurationSave() = default;
    virtual void save() = 0;
};
