#pragma once

class ConfigurationSave;
class Messages;
struct Configuration;

// When the configuration changed: beeps, asks whether to save it, and saves
// it on Yes. Every close that may ask goes through here.
void askToSaveChanges(Messages& messages, const Configuration& configuration, ConfigurationSave& save);
