#include "link/receive_dispatcher.h"

#include "console/call_journal.h"
#include "console/console_state.h"
#include "console/panel.h"
#include "link/call_alert.h"
#include "link/cola_salida.h"
#include "link/console_window.h"
#include "link/link_phase.h"
#include "link/link_supervision.h"
#include "link/port_probe.h"
#include "link/protocol.h"
#include "link/saca_numero_interno.h"
#include "link/tray_balloon.h"
#include "platform/timer.h"

#include <algorithm>

namespace
{

namespace threshold = protocol::threshold;

// The extension labels that show a number; the last slot stays "Virtual".
constexpr int NumberedLabels = protocol::ExtensionSlots - 1;

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
    link_.port.onNotification([this](SerialPort::Notification n) { MSComm1_OnComm(n); });
}

void ReceiveDispatcher::MSComm1_OnComm(SerialPort::Notification notification)
{
    if (notification != SerialPort::Notification::Data) {
        link_.watchdog.setEnabled(true);
        return;
    }
    link_.watchdog.setEnabled(false);
    // The branch is chosen by the threshold in force: the message now waiting.
    switch (link_.port.receiveThreshold()) {
    case threshold::Identity: link_.probe.identificationAnswer(); break;
    case threshold::NumberingTable: numberingTable(); break;
    case threshold::DirectoryBlock: directoryBlock(); break;
    case threshold::SingleByte: singleByte(); break;
    case threshold::StatusFrame: statusFrame(); break;
    default: break;
    }
    link_.watchdog.setEnabled(true);
}

void ReceiveDispatcher::numberingTable()
{
    TablaInternos table;
    fill(table, link_.port.read(protocol::NumberingTableLength));
    const NumerosInternos numbers = Saca_Numero_Interno(table);
    for (int slot = 1; slot <= protocol::ExtensionSlots; ++slot)
        console_.state.setNumeroInterno(slot, numbers[slot]);
    for (int i = 0; i < NumberedLabels; ++i)
        console_.panel.setNumberCaption(i, numbers[i + 1]);
    link_.phase.enter(LinkPhase::Step::TableRead);
}

void ReceiveDispatcher::directoryBlock()
{
    link_.port.read(protocol::DirectoryDiscardLength);
    fill(console_.memorias, link_.port.read(protocol::DirectoryDataLength));
    console_.panel.setAgendaEnabled(true);
    link_.phase.enter(LinkPhase::Step::BlockRead);
}

void ReceiveDispatcher::singleByte()
{
    link_.supervision.resetReintentos();
    const QByteArray received = link_.port.read(1);
    if (received.isEmpty())
        return;
    const auto byte = static_cast<std::uint8_t>(received[0]);
    console_.state.setByteRecibido(byte);
    if (byte == protocol::Sondeo)
        link_.phase.answerPoll(link_.cola.answerPoll());
}

void ReceiveDispatcher::statusFrame()
{
    std::array<std::uint8_t, protocol::StatusFrameLength> frame;
    fill(frame, link_.port.read(protocol::StatusFrameLength));
    console_.panel.showFrame(console_.state.applyFrame(frame));
    link_.phase.enter(LinkPhase::Step::FrameApplied);
    console_.journal.frameApplied();
    pendingCallAlert();
    console_.panel.setCommandButtons(console_.state.commandAvailability());
}

void ReceiveDispatcher::pendingCallAlert()
{
    if (console_.state.llamadaPendiente() == 0) {
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
