#pragma once

#include "directory/directory_view.h"
#include "directory/speed_dial_directory.h"

#include <QFrame>
#include <QPointer>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class StorableLineEdit;

// The directory frame "AGENDA R903": twelve rows of memory number, note and
// digits beside the scroll bar, and VOLVER, placed from the
// design's twips. It shows what the SpeedDialDirectory holds and forwards the
// operator's paging, typing, double-clicks and VOLVER to it. Hidden until the
// directory opens; the window hosts it at its top-left corner.
//
// Keys, in whichever of a row's fields has the focus: Up and Down move to the
// row above or below (scrolling by one past the page's edge), Page Up and
// Page Down page by twelve, Enter dials the row, Esc closes as VOLVER does.
//
// A screen reader reads the frame as the panel "AGENDA R903" and each field
// by its row: "Memoria 3, marca 4822100", the note as its text. When a page
// change leaves the focus on its field, the row it now shows is announced;
// closing gives the focus back to where it was before the frame opened.
class SpeedDialPage final : public QFrame, public DirectoryView
{
public:
    explicit SpeedDialPage(QWidget* parent = nullptr);

    // Ties the frame to the directory it shows and paints it once.
    void bind(SpeedDialDirectory& directory);

    QLineEdit* numberField(int row) const { return rows_[row].number; }
    StorableLineEdit* noteField(int row) const { return rows_[row].text; }
    QLineEdit* digitsField(int row) const { return rows_[row].digits; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    QPushButton* backButton() const { return backButton_; }

    // Tells a screen reader something without moving the focus.
    std::function<void(const QString&)> announce;

    // DirectoryView
    void visibilityChanged() override;
    void scrollPositionChanged() override;
    void rowChanged(int row) override;
    void focusFirstText() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct RowFields {
        QLineEdit* number = nullptr;
        StorableLineEdit* text = nullptr;
        QLineEdit* digits = nullptr;
    };

    // A field's place: row 0-11, column 0 number, 1 note, 2 digits; -1 for neither.
    struct Cell {
        int row = -1;
        int column = -1;
    };

    void buildRow(int row);
    Cell cellOf(const QObject* field) const;
    void focusCell(int row, int column);
    void focusField(QLineEdit* field);
    QString rowName(int row) const;
    void announceRow(int row);
    bool rowKey(Cell cell, int key);

    SpeedDialDirectory* directory_ = nullptr;
    std::array<RowFields, SpeedDialDirectory::Rows> rows_;
    QLabel* caption_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPointer<QWidget> focusBefore_; // where the focus was when the frame opened
};
