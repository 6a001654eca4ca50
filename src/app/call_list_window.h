#pragma once

#include <QTimer>
#include <QWidget>

class CallJournal;
class CallList;
class CallListModel;
class DayChart;
class QLabel;
class QPushButton;
class QTableView;

// The operator's day: the day's figures, its hourly chart and its calls,
// those waiting now on top (today only), their wait counting live. Two
// buttons, or Alt+Left and Alt+Right, go to the previous or next day that
// has a file. Enter or a double click on a row does the row's action; the
// keyboard focus stays in the list. A tool window over the console; Esc or
// "Cerrar" closes it. Opened while a text box of the console is being
// edited, it leaves the focus there; otherwise its first row takes the
// focus. A screen reader hears the count of the day's missed calls not yet
// called back with the table's name.
class CallListWindow final : public QWidget
{
public:
    CallListWindow(const CallJournal& journal, CallList& list, QWidget* console);
    ~CallListWindow() override;

    // Shows the window (or brings it up) with today's calls as they are now.
    void open();
    // The journal changed: the list follows shortly, if shown.
    void journalChanged();

    QTableView* table() const { return table_; }
    CallListModel& model() const { return *model_; }

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build();
    void step(bool earlier);
    void refill();
    void selectFirstRow();
    void activate(int row);

    const CallJournal& journal_;
    CallList& list_;
    CallListModel* model_;
    QLabel* figures_;
    QLabel* notes_; // unreadable rows, calls left out
    DayChart* chart_;
    QTableView* table_;
    QPushButton* earlier_;
    QPushButton* later_;
    QTimer live_; // the waiting times count on
    QTimer pending_; // gathers a burst of changes into one refill
    bool firstRowOnActivation_ = false;
};
