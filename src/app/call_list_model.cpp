#include "app/call_list_model.h"

#include "console/call_journal.h"
#include "operator/call_list.h"

#include <QBrush>
#include <QFont>

#include <algorithm>
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
    std::vector<Row> target = rowsFor(waiting, day);
    if (&day == day_ && day.date() == date_) {
        const std::vector<WaitingCall> before = std::exchange(waiting_, waiting);
        follow(target, placesIn(before));
        return;
    }
    beginResetModel();
    waiting_ = waiting;
    day_ = &day;
    date_ = day.date();
    rows_ = std::move(target);
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

// The waiting calls, then the day's calls from the latest.
std::vector<CallListModel::Row> CallListModel::rowsFor(
    const std::vector<WaitingCall>& waiting, const CallDay& day) const
{
    std::vector<Row> rows;
    rows.reserve(waiting.size() + day.calls().size());
    for (std::size_t i = 0; i < waiting.size(); ++i)
        rows.push_back({int(i), -1});
    const std::int64_t first = std::int64_t(day.dropped());
    for (std::int64_t call = first + std::int64_t(day.calls().size()) - 1; call >= first; --call)
        rows.push_back({-1, call});
    return rows;
}

// Where each row now shown goes among the new rows (waiting_ and the day as
// they are now), -1 when its call is gone: an ended call keeps its number, a
// waiting call stays waiting or has become one of the calls ended since.
std::vector<int> CallListModel::placesIn(const std::vector<WaitingCall>& before) const
{
    const std::int64_t dropped = std::int64_t(day_->dropped());
    const std::int64_t total = dropped + std::int64_t(day_->calls().size());
    const int waitingRows = int(waiting_.size());
    const auto endedRow = [&](std::int64_t call) { return call < dropped ? -1 : int(waitingRows + total - 1 - call); };
    std::int64_t endedBefore = dropped;
    for (const Row& row : rows_)
        endedBefore = std::max(endedBefore, row.call + 1);
    std::vector<int> places;
    for (const Row& row : rows_) {
        if (row.call >= 0) {
            places.push_back(endedRow(row.call));
            continue;
        }
        const WaitingCall& call = before[row.waiting];
        const auto same
            = [&](const auto& other) { return other.origin == call.origin && other.startedMs == call.startedMs; };
        const auto still = std::find_if(waiting_.begin(), waiting_.end(), same);
        int place = still == waiting_.end() ? -1 : int(still - waiting_.begin());
        for (std::int64_t ended = endedBefore; place < 0 && ended < total; ++ended) {
            if (same(day_->calls()[ended - dropped]))
                place = endedRow(ended);
        }
        places.push_back(place);
    }
    return places;
}

// Rows whose call is gone go; then, in the new order, each row is moved up
// to its place or inserted there, and takes the new row's content. The texts
// may all have changed.
void CallListModel::follow(const std::vector<Row>& target, const std::vector<int>& places)
{
    std::vector<int> placeOf = places;
    for (int i = int(rows_.size()) - 1; i >= 0; --i) {
        if (placeOf[i] >= 0)
            continue;
        beginRemoveRows({}, i, i);
        rows_.erase(rows_.begin() + i);
        placeOf.erase(placeOf.begin() + i);
        endRemoveRows();
    }
    std::vector<bool> kept(target.size());
    for (int place : placeOf)
        kept[place] = true;
    for (int i = 0; i < int(target.size()); ++i) {
        if (i < int(rows_.size()) && placeOf[i] == i) {
            rows_[i] = target[i];
            continue;
        }
        if (kept[i]) {
            const int j = int(std::find(placeOf.begin() + i, placeOf.end(), i) - placeOf.begin());
            beginMoveRows({}, j, j, {}, i);
            std::rotate(placeOf.begin() + i, placeOf.begin() + j, placeOf.begin() + j + 1);
            endMoveRows();
        } else {
            beginInsertRows({}, i, i);
            rows_.insert(rows_.begin() + i, target[i]);
            placeOf.insert(placeOf.begin() + i, i);
            endInsertRows();
        }
        rows_[i] = target[i];
    }
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, Columns - 1));
}
