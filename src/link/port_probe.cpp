#include "link/port_probe.h"

#include "configuration/configuration.h"
#include "console/panel.h"
#include "link/line_failure_text.h"
#include "link/port_choice_view.h"
#include "platform/messages.h"
#include "platform/serial_port.h"
#include "platform/timer.h"
#include "wire/frame_layout.h"

#include "version.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace
{

// The stored port value as a number, the way a text is read as one (blanks
// around it allowed); nothing when it is not a number.
std::optional<double> numericValue(const RecordValue& stored)
{
    if (const int* number = std::get_if<int>(&stored))
        return *number;
    const QString* text = std::get_if<QString>(&stored);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isEmptyOrZero(const RecordValue& stored)
{
    if (std::holds_alternative<std::monostate>(stored))
        return true;
    if (const QString* text = std::get_if<QString>(&stored); text && text->isEmpty())
        return true;
    const auto value = numericValue(stored);
    return value && *value == 0;
}

// Rounded half to even into a 16-bit integer; nothing when it does not fit.
std::optional<std::int16_t> toPortNumber(const RecordValue& stored)
{
    const auto value = numericValue(stored);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

// A number written with its sign: a blank for positive ones, as in " 5".
QString withSign(long long number)
{
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

// The stored value as the failure title shows it when it is not a port number.
QString storedText(const RecordValue& stored)
{
    if (const int* number = std::get_if<int>(&stored))
        return withSign(*number);
    if (const QString* text = std::get_if<QString>(&stored))
        return *text;
    return QString();
}

} // namespace

PortProbe::PortProbe(Timer& probeTimer, SerialPort& port, LinkPhase& phase, Configuration& configuration, Window window)
    : probeTimer_(probeTimer)
    , port_(port)
    , phase_(phase)
    , configuration_(configuration)
    , window_(window)
{
    probeTimer_.onTick([this] { probe(); });
}

void PortProbe::probe()
{
    probeTimer_.setEnabled(false);
    if (isEmptyOrZero(configuration_.portNumber)) {
        configuration_.portNumber = 1;
        configuration_.changed = true;
    }
    const auto number = toPortNumber(configuration_.portNumber);
    if (!number) {
        portFailure(LineFailure(LineFailure::Cause::InvalidPortNumber), storedText(configuration_.portNumber));
        return;
    }
    port_.open(
        *number, [this, number = *number](const std::optional<LineFailure>& failure) { portOpened(number, failure); });
}

void PortProbe::portOpened(int portNumber, const std::optional<LineFailure>& failure)
{
    portNumberText_ = withSign(portNumber);
    if (failure) {
        portFailure(*failure, portNumberText_);
        return;
    }
    port_.discardOutput();
    if (const int waiting = port_.bytesWaiting(); waiting > 0)
        port_.read(waiting);
    phase_.enter(LinkPhase::Step::PortOpened);
}

void PortProbe::identificationAnswer()
{
    const QString reply = QString::fromLatin1(port_.read(wire::IdentityLength));
    const QString model = reply.mid(2, 4);
    if (model != QLatin1String(wire::ExpectedModel)) {
        phase_.enter(LinkPhase::Step::ModelRefused);
        return;
    }
    const QString serial = reply.right(4);
    window_.panel.setCaption(
        QStringLiteral("QUINDORA R903 - Serie ") + serial + QStringLiteral(" - ") + QLatin1String(version::Title));
    phase_.enter(LinkPhase::Step::ModelAccepted);
}

void PortProbe::lineLost(const LineFailure& failure)
{
    phase_.enter(LinkPhase::Step::PortLost);
    portFailure(failure, portNumberText_);
}

void PortProbe::accept(const std::optional<QString>& selectedEntry)
{
    if (!selectedEntry) {
        window_.messages.beep();
        window_.messages.show(QStringLiteral("No seleccionó número de puerto"), QStringLiteral("Sin selección"),
            MessageStyle::CriticalWithHelp);
        window_.portChoice.focusList();
        return;
    }
    configuration_.portNumber = *selectedEntry;
    window_.portChoice.hide();
    configuration_.changed = true;
    probeTimer_.setEnabled(true);
}

void PortProbe::portFailure(const LineFailure& failure, const QString& portNumberText)
{
    window_.messages.beep();
    if (port_.isOpen())
        port_.close();
    // A line given by its device or address is named so: no port number is involved.
    const QString& where = failure.line.isEmpty() ? portNumberText : failure.line;
    window_.messages.show(lineFailureText(failure) + QStringLiteral("\r\nSeleccione puerto correcto"),
        QStringLiteral("Selección incorrecta Puerto ") + where, MessageStyle::Critical);
    window_.portChoice.show();
}
