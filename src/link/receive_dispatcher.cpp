#include "link/receive_dispatcher.h"

#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "link/call_alert.h"
#include "link/command_queue.h"
#include "link/link_phase.h"
#include "link/link_supervision.h"
#include "link/port_probe.h"
#include "link/tray_balloon.h"
#include "link/window_control.h"
#include "platform/timer.h"
#include "wire/commands.h"
#include "wire/frame_layout.h"
#include "wire/numbering_table.h"

#include <algorithm>

namespace
{

// The extension labels that show a number; the last slot stays "Virtual".
constexpr int NumberedLabels = wire::ExtensionSlots - 1;

// Copies what was read into a fixed block; bytes that did not come stay 0.
template <std::size_t N> void fill(std::array<std::uint8_t, N>& block, const QByteArray& bytes)
{
    block.fill(0);
    std::copy_n(bytes.begin(), std::min<std::size_t>(N, bytes.size()), block.begin());
}

} // namespace

ReceiveDispatcher::ReceiveDispatcher(Link link, Console console)
    : link_(link)
    , console_(console)
{
    link_.port.onData([this] { dataWaiting(); });
    link_.port.onLost([this](const LineFailure& failure) { lineLost(failure); });
}

void ReceiveDispatcher::lineLost(const LineFailure& failure)
{
    if (link_.phase.awaiting() == LinkPhase::Awaiting::Identity) {
        link_.probe.lineLost(failure);
        return;
    }
    link_.watchdog.setEnabled(true);
}

void ReceiveDispatcher::dataWaiting()
{
    link_.watchdog.setEnabled(false);
    using Awaiting = LinkPhase::Awaiting;
    switch (link_.phase.awaiting()) {
    case Awaiting::Identity: link_.probe.identificationAnswer(); break;
    case Awaiting::NumberingTable: numberingTable(); break;
    case Awaiting::DirectoryBlock: directoryBlock(); break;
    case Awaiting::SingleByte: singleByte(); break;
    case Awaiting::StatusFrame: statusFrame(); break;
    case Awaiting::Nothing: break;
    }
    link_.watchdog.setEnabled(true);
}

void ReceiveDispatcher::numberingTable()
{
    wire::NumberingTable table;
    fill(table, link_.port.read(wire::NumberingTableLength));
    const wire::ExtensionNumbers numbers = wire::extensionNumbers(table);
    for (int slot = 1; slot <= wire::ExtensionSlots; ++slot)
        console_.state.setExtensionNumber(slot, numbers[slot]);
    for (int i = 0; i < NumberedLabels; ++i)
        console_.panel.setNumberCaption(i, numbers[i + 1]);
    link_.phase.enter(LinkPhase::Step::TableRead);
}

void ReceiveDispatcher::directoryBlock()
{
    link_.port.read(wire::DirectoryDiscardLength);
    fill(console_.speedDials, link_.port.read(wire::DirectoryDataLength));
    console_.panel.setDirectoryEnabled(true);
    link_.phase.enter(LinkPhase::Step::BlockRead);
}

void ReceiveDispatcher::singleByte()
{
    link_.supervision.resetRetries();
    const QByteArray received = link_.port.read(1);
    if (received.isEmpty())
        return;
    const auto byte = static_cast<std::uint8_t>(received[0]);
    console_.state.setLastByte(byte);
    if (byte != wire::Poll)
        return;
    const unsigned char command = link_.queue.answerPoll();
    link_.phase.answerPoll(command);
    console_.journal.commandSent(command);
}

void ReceiveDispatcher::statusFrame()
{
    wire::StatusFrame frame;
    fill(frame, link_.port.read(wire::StatusFrameLength));
    console_.panel.showFrame(console_.state.applyFrame(frame));
    link_.phase.enter(LinkPhase::Step::FrameApplied);
    console_.journal.frameApplied();
    pendingCallAlert();
    console_.panel.setCommandButtons(console_.state.commandAvailability());
}

void ReceiveDispatcher::pendingCallAlert()
{
    if (console_.state.callWaiting() == 0) {
        console_.alert.stop();
        console_.balloon.remove();
        return;
    }
    if (console_.alert.running())
        return;
    console_.alert.start();
    if (!console_.window.inFront())
        console_.balloon.show(QStringLiteral("Llamada pendiente"), QStringLiteral("Quindora R903"), 1, 1);
}
