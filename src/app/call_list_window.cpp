#include "app/call_list_window.h"

#include "console/call_journal.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

constexpr int LiveMs = 1000;
constexpr int GatherMs = 100;
const QSize WindowSize(520, 360);
const QColor MissedColour(0xC0, 0, 0);

QString minutesAndSeconds(std::int64_t seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString clockTime(std::int64_t wallMs)
{
    return localTime(wallMs).toString(QStringLiteral("HH:mm:ss"));
}

// The table's name, which a screen reader says as the list opens, whether the
// keys or the mouse opened it: today's missed calls.
QString missedText(int missed)
{
    if (missed == 0)
        return QStringLiteral("ninguna llamada perdida hoy");
    return QStringLiteral("%1 %2 hoy")
        .arg(missed)
        .arg(missed == 1 ? QStringLiteral("llamada perdida") : QStringLiteral("llamadas perdidas"));
}

QString originText(const QString& origin, const QString& name)
{
    return name.isEmpty() ? origin : origin + QLatin1Char(' ') + name;
}

// A text box of the console window that the operator is editing.
bool editingIn(const QWidget* console)
{
    const auto* edit = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
    return edit && !edit->isReadOnly() && edit->window() == console->window();
}

} // namespace

CallListWindow::CallListWindow(const CallJournal& journal, QWidget* console)
    : QWidget(console, Qt::Tool)
    , journal_(journal)
    , table_(new QTableWidget(0, Columns, this))
{
    setObjectName(QStringLiteral("callListWindow"));
    setWindowTitle(QStringLiteral("Llamadas"));
    resize(WindowSize);
    table_->setObjectName(QStringLiteral("callListTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Hora"), QStringLiteral("Origen"), QStringLiteral("Tipo"),
        QStringLiteral("Espera"), QStringLiteral("Resultado")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(Origen, QHeaderView::Stretch);
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QStringLiteral("callListClose"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    live_.setInterval(LiveMs);
    connect(&live_, &QTimer::timeout, this, [this] { refill(); });
    pending_.setSingleShot(true);
    pending_.setInterval(GatherMs);
    connect(&pending_, &QTimer::timeout, this, [this] { refill(); });
}

void CallListWindow::open()
{
    refill();
    const bool editing = editingIn(parentWidget());
    if (windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) != editing) {
        hide(); // a window takes new flags while hidden
        setWindowFlag(Qt::WindowDoesNotAcceptFocus, editing);
        setAttribute(Qt::WA_ShowWithoutActivating, editing);
    }
    show();
    raise();
    firstRowOnActivation_ = !editing;
    if (!editing) {
        activateWindow();
        table_->setFocus(Qt::OtherFocusReason);
        table_->setCurrentCell(-1, -1);
    }
    live_.start();
}

void CallListWindow::journalChanged()
{
    if (isVisible() && !pending_.isActive())
        pending_.start();
}

// The first row becomes current once the window is active and the table has
// the focus back: a screen reader reads a row that takes the focus then, not before.
void CallListWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !firstRowOnActivation_)
        return;
    firstRowOnActivation_ = false;
    QTimer::singleShot(0, table_, [table = table_] {
        if (table->rowCount() > 0)
            table->setCurrentCell(0, 0);
    });
}

void CallListWindow::hideEvent(QHideEvent* event)
{
    live_.stop();
    pending_.stop();
    QWidget::hideEvent(event);
}

void CallListWindow::refill()
{
    table_->setAccessibleName(missedText(journal_.missedToday()));
    const std::vector<WaitingCall> waiting = journal_.waiting();
    const auto& today = journal_.today();
    table_->setRowCount(int(waiting.size() + today.size()));
    int row = 0;
    for (const WaitingCall& call : waiting) {
        fillRow(row++,
            {clockTime(call.startedMs), originText(call.origin, call.name), kindText(call.kind),
                minutesAndSeconds(journal_.secondsWaiting(call)), QStringLiteral("esperando")},
            false);
    }
    for (auto call = today.rbegin(); call != today.rend(); ++call) {
        fillRow(row++,
            {clockTime(call->startedMs), originText(call->origin, call->name), kindText(call->kind),
                minutesAndSeconds(call->waitedSeconds), outcomeText(call->outcome)},
            call->outcome == CallOutcome::Missed);
    }
}

// A missed call's row in bold red, its result in capitals, so it shows in any
// colour scheme; a screen reader says the word as it is.
void CallListWindow::fillRow(int row, const QStringList& texts, bool marked)
{
    for (int column = 0; column < Columns; ++column) {
        QTableWidgetItem* item = table_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            table_->setItem(row, column, item);
        }
        const bool shout = marked && column == Resultado;
        item->setText(shout ? texts[column].toUpper() : texts[column]);
        item->setData(Qt::AccessibleTextRole, shout ? texts[column] : QVariant());
        QFont font = item->font();
        font.setBold(marked);
        item->setFont(font);
        item->setForeground(marked ? QBrush(MissedColour) : QBrush());
    }
}
