#include "app/call_list_model.h"

#include "console/call_journal.h"
#include "operator/call_list.h"

#include <QBrush>
#include <QFont>
#include <QHash>
#include <QSet>

#include <utility>

namespace
{

const QColor MissedColour(0xC0, 0, 0);

QString clockTime(std::int64_t wallMs, const QString& format = QStringLiteral("HH:mm:ss"))
{
    return localTime(wallMs).toString(format);
}

QString originText(const QString& origin, const QString& name)
{
    return name.isEmpty() ? origin : origin + QLatin1Char(' ') + name;
}

bool missedNotCalledBack(const CallEntry* call)
{
    return call && call->outcome == CallOutcome::Missed && call->calledBackMs == 0;
}

QString resultText(const CallEntry& call)
{
    if (call.outcome != CallOutcome::Missed)
        return outcomeText(call.outcome);
    if (call.calledBackMs == 0)
        return outcomeText(call.outcome).toUpper();
    return outcomeText(call.outcome) + QStringLiteral(", rellamada ")
        + clockTime(call.calledBackMs, QStringLiteral("HH:mm"));
}

} // namespace

CallListModel::CallListModel(const CallJournal& journal)
    : journal_(journal)
{
}

void CallListModel::show(const std::vector<WaitingCall>& waiting, const CallDay& day)
{
    const std::vector<Row> target = rowsFor(waiting, day);
    if (&day == day_ && day.date() == date_) {
        waiting_ = waiting;
        follow(target);
        return;
    }
    beginResetModel();
    waiting_ = waiting;
    day_ = &day;
    date_ = day.date();
    rows_ = target;
    endResetModel();
}

void CallListModel::waitsCounted()
{
    if (!waiting_.empty())
        emit dataChanged(index(0, Espera), index(int(waiting_.size()) - 1, Espera), {Qt::DisplayRole});
}

const WaitingCall* CallListModel::waitingAt(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        return nullptr;
    const int waiting = rows_[row].waiting;
    return waiting >= 0 && waiting < int(waiting_.size()) ? &waiting_[waiting] : nullptr;
}

const CallEntry* CallListModel::callAt(int row) const
{
    if (row < 0 || row >= int(rows_.size()) || rows_[row].call < 0 || day_->date() != date_)
        return nullptr;
    const std::int64_t kept = rows_[row].call - std::int64_t(day_->dropped());
    return kept >= 0 && kept < std::int64_t(day_->calls().size()) ? &day_->calls()[kept] : nullptr;
}

int CallListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int CallListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

// A missed call not called back in bold red, its result in capitals, so it
// shows in any colour scheme.
QVariant CallListModel::data(const QModelIndex& index, int role) const
{
    const CallEntry* call = callAt(index.row());
    switch (role) {
    case Qt::DisplayRole: return text(index.row(), index.column());
    case Qt::FontRole: {
        QFont font;
        font.setBold(missedNotCalledBack(call));
        return font;
    }
    case Qt::ForegroundRole: return missedNotCalledBack(call) ? QBrush(MissedColour) : QVariant();
    case Qt::AccessibleTextRole: // a screen reader says the word as it is, not in capitals
        return index.column() == Resultado && missedNotCalledBack(call) ? outcomeText(call->outcome) : QVariant();
    case Qt::ToolTipRole:
        if (call && CallList::canCallBack(*call))
            return QStringLiteral("Intro o doble clic: llamar al interno ") + call->origin;
        return {};
    default: return {};
    }
}

QVariant CallListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<QString, Columns> titles{QStringLiteral("Hora"), QStringLiteral("Origen"),
        QStringLiteral("Tipo"), QStringLiteral("Espera"), QStringLiteral("Resultado")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return titles[section];
}

QString CallListModel::text(int row, int column) const
{
    if (const WaitingCall* call = waitingAt(row)) {
        switch (column) {
        case Hora: return clockTime(call->startedMs);
        case Origen: return originText(call->origin, call->name);
        case Tipo: return kindText(call->kind);
        case Espera: return minutesAndSeconds(journal_.secondsWaiting(*call));
        default: return QStringLiteral("esperando");
        }
    }
    const CallEntry* call = callAt(row);
    if (!call)
        return {};
    switch (column) {
    case Hora: return clockTime(call->startedMs);
    case Origen: return originText(call->origin, call->name);
    case Tipo: return kindText(call->kind);
    case Espera: return minutesAndSeconds(call->waitedSeconds);
    default: return resultText(*call);
    }
}

// The waiting calls, then the day's calls from the latest; a waiting call is
// known by the key it will have once it has ended.
std::vector<CallListModel::Row> CallListModel::rowsFor(
    const std::vector<WaitingCall>& waiting, const CallDay& day) const
{
    QHash<std::pair<QString, std::int64_t>, int> seen;
    std::vector<Row> ended;
    ended.reserve(day.calls().size());
    std::int64_t number = std::int64_t(day.dropped());
    for (const CallEntry& call : day.calls()) {
        int& before = seen[{call.origin, call.startedMs}];
        ended.push_back({{call.origin, call.startedMs, before++}, -1, number++});
    }
    std::vector<Row> rows;
    rows.reserve(waiting.size() + ended.size());
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        const WaitingCall& call = waiting[i];
        rows.push_back({{call.origin, call.startedMs, seen.value({call.origin, call.startedMs})}, int(i), -1});
    }
    rows.insert(rows.end(), ended.rbegin(), ended.rend());
    return rows;
}

// Rows whose call is gone go; then, in the new order, each row is moved up
// to its place or inserted there. The texts may all have changed.
void CallListModel::follow(const std::vector<Row>& target)
{
    QSet<Key> wanted;
    for (const Row& row : target)
        wanted.insert(row.key);
    for (int i = int(rows_.size()) - 1; i >= 0; --i) {
        if (wanted.contains(rows_[i].key))
            continue;
        beginRemoveRows({}, i, i);
        rows_.erase(rows_.begin() + i);
        endRemoveRows();
    }
    QSet<Key> present;
    for (const Row& row : rows_)
        present.insert(row.key);
    for (int i = 0; i < int(target.size()); ++i) {
        if (i < int(rows_.size()) && rows_[i].key == target[i].key) {
            rows_[i] = target[i];
            continue;
        }
        if (present.contains(target[i].key)) {
            const auto from = std::find_if(
                rows_.begin() + i, rows_.end(), [&](const Row& row) { return row.key == target[i].key; });
            const int j = int(from - rows_.begin());
            beginMoveRows({}, j, j, {}, i);
            std::rotate(rows_.begin() + i, from, from + 1);
            endMoveRows();
        } else {
            beginInsertRows({}, i, i);
            rows_.insert(rows_.begin() + i, target[i]);
            endInsertRows();
        }
        rows_[i] = target[i];
    }
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, Columns - 1));
}
