// The configuration loader fed arbitrary files: it never crashes, and loading
// what a save of the loaded state wrote gives the same state again. (A bare
// record may hold a double quote, which a saved text cannot: such a state
// comes back with the quote replaced, and from then on stays the same.)
#include "configuration/configuration.h"
#include "configuration/configuration_file.h"
#include "directory/speed_dial_directory.h"
#include "fake_config_store.h"
#include "fake_messages.h"
#include "link/command_queue.h"
#include "quiet_views.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace
{

// Loads `bytes` into a fresh console and returns its configuration and what
// a save of it writes.
std::pair<Configuration, QByteArray> loadAndSave(const QByteArray& bytes)
{
    FakeConfigStore store;
    store.file = bytes;
    FakeMessages messages;
    Configuration configuration;
    QuietDirectoryView view;
    wire::SpeedDialBlock speedDials{};
    CommandQueue queue;
    SpeedDialDirectory directory(view, configuration, speedDials, queue);
    ConfigurationFile file(store, messages, configuration, [&directory] { directory.showFirstNotes(); });
    file.load();
    store.file.reset();
    file.save();
    if (!store.file || !messages.log.isEmpty())
        std::abort();
    return {configuration, *store.file};
}

bool holdsQuote(const Configuration& c)
{
    const auto quoted = [](const QString& text) { return text.contains(u'"'); };
    const QString* port = std::get_if<QString>(&c.portNumber);
    return (port && quoted(*port)) || std::any_of(c.names.begin(), c.names.end(), quoted)
        || std::any_of(c.memoryNotes.begin(), c.memoryNotes.end(), quoted);
}

bool sameValues(const Configuration& a, const Configuration& b)
{
    return a.portNumber == b.portNumber && a.names == b.names && a.memoryNotes == b.memoryNotes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [first, saved] = loadAndSave(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    const auto [second, savedAgain] = loadAndSave(saved);
    if (saved != savedAgain || (!holdsQuote(first) && !sameValues(first, second)))
        std::abort();
    return 0;
}
