#pragma once

// The window's side of the panel: told which element changed, it repaints
// that element from the Panel model and nothing else.
class PanelView
{
public:
    virtual ~PanelView() = default;
    virtual void extensionChanged(int index) = 0; // slot index 0-18
    virtual void lineChanged(int index) = 0; // line index 0-5
    virtual void commandButtonsChanged() = 0;
    virtual void windowChanged() = 0; // caption, AGENDA enabled
};
