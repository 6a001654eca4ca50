#include "app/storable_line_edit.h"

#include "configuration/windows1252.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>
#include <memory>

namespace
{

qsizetype commonPrefix(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

qsizetype commonSuffix(const QString& a, const QString& b, qsizetype limit)
{
    qsizetype i = 0;
    while (i < limit && a[a.size() - 1 - i] == b[b.size() - 1 - i])
        ++i;
    return i;
}

QString storableOnly(const QString& text)
{
    QString kept;
    for (const QChar c : text) {
        if (isStorableCharacter(c))
            kept.append(c);
    }
    return kept;
}

} // namespace

StorableInputFilter::StorableInputFilter(StorableLineEdit& edit)
    : QValidator(&edit)
    , edit_(edit)
{
}

// The characters an edit brings in lie between what it left unchanged in front
// (up to the cursor) and behind; only those are filtered and cut to the room.
QValidator::State StorableInputFilter::validate(QString& input, int& pos) const
{
    if (!edit_.operatorEditing())
        return Acceptable;
    const QString& before = edit_.textBefore_;
    const qsizetype prefix = std::min<qsizetype>(commonPrefix(before, input), pos);
    const qsizetype suffix = commonSuffix(before, input, std::min(before.size(), input.size()) - prefix);
    const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
    if (inserted.isEmpty())
        return Acceptable;

    const qsizetype kept = input.size() - inserted.size();
    const qsizetype room = std::max<qsizetype>(0, std::max<qsizetype>(edit_.typingLimit_, before.size()) - kept);
    const QString accepted = storableOnly(inserted).left(room);
    if (accepted.isEmpty())
        return Invalid;
    if (accepted == inserted)
        return Acceptable;
    input = input.left(prefix) + accepted + input.right(suffix);
    pos = static_cast<int>(prefix + accepted.size());
    return Acceptable;
}

StorableLineEdit::StorableLineEdit(int typingLimit, QWidget* parent)
    : QLineEdit(parent)
    , typingLimit_(typingLimit)
{
    setValidator(&filter_);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { textBefore_ = text; });
}

void StorableLineEdit::runAsProgramWrite(const auto& write)
{
    ++programWrites_;
    write();
    --programWrites_;
}

void StorableLineEdit::setText(const QString& text)
{
    runAsProgramWrite([&] { QLineEdit::setText(text); });
}

// Changes made while one of this box's events is handled come from the
// operator, unless the program writes the text itself.
bool StorableLineEdit::event(QEvent* e)
{
    ++eventDepth_;
    const bool handled = QLineEdit::event(e);
    --eventDepth_;
    return handled;
}

// Undo and redo bring back texts the box held before, whatever their length.
void StorableLineEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) {
        runAsProgramWrite([&] { QLineEdit::keyPressEvent(e); });
        return;
    }
    QLineEdit::keyPressEvent(e);
}

// The standard menu, run while this event is handled so that what its
// actions insert (paste, control characters) is judged as the operator's.
void StorableLineEdit::contextMenuEvent(QContextMenuEvent* e)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    menu->exec(e->globalPos());
}
