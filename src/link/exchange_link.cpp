#include "link/exchange_link.h"

ExchangeLink::ExchangeLink(Parts parts, Outside outside)
    : phase_(parts.port, parts.timer3)
    , supervision_(parts.timer3, phase_, {parts.messages, parts.configuration, outside.save, outside.window})
    , probe_(parts.timer5, parts.port, phase_, parts.configuration, {parts.messages, parts.panel, outside.portChoice})
    , dispatcher_({parts.port, parts.timer3, phase_, supervision_, probe_, parts.cola},
          {parts.state, parts.journal, parts.panel, parts.memorias, outside.alert, outside.balloon, outside.window})
{
}
