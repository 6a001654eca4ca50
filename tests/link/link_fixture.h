#pragma once

#include "fake_services.h"
#include "qt_printers.h"
#include "quiet_views.h"
#include "recording_panel_view.h"

#include <gtest/gtest.h>

// The whole console on fakes and the virtual clock, loaded as start-up loads
// it, seen from the link's side: the port, the message boxes, the port list
// and the end of the run.
struct LinkRig : FakeServices {
    LinkRig() { session.load(); }

    RecordingPanelView view;
    QuietOperatorView operatorView;
    QuietDirectoryView directoryView;
    PortListView portList;
    ConsoleSession session{services(), {view, operatorView, directoryView, portList}};
    ExchangeLink& link = session.link();
    Configuration& configuration = session.configuration();
};

struct LinkTest : ::testing::Test, LinkRig {
};

// One byte as the port carries it.
inline QByteArray oneByte(unsigned char b)
{
    return QByteArray(1, char(b));
}

// The link's message boxes as FakeMessages logs them.
inline const QString NoConnection
    = QStringLiteral("16 Error de comunicación | No es posible establecer conexión con R903");
inline const QString LostLink
    = QStringLiteral("16 Error de comunicación | Se ha perdido conexión con R903.\r\n"
                     "Puede estar en modo programación\r\nEspere algunos minutos y reintente");
inline const QString SaveQuestion
    = QStringLiteral("36 Cambios de configuración | Ha hecho cambios en la configuración\r\n¿Desea salvarlos?");
