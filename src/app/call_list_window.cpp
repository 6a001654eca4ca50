#include "app/call_list_window.h"

#include "app/call_list_model.h"
#include "app/day_chart.h"
#include "console/call_journal.h"
#include "operator/call_list.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

constexpr int LiveMs = 1000;
constexpr int GatherMs = 100;
const QSize WindowSize(640, 600);

// A text box of the console window that the operator is editing.
bool editingIn(const QWidget* console)
{
    const auto* edit = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
    return edit && !edit->isReadOnly() && edit->window() == console->window();
}

// The table's name, which a screen reader says as the list opens, whether the
// keys or the mouse opened it: the day's missed calls not yet called back.
QString missedText(const CallDay& day, bool today)
{
    const int missed = day.notCalledBack();
    const QString when = today ? QStringLiteral("hoy") : QStringLiteral("el ") + day.date().toString("dd/MM/yyyy");
    if (missed == 0)
        return QStringLiteral("ninguna llamada perdida ") + when;
    return QStringLiteral("%1 %2 %3")
        .arg(missed)
        .arg(missed == 1 ? QStringLiteral("llamada perdida") : QStringLiteral("llamadas perdidas"), when);
}

// What the day's file could not give: "1 fila ilegible", "3 filas ilegibles", calls left out of the list.
QString notesOf(const CallDay& day)
{
    QStringList notes;
    const int unreadable = day.unreadableRows();
    if (unreadable == 1)
        notes << QStringLiteral("1 fila ilegible");
    else if (unreadable > 1)
        notes << QStringLiteral("%1 filas ilegibles").arg(unreadable);
    if (day.dropped() > 0)
        notes << QStringLiteral("se muestran las %1 llamadas más recientes").arg(day.calls().size());
    return notes.join(QStringLiteral(", "));
}

} // namespace

CallListWindow::CallListWindow(const CallJournal& journal, CallList& list, QWidget* console)
    : QWidget(console, Qt::Tool)
    , journal_(journal)
    , list_(list)
    , model_(new CallListModel(journal))
    , figures_(new QLabel(this))
    , notes_(new QLabel(this))
    , chart_(new DayChart(this))
    , table_(new QTableView(this))
    , earlier_(new QPushButton(QStringLiteral("« Día anterior"), this))
    , later_(new QPushButton(QStringLiteral("Día siguiente »"), this))
{
    model_->setParent(this);
    build();
    live_.setInterval(LiveMs);
    connect(&live_, &QTimer::timeout, this, [this] { model_->waitsCounted(); });
    pending_.setSingleShot(true);
    pending_.setInterval(GatherMs);
    connect(&pending_, &QTimer::timeout, this, [this] { refill(); });
}

CallListWindow::~CallListWindow() = default;

void CallListWindow::build()
{
    setObjectName(QStringLiteral("callListWindow"));
    resize(WindowSize);
    figures_->setObjectName(QStringLiteral("callListFigures"));
    figures_->setWordWrap(true);
    for (QWidget* readable : std::initializer_list<QWidget*>{figures_, chart_})
        readable->setFocusPolicy(Qt::TabFocus); // Tab reaches them, so a screen reader says them
    notes_->setObjectName(QStringLiteral("callListNotes"));
    table_->setObjectName(QStringLiteral("callListTable"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false); // Tab leaves the list, the arrows go through it
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(CallListModel::Origen, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(CallListModel::Resultado, QHeaderView::ResizeToContents);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { activate(index.row()); });
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QStringLiteral("callListClose"));
    earlier_->setObjectName(QStringLiteral("callListEarlier"));
    later_->setObjectName(QStringLiteral("callListLater"));
    for (QPushButton* button : {earlier_, later_})
        button->setFocusPolicy(Qt::TabFocus); // a click leaves the keyboard in the list
    auto* days = new QHBoxLayout;
    days->addWidget(earlier_);
    days->addWidget(figures_, 1);
    days->addWidget(later_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(days);
    layout->addWidget(notes_);
    layout->addWidget(chart_);
    layout->addWidget(table_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(earlier_, &QPushButton::clicked, this, [this] { step(true); });
    connect(later_, &QPushButton::clicked, this, [this] { step(false); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(Qt::ALT | Qt::Key_Left, this), &QShortcut::activated, this, [this] { step(true); });
    connect(new QShortcut(Qt::ALT | Qt::Key_Right, this), &QShortcut::activated, this, [this] { step(false); });
}

void CallListWindow::open()
{
    list_.showToday();
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
        table_->setCurrentIndex(QModelIndex());
    }
    live_.start();
}

void CallListWindow::journalChanged()
{
    if (isVisible() && list_.showingToday() && !pending_.isActive())
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
    QTimer::singleShot(0, table_, [this] {
        if (!table_->currentIndex().isValid()) // unless the operator has chosen a row already
            selectFirstRow();
    });
}

bool CallListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != table_ || event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
        return false;
    if (!key.isAutoRepeat())
        activate(table_->currentIndex().row());
    return true;
}

void CallListWindow::hideEvent(QHideEvent* event)
{
    live_.stop();
    pending_.stop();
    QWidget::hideEvent(event);
}

void CallListWindow::step(bool earlier)
{
    if (!(earlier ? list_.showEarlierDay() : list_.showLaterDay()))
        return;
    refill();
    selectFirstRow();
}

// Only the operator's own steps choose a row: a call that comes never puts itself under Enter.
void CallListWindow::selectFirstRow()
{
    table_->setCurrentIndex(model_->rowCount() > 0 ? model_->index(0, 0) : QModelIndex());
}

void CallListWindow::refill()
{
    const CallDay& day = list_.day();
    setWindowTitle(list_.title());
    figures_->setText(day.figures().summary(day.date()));
    const QString notes = notesOf(day);
    notes_->setText(notes);
    notes_->setVisible(!notes.isEmpty());
    chart_->setFigures(day.figures());
    table_->setAccessibleName(missedText(day, list_.showingToday()));
    model_->show(list_.showingToday() ? journal_.waiting() : std::vector<WaitingCall>(), day);
    earlier_->setEnabled(list_.hasEarlierDay());
    later_->setEnabled(list_.hasLaterDay());
}

void CallListWindow::activate(int row)
{
    if (const WaitingCall* call = model_->waitingAt(row))
        list_.activate(*call);
    else if (const CallEntry* call = model_->callAt(row))
        list_.activate(*call);
}
