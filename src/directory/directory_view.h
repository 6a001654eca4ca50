#pragma once

// The directory frame's side: told what changed, it repaints that part from
// the SpeedDialDirectory model.
class DirectoryView
{
public:
    virtual ~DirectoryView() = default;
    virtual void visibilityChanged() = 0; // shown at (0, 0), or hidden
    virtual void scrollPositionChanged() = 0; // the scroll bar moved by the logic
    virtual void rowChanged(int row) = 0; // one or more of the row's three fields
    virtual void focusFirstText() = 0; // keyboard focus to the first row's note
};
