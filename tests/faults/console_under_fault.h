#pragma once

#include "../e2e/traced_console.h"
#include "message_answerer.h"

#include <QElapsedTimer>
#include <QTest>

#include <ctime>

inline const QString Communication = QStringLiteral("Error de comunicación | ");
inline const QString NoConnection = Communication + QStringLiteral("No es posible establecer conexión con R903");
inline const QString LinkLost = Communication
    + QStringLiteral("Se ha perdido conexión con R903.\r\n"
                     "Puede estar en modo programación\r\n"
                     "Espere algunos minutos y reintente");
inline constexpr int StartUpWaitMs = 15000;
inline constexpr int PollingWaitMs = 40000; // two expiries of the running watchdog
// A spinning event loop would use the whole core; waiting uses next to nothing.
inline constexpr double MostCpuShare = 0.3;

// The console with every message box answered.
struct ConsoleUnderFault : TracedConsole {
    bool ended() const { return traced(QStringLiteral("exit")); }

    // Waits for the console to end; false if it did not, or if it used more
    // than a small share of the CPU meanwhile.
    ::testing::AssertionResult endsQuietly(int timeoutMs)
    {
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuBefore = std::clock();
        if (!QTest::qWaitFor([this] { return ended(); }, timeoutMs))
            return ::testing::AssertionFailure() << "no orderly close within " << timeoutMs << " ms";
        QTest::qWait(500); // nothing keeps running after the close
        const double share = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC / (double(wall.elapsed()) / 1000.0);
        if (share > MostCpuShare)
            return ::testing::AssertionFailure() << "used " << share * 100 << " % of a core while waiting";
        return ::testing::AssertionSuccess();
    }

    MessageAnswerer answerer;
};
