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
    if (!editing)
        activateWindow();
    live_.start();
}

void CallListWindow::journalChanged()
{
    if (isVisible() && !pending_.isActive())
        pending_.start();
}

void CallListWindow::hideEvent(QHideEvent* event)
{
    live_.stop();
    pending_.stop();
    QWidget::hideEvent(event);
}

void CallListWindow::refill()
{
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

// A missed call's row in bold red, its result in capitals, so it shows in any colour scheme.
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
        QFont font = item->font();
        font.setBold(marked);
        item->setFont(font);
        item->setForeground(marked ? QBrush(MissedColour) : QBrush());
    }
}
