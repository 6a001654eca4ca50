#include "link/cola_salida.h"

#include "link/protocol.h"

#include <algorithm>

bool ColaSalida::queue(unsigned char command)
{
    auto empty = std::find(places_.begin(), places_.end(), 0);
    if (empty == places_.end())
        return false;
    *empty = command;
    return true;
}

void ColaSalida::endConnection()
{
    places_[0] = protocol::FinConexion;
}

unsigned char ColaSalida::answerPoll()
{
    const unsigned char head = places_[0];
    std::copy(places_.begin() + 1, places_.end(), places_.begin());
    places_[Places - 1] = 0;
    return head == 0 ? protocol::SinComando : head;
}
