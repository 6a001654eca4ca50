// The whole link (probe, dispatcher, watchdog) fed arbitrary bytes from the
// exchange, interleaved with timer ticks and operator events. Checks that the
// threshold is always a known message length, that no read asks for more than
// is waiting, and that every close runs exactly one closing sequence with no
// second one started from inside its modal messages.
#include "fake_serial_port.h"
#include "link/exchange_link.h"
#include "link_console_fakes.h"
#include "virtual_clock.h"

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
    VirtualClock clock;
    auto watchdog = clock.createTimer();
    auto probeTimer = clock.createTimer();
    FakeSerialPort port;
    LinkConsoleFakes console;
    ExchangeLink link(console.parts(port, *watchdog, *probeTimer), console.outside());

    // Inside a modal box other events keep running: let time pass there too,
    // and count nested boxes.
    int depth = 0;
    console.messages.whileShown = [&] {
        require(++depth == 1);
        clock.advanceMs(11000);
        --depth;
    };

    probeTimer->setInterval(300);
    std::size_t i = 0;
    while (i < size && !console.asked.contains("unload")) {
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
                console.queue.queue(std::uint8_t(n + 1));
            else if (n % 3 == 1)
                console.queue.endConnection();
            else if (console.portListShown)
                link.probe().accept(n % 2 ? std::optional<QString>(QString::number(n % 17)) : std::nullopt);
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
    require(console.asked.count("unload") <= 1);
    require(console.asked.count("save") <= 1);
    return 0;
}
