#pragma once

#include "wire/frame_layout.h"
#include "wire/speed_dial_block.h"

#include <QString>

#include <array>

class CommandQueue;
class DirectoryView;
struct Configuration;

// The directory "AGENDA R903": twelve rows over the exchange's 74 speed-dial
// memories, each with the memory's number, the operator's note (kept in
// Configuration::memoryNotes) and the digits the exchange holds. A
// double-click on a row has the exchange dial it.
//
// The notes on screen reach the configuration only when a page is left
// (page change, opening, VOLVER); writing a row's note field with a text that
// differs from what it shows counts as a change of the configuration.
class SpeedDialDirectory
{
public:
    static constexpr int Rows = 12;
    static constexpr int LastPosition = wire::MemoryCount - Rows; // 62
    static constexpr int TextLimit = 13; // typed note length
    static constexpr int DigitsLimit = 14;

    // The three fields of a row.
    struct Row {
        QString number;
        QString text;
        QString digits;
    };

    SpeedDialDirectory(
        DirectoryView& view, Configuration& configuration, const wire::SpeedDialBlock& speedDials, CommandQueue& queue);

    bool visible() const { return visible_; }
    int scrollPosition() const { return scrollPosition_; }
    int pageStart() const { return pageStart_; }
    const Row& row(int r) const { return rows_[r]; }

    // AGENDA.
    void open();
    // AGENDA from the keyboard: opens with the keyboard focus on the first note.
    void openFocused();
    // VOLVER.
    void close();
    // The scroll bar moved to a position 0-62.
    void scrollTo(int position);
    // The operator changed the note field of a row.
    void textEdited(int row, const QString& text);
    // Double-click on any field of a row.
    void dial(int row);
    // The keyboard's step of one row (delta -1 or 1) from `row`: past the first
    // or last row the page scrolls by one memory. Answers the row to focus.
    int stepRow(int row, int delta);
    // The keyboard's step of a page (delta -1 or 1): twelve memories, up to the ends.
    void stepPage(int delta);
    // After a complete load: the first twelve notes into the rows' note fields.
    void showFirstNotes();

    // The digits of memory entry 0-73, at most 14 characters.
    QString memoryDigits(int entry) const;

private:
    void showPage();
    void pageChange();
    void setRowText(int row, const QString& text);

    DirectoryView& view_;
    Configuration& configuration_;
    const wire::SpeedDialBlock& speedDials_;
    CommandQueue& queue_;
    std::array<Row, Rows> rows_;
    bool visible_ = false;
    int scrollPosition_ = 0;
    int pageStart_ = 0;
};
