#include "directory/speed_dial_directory.h"

#include "configuration/configuration.h"
#include "directory/directory_view.h"
#include "link/command_queue.h"
#include "wire/commands.h"
#include "wire/digit_codes.h"

#include <algorithm>

SpeedDialDirectory::SpeedDialDirectory(
    DirectoryView& view, Configuration& configuration, const wire::SpeedDialBlock& speedDials, CommandQueue& queue)
    : view_(view)
    , configuration_(configuration)
    , speedDials_(speedDials)
    , queue_(queue)
{
}

void SpeedDialDirectory::open()
{
    visible_ = true;
    view_.visibilityChanged();
    scrollTo(0);
    pageStart_ = 0;
    showPage();
}

void SpeedDialDirectory::openFocused()
{
    open();
    view_.focusFirstText();
}

void SpeedDialDirectory::close()
{
    showPage();
    visible_ = false;
    view_.visibilityChanged();
}

void SpeedDialDirectory::scrollTo(int position)
{
    if (position == scrollPosition_)
        return;
    scrollPosition_ = position;
    view_.scrollPositionChanged();
    pageChange();
}

void SpeedDialDirectory::pageChange()
{
    if (scrollPosition_ == pageStart_)
        return;
    showPage();
    pageStart_ = scrollPosition_;
    view_.focusFirstText();
}

// Stores the notes on screen into the page they were filled from, then fills
// the rows for the current position.
void SpeedDialDirectory::showPage()
{
    for (int r = 0; r < Rows; ++r)
        configuration_.memoryNotes[pageStart_ + r] = rows_[r].text;
    for (int r = 0; r < Rows; ++r) {
        const int entry = r + scrollPosition_;
        rows_[r].number = QStringLiteral(" %1").arg(entry + 1);
        rows_[r].digits = memoryDigits(entry);
        setRowText(r, configuration_.memoryNotes[entry]);
        view_.rowChanged(r);
    }
}

void SpeedDialDirectory::textEdited(int row, const QString& text)
{
    setRowText(row, text);
}

void SpeedDialDirectory::setRowText(int row, const QString& text)
{
    if (rows_[row].text == text)
        return;
    rows_[row].text = text;
    configuration_.changed = true;
}

void SpeedDialDirectory::dial(int row)
{
    if (rows_[row].digits.isEmpty())
        return;
    if (!queue_.queue(wire::DialMemory(row + 1 + scrollPosition_)))
        return;
    visible_ = false;
    view_.visibilityChanged();
}

int SpeedDialDirectory::stepRow(int row, int delta)
{
    const int target = row + delta;
    if (target >= 0 && target < Rows)
        return target;
    scrollTo(std::clamp(scrollPosition_ + delta, 0, LastPosition));
    return row;
}

void SpeedDialDirectory::stepPage(int delta)
{
    scrollTo(std::clamp(scrollPosition_ + delta * Rows, 0, LastPosition));
}

void SpeedDialDirectory::showFirstNotes()
{
    for (int r = 0; r < Rows; ++r) {
        setRowText(r, configuration_.memoryNotes[r]);
        view_.rowChanged(r);
    }
}

QString SpeedDialDirectory::memoryDigits(int entry) const
{
    QString digits;
    const int first = entry * wire::MemoryRecordLength;
    for (int j = 1; j < wire::MemoryRecordLength; ++j)
        digits += wire::decodeDigits(speedDials_[first + j], 0);
    return digits;
}
