#include "link/exchange_link.h"

ExchangeLink::ExchangeLink(Parts parts, Outside outside)
    : phase_(parts.port, parts.watchdog)
    , supervision_(parts.watchdog, phase_, {parts.messages, parts.configuration, outside.save, outside.window})
    , probe_(
          parts.probeTimer, parts.port, phase_, parts.configuration, {parts.messages, parts.panel, outside.portChoice})
    , dispatcher_({parts.port, parts.watchdog, phase_, supervision_, probe_, parts.queue},
          {parts.state, parts.journal, parts.panel, parts.speedDials, outside.alert, outside.balloon, outside.window})
{
}
