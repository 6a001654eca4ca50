#pragma once

// The repeated call alert (tone and flashing icon) that the link starts and
// stops after each status frame.
class CallAlert
{
public:
    virtual ~CallAlert() = default;
    virtual bool running() const = 0;
    virtual void start() = 0;
    // Stops it and puts the normal icon back.
    virtual void stop() = 0;
};
