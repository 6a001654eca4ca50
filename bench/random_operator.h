#pragma once

#include <QPoint>

#include <cstdint>
#include <random>

class ConsoleApp;
class QWidget;

// An operator who clicks and types at random on the console's window: left
// clicks on extensions and lines, CORTA and the hold button, right clicks that
// open name boxes and keys typed into them, the directory opened, paged,
// dialled from and closed. Never Salir, so the run goes on.
class RandomOperator
{
public:
    RandomOperator(ConsoleApp& console, std::uint64_t seed);

    void act();
    qint64 actions() const { return actions_; }

private:
    void clickPanel();
    void nameTheExtension();
    void useDirectory();
    void clickAt(QWidget* widget, Qt::MouseButton button);
    void clickWindowAt(QPoint pos, Qt::MouseButton button);
    int below(int n);

    ConsoleApp& console_;
    std::mt19937_64 random_;
    qint64 actions_ = 0;
};
