#pragma once

#include <QFont>

// The design's Arial at a point size, or the metric-compatible Liberation Sans
// where Arial is not installed.
QFont arialFont(qreal points, bool bold = false);
