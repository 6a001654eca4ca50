#pragma once

#include "console/panel_view.h"

#include <vector>

// Records which indicators were reported changed.
class RecordingPanelView final : public PanelView
{
public:
    void extensionChanged(int index) override { extensions.push_back(index); }
    void lineChanged(int index) override { lines.push_back(index); }
    void commandButtonsChanged() override { }
    void windowChanged() override { }

    void clear() { *this = RecordingPanelView{}; }

    std::vector<int> extensions;
    std::vector<int> lines;
};
