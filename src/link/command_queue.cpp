#include "link/command_queue.h"

#include "wire/commands.h"

#include <algorithm>

bool CommandQueue::queue(unsigned char command)
{
    auto empty = std::find(places_.begin(), places_.end(), 0);
    if (empty == places_.end())
        return false;
    *empty = command;
    return true;
}

void CommandQueue::endConnection()
{
    places_[0] = wire::EndConnection;
}

unsigned char CommandQueue::answerPoll()
{
    const unsigned char head = places_[0];
    std::copy(places_.begin() + 1, places_.end(), places_.begin());
    places_[Places - 1] = 0;
    return head == 0 ? wire::NoCommand : head;
}
