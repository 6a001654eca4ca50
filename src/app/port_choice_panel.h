#pragma once

#include "link/port_choice_view.h"

#include <QFrame>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

// The list of port numbers offered after a port could not be
// opened. Hidden until the probe shows it. Acepta, or a double-click on an
// entry, hands the selected entry's text (or nothing) to the probe.
class PortChoicePanel final : public QFrame, public PortChoiceView
{
public:
    using AcceptHandler = std::function<void(const std::optional<QString>& selectedEntry)>;

    explicit PortChoicePanel(QWidget* parent = nullptr);

    void onAccept(AcceptHandler handler) { accept_ = std::move(handler); }

    void show() override;
    void hide() override;
    void focusList() override;

    QLabel* prompt() const { return prompt_; }
    QListWidget* list() const { return list_; }
    QPushButton* acceptButton() const { return acceptButton_; }

private:
    void accept();

    QLabel* prompt_;
    QListWidget* list_;
    QPushButton* acceptButton_;
    AcceptHandler accept_;
};
