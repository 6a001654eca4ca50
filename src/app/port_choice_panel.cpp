#include "app/port_choice_panel.h"

#include "platform/qt/serial_devices.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

constexpr int PortCount = 16;

// Place one control: its caption is also what a screen reader says.
template <typename Widget> Widget* named(Widget* widget, const char* objectName, const QString& accessibleName)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

PortChoicePanel::PortChoicePanel(QWidget* parent)
    : QFrame(parent)
    , prompt_(
          named(new QLabel(QStringLiteral("Seleccione puerto"), this), "Label1_6", QStringLiteral("Seleccione puerto")))
    , list_(named(new QListWidget(this), "LstNumerodeport", QStringLiteral("Seleccione puerto")))
    , acceptButton_(named(new QPushButton(QStringLiteral("&Acepta"), this), "cmdacepta", QStringLiteral("Acepta")))
{
    setObjectName(QStringLiteral("portChoicePanel"));
    setFrameShape(QFrame::StyledPanel);
    for (int port = 1; port <= PortCount; ++port) {
        auto* entry = new QListWidgetItem(QString::number(port), list_);
        const QString device = serialDeviceFor(port).value_or(QString());
        entry->setToolTip(device);
        entry->setData(Qt::AccessibleDescriptionRole, device);
    }
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setCurrentRow(-1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(list_);
    layout->addWidget(acceptButton_);

    connect(acceptButton_, &QPushButton::clicked, this, [this] { accept(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    QFrame::setVisible(false);
}

void PortChoicePanel::show()
{
    QFrame::show();
    raise();
}

void PortChoicePanel::hide()
{
    QFrame::hide();
}

void PortChoicePanel::focusList()
{
    list_->setFocus(Qt::OtherFocusReason);
}

void PortChoicePanel::accept()
{
    if (!accept_)
        return;
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    accept_(selected.isEmpty() ? std::nullopt : std::optional<QString>(selected.front()->text()));
}
