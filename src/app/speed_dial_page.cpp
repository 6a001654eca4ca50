#include "app/speed_dial_page.h"

#include "app/accessible_role.h"
#include "app/arial_font.h"
#include "app/panel_geometry.h"
#include "app/qt_colour.h"
#include "app/storable_line_edit.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

namespace
{

// The design's places, in twips relative to the frame.
constexpr QSize FrameSize{9000, 6450};
constexpr int RowTop = 500;
constexpr int RowHeight = 380;
constexpr int NumberLeft = 2260, NumberWidth = 500;
constexpr int TextLeft = 2760, TextWidth = 1600;
constexpr int DigitsLeft = 4360, DigitsWidth = 2000;
constexpr QRect ScrollBarArea{6360, RowTop, 375, 4560};
constexpr QRect BackArea{3960, 5400, 1000, 255};
constexpr QPoint CaptionAt{120, 0};

constexpr Colour FrameBackground = 0x00FFFFC0; // light cyan
constexpr Colour NumberBackground = 0x00FFC0C0; // light blue
constexpr Colour TextBackground = 0x00FFC0FF; // light pink
constexpr qreal FieldPoints = 9;

// A note field: a click selects its whole text, as the operator usually
// replaces a note rather than edits it.
class NoteField final : public StorableLineEdit
{
public:
    using StorableLineEdit::StorableLineEdit;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        StorableLineEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            selectAll();
    }
};

QRect rowField(int row, int left, int width)
{
    return geometry::toPixels(QRect(left, RowTop + RowHeight * row, width, RowHeight));
}

template <typename Edit, typename... Args>
Edit* field(QWidget* parent, const QRect& pixels, Colour background, Args... args)
{
    auto* edit = new Edit(args..., parent);
    edit->setGeometry(pixels);
    edit->setFont(arialFont(FieldPoints, true));
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, toQColor(background));
    edit->setPalette(palette);
    return edit;
}

} // namespace

SpeedDialPage::SpeedDialPage(QWidget* parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    resize(geometry::toPixels(FrameSize));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(FrameBackground));
    setPalette(palette);
    installAccessibleRole<SpeedDialPage, QAccessible::Grouping>(); // a panel, not a window of its own
    setAccessibleName(QStringLiteral("AGENDA R903"));

    caption_ = new QLabel(QStringLiteral("AGENDA R903"), this);
    caption_->move(geometry::toPixels(CaptionAt));
    for (int r = 0; r < SpeedDialDirectory::Rows; ++r)
        buildRow(r);

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setGeometry(geometry::toPixels(ScrollBarArea));
    scrollBar_->setRange(0, SpeedDialDirectory::LastPosition);
    scrollBar_->setPageStep(SpeedDialDirectory::Rows);
    scrollBar_->setSingleStep(1);
    scrollBar_->setAccessibleName(QStringLiteral("Memorias"));
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
        if (directory_)
            directory_->scrollTo(position);
    });

    backButton_ = new QPushButton(QStringLiteral("VOLVER"), this);
    backButton_->setGeometry(geometry::toPixels(BackArea));
    connect(backButton_, &QPushButton::clicked, this, [this] {
        if (directory_)
            directory_->close();
    });
    hide();
}

void SpeedDialPage::buildRow(int r)
{
    RowFields& row = rows_[r];
    row.number = field<QLineEdit>(this, rowField(r, NumberLeft, NumberWidth), NumberBackground);
    row.text = field<NoteField>(this, rowField(r, TextLeft, TextWidth), TextBackground, SpeedDialDirectory::TextLimit);
    row.digits = field<QLineEdit>(this, rowField(r, DigitsLeft, DigitsWidth), NumberBackground);
    row.digits->setMaxLength(SpeedDialDirectory::DigitsLimit);
    row.digits->setReadOnly(true);
    for (QLineEdit* edit : {row.number, static_cast<QLineEdit*>(row.text), row.digits})
        edit->installEventFilter(this);
    connect(row.text, &QLineEdit::textEdited, this, [this, r](const QString& text) {
        if (directory_)
            directory_->textEdited(r, text);
    });
}

void SpeedDialPage::bind(SpeedDialDirectory& directory)
{
    directory_ = &directory;
    for (int r = 0; r < SpeedDialDirectory::Rows; ++r)
        rowChanged(r);
    scrollPositionChanged();
    visibilityChanged();
}

SpeedDialPage::Cell SpeedDialPage::cellOf(const QObject* field) const
{
    for (int r = 0; r < SpeedDialDirectory::Rows; ++r) {
        const RowFields& row = rows_[r];
        const QObject* fields[] = {row.number, row.text, row.digits};
        for (int c = 0; c < 3; ++c) {
            if (field == fields[c])
                return {r, c};
        }
    }
    return {};
}

void SpeedDialPage::focusCell(int row, int column)
{
    QLineEdit* fields[] = {rows_[row].number, rows_[row].text, rows_[row].digits};
    focusField(fields[column]);
}

// A field that keeps the focus while its row changed is not read again by a
// screen reader: its row is announced instead.
void SpeedDialPage::focusField(QLineEdit* field)
{
    if (!field->hasFocus()) {
        field->setFocus(Qt::OtherFocusReason);
        return;
    }
    announceRow(cellOf(field).row);
}

void SpeedDialPage::announceRow(int r)
{
    const QString& note = directory_->row(r).text;
    if (announce)
        announce(note.isEmpty() ? rowName(r) : rowName(r) + QStringLiteral(", ") + note);
}

QString SpeedDialPage::rowName(int r) const
{
    const SpeedDialDirectory::Row& row = directory_->row(r);
    if (row.digits.isEmpty())
        return QStringLiteral("Memoria %1, sin número").arg(row.number.trimmed());
    return QStringLiteral("Memoria %1, marca %2").arg(row.number.trimmed(), row.digits);
}

// A double-click on any of a row's fields dials the row.
bool SpeedDialPage::eventFilter(QObject* watched, QEvent* event)
{
    const int r = cellOf(watched).row;
    if (event->type() != QEvent::MouseButtonDblClick || r < 0 || !directory_)
        return QFrame::eventFilter(watched, event);
    directory_->dial(r);
    return true;
}

// The fields leave these keys unused, so they come here.
void SpeedDialPage::keyPressEvent(QKeyEvent* event)
{
    if (!directory_ || event->modifiers() & ~Qt::KeypadModifier)
        return QFrame::keyPressEvent(event);
    if (event->key() == Qt::Key_Escape) {
        directory_->close();
        return;
    }
    if (!rowKey(cellOf(focusWidget()), event->key()))
        QFrame::keyPressEvent(event);
}

bool SpeedDialPage::rowKey(Cell cell, int key)
{
    if (cell.row < 0)
        return false;
    const int position = directory_->scrollPosition();
    int row = cell.row;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: directory_->dial(cell.row); return true;
    case Qt::Key_Up: row = directory_->stepRow(cell.row, -1); break;
    case Qt::Key_Down: row = directory_->stepRow(cell.row, 1); break;
    case Qt::Key_PageUp: directory_->stepPage(-1); break;
    case Qt::Key_PageDown: directory_->stepPage(1); break;
    default: return false;
    }
    focusCell(row, cell.column);
    // Back on the field it left for the page change, the focus tells a screen reader nothing new.
    if (row == cell.row && directory_->scrollPosition() != position)
        announceRow(row);
    return true;
}

void SpeedDialPage::visibilityChanged()
{
    if (!directory_->visible()) {
        // Before hiding, so that the focus does not stop on whatever follows the frame on its way back.
        if (focusBefore_ && focusBefore_->isVisible() && isAncestorOf(QApplication::focusWidget()))
            focusBefore_->setFocus(Qt::OtherFocusReason);
        hide();
        return;
    }
    if (isHidden())
        focusBefore_ = QApplication::focusWidget();
    move(0, 0);
    raise();
    show();
}

void SpeedDialPage::scrollPositionChanged()
{
    scrollBar_->setValue(directory_->scrollPosition());
}

void SpeedDialPage::rowChanged(int r)
{
    const SpeedDialDirectory::Row& row = directory_->row(r);
    rows_[r].number->setText(row.number);
    rows_[r].digits->setText(row.digits);
    rows_[r].text->setText(row.text);
    const QString name = rowName(r);
    for (QLineEdit* field : {rows_[r].number, static_cast<QLineEdit*>(rows_[r].text), rows_[r].digits})
        field->setAccessibleName(name);
}

void SpeedDialPage::focusFirstText()
{
    focusField(rows_[0].text);
}
