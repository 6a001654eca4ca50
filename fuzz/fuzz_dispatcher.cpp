// The whole console's link (probe, dispatcher, watchdog) fed arbitrary bytes from the
// exchange, interleaved with timer ticks and operator events. Checks that the
// threshold is always a known message length, that no read asks for more than
// is waiting, and that every close runs exactly one closing sequence with no
// second one started from inside its modal messages.
#include "fake_services.h"
#include "quiet_views.h"
#include "recording_panel_view.h"

#include <cstdint>
#include <cstdlib>

namespace
{

// Fails loudly when an invariant breaks, so libFuzzer records the input.
void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool knownThreshold(int t)
{
    for (int known : {0, 1, 10, 25, 512, 2048})
        if (t == known)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FakeServices console;
    RecordingPanelView panelView;
    QuietOperatorView operatorView;
    QuietDirectoryView directoryView;
    PortListView portList;
    ConsoleSession session{console.services(), {panelView, operatorView, directoryView, portList}};
    VirtualClock& clock = console.clock;
    FakeSerialPort& port = console.port;

    // Inside a modal box other events keep running: let time pass there too,
    // and count nested boxes.
    int depth = 0;
    console.messages.whileShown = [&] {
        require(++depth == 1);
        clock.advanceMs(11000);
        --depth;
    };

    session.load();
    std::size_t i = 0;
    while (i < size && console.closes() == 0) {
        const std::uint8_t op = data[i++];
        const std::size_t n = std::min<std::size_t>(op & 0x3F, size - i);
        switch (op >> 6) {
        case 0: // a few bytes from the exchange
            port.deliver(QByteArray(reinterpret_cast<const char*>(data + i), int(n)));
            i += n;
            break;
        case 1: // time passes
            clock.advanceMs(std::int64_t(n) * 97);
            break;
        case 2: // an operator command, Salir, or a port choice
            if (n % 3 == 0)
                session.queue().queue(std::uint8_t(n + 1));
            else if (n % 3 == 1)
                session.queue().endConnection();
            else if (portList.shown)
                session.link().probe().accept(n % 2 ? std::optional<QString>(QString::number(n % 17)) : std::nullopt);
            break;
        default: { // a larger block, as a table or a poll cycle arrives
            const std::size_t block = std::min<std::size_t>(n * 40, size - i);
            port.deliver(QByteArray(reinterpret_cast<const char*>(data + i), int(block)));
            i += block;
            break;
        }
        }
        for (const std::string& event : port.events)
            require(event.rfind("threshold ", 0) != 0 || knownThreshold(std::stoi(event.substr(10))));
        port.events.clear();
        require(port.overreads == 0);
    }
    require(console.closes() <= 1);
    require(console.store.writes <= 1);
    return 0;
}
