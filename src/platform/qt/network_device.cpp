#include "platform/qt/network_device.h"

#include <QUrl>

namespace
{

std::optional<NetworkDevice::Framing> framingOf(const QString& scheme)
{
    if (scheme == QLatin1String("tcp"))
        return NetworkDevice::Framing::Raw;
    if (scheme == QLatin1String("rfc2217"))
        return NetworkDevice::Framing::Rfc2217;
    return std::nullopt;
}

QString schemeOf(const QString& device)
{
    const qsizetype colon = device.indexOf(QLatin1String("://"));
    return colon < 0 ? QString() : device.left(colon).toLower();
}

} // namespace

bool isNetworkDevice(const QString& device)
{
    return framingOf(schemeOf(device)).has_value();
}

std::optional<NetworkDevice> networkDevice(const QString& device)
{
    const auto framing = framingOf(schemeOf(device));
    const QUrl url(device, QUrl::StrictMode);
    if (!framing || !url.isValid() || url.host().isEmpty() || url.port() <= 0)
        return std::nullopt;
    if (!url.path().isEmpty() || url.hasQuery() || url.hasFragment() || !url.userInfo().isEmpty())
        return std::nullopt;
    return NetworkDevice{*framing, url.host(), quint16(url.port())};
}

QString networkAddress(const QString& device)
{
    const auto target = networkDevice(device);
    if (!target)
        return device;
    const QString host = target->host.contains(QLatin1Char(':')) ? '[' + target->host + ']' : target->host;
    return host + ':' + QString::number(target->port);
}
