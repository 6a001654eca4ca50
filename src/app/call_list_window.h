#pragma once

#include <QTimer>
#include <QWidget>

class CallJournal;
class QTableWidget;

// The list of calls: first those waiting now, the longest-waiting first, their
// wait counting live; then today's calls, the latest first, the missed ones
// marked. A tool window over the console; Esc or "Cerrar" closes it. Opened
// while a text box of the console is being edited, it leaves the focus there;
// otherwise its first row takes the focus. A screen reader hears the count of
// today's missed calls with the table's name.
class CallListWindow final : public QWidget
{
public:
    enum Column { Hora, Origen, Tipo, Espera, Resultado, Columns };

    CallListWindow(const CallJournal& journal, QWidget* console);

    // Shows the window (or brings it up) with the list as it is now.
    void open();
    // The journal changed: the list follows shortly, if shown.
    void journalChanged();

    QTableWidget* table() const { return table_; }

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refill();
    void fillRow(int row, const QStringList& texts, bool marked);

    const CallJournal& journal_;
    QTableWidget* table_;
    QTimer live_; // the waiting times count on
    QTimer pending_; // gathers a burst of changes into one refill
    bool firstRowOnActivation_ = false;
};
