#pragma once

#include "console/call_entry.h"

#include <QAbstractTableModel>
#include <QDate>

#include <vector>

class CallDay;
class CallJournal;

// The rows of the call list: the calls waiting now, the longest-waiting
// first, then the day's calls, the latest first, the missed ones not called
// back marked. A row stays with its call (a waiting call by its origin and
// start, an ended one by its number in the day), so a change moves, inserts
// and removes rows and never redraws the list whole: the selection stays on
// its call, also when a waiting call ends and becomes the day's latest.
// Another day starts the rows afresh.
class CallListModel final : public QAbstractTableModel
{
public:
    enum Column { Hora, Origen, Tipo, Espera, Resultado, Columns };

    explicit CallListModel(const CallJournal& journal);

    void show(const std::vector<WaitingCall>& waiting, const CallDay& day);
    // The waiting times have counted on.
    void waitsCounted();

    // What a row holds: a waiting call, or one of the day's calls.
    const WaitingCall* waitingAt(int row) const;
    const CallEntry* callAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        int waiting = -1; // index in the waiting calls, or
        std::int64_t call = -1; // the call's number in the day, dropped calls counted
    };

    std::vector<Row> rowsFor(const std::vector<WaitingCall>& waiting, const CallDay& day) const;
    std::vector<int> placesIn(const std::vector<WaitingCall>& before) const;
    void follow(const std::vector<Row>& target, const std::vector<int>& places);
    QString text(int row, int column) const;

    const CallJournal& journal_;
    std::vector<WaitingCall> waiting_;
    const CallDay* day_ = nullptr;
    QDate date_;
    std::vector<Row> rows_;
};
