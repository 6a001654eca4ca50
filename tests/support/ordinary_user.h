#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

// Runs a block with the rights of an ordinary user when the tests run as
// root, who may write where permissions forbid it.
class OrdinaryUser
{
public:
    static constexpr uid_t Nobody = 65534;

    OrdinaryUser()
    {
        if (root_ && (::setegid(Nobody) != 0 || ::seteuid(Nobody) != 0))
            ADD_FAILURE() << "cannot take an ordinary user's rights";
    }
    ~OrdinaryUser()
    {
        if (root_ && (::seteuid(0) != 0 || ::setegid(0) != 0))
            ADD_FAILURE() << "cannot return to root";
    }

private:
    const bool root_ = ::geteuid() == 0;
};
