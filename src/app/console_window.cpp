#include "app/console_window.h"

#include "app/announcer.h"
#include "app/arial_font.h"
#include "app/click_label.h"
#include "app/indicator_widget.h"
#include "app/name_box.h"
#include "app/panel_focus.h"
#include "app/panel_geometry.h"
#include "app/qt_colour.h"
#include "console/call_entry.h"
#include "console/panel.h"
#include "operator/name_boxes.h"
#include "operator/operator_commands.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <span>

namespace
{

constexpr qreal NumberLabelPoints = 9;
constexpr qreal LineLabelPoints = 9.75;
constexpr qreal CommandPoints = 15.75;
constexpr qreal ButtonPoints = 9;
constexpr qreal TypedDigitsPoints = 12;
constexpr Colour Black = 0x00000000;
constexpr Colour White = 0x00FFFFFF;
constexpr Colour CutBackground = 0x000000FF;
constexpr Colour RetrieveBackground = 0x00FFFFC0;

void place(QWidget* widget, const QRect& twips)
{
    widget->setGeometry(geometry::toPixels(twips));
}

void setColour(QWidget* widget, QPalette::ColorRole role, Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour));
    widget->setPalette(palette);
}

ClickLabel* captionLabel(QWidget* parent, const QRect& twips, qreal points)
{
    auto* label = new ClickLabel(parent);
    place(label, twips);
    label->setFont(arialFont(points, true));
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    setColour(label, QPalette::Window, design::LabelBackground);
    setColour(label, QPalette::WindowText, Black);
    return label;
}

ClickLabel* overlay(QWidget* parent, const QRect& twips)
{
    auto* label = new ClickLabel(parent);
    place(label, twips);
    return label;
}

QPushButton* button(QWidget* parent, const QRect& twips, const QString& caption, const QFont& font)
{
    auto* b = new QPushButton(caption, parent);
    place(b, twips);
    b->setFont(font);
    b->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return b;
}

void showButton(QPushButton* b, const CommandButton& model)
{
    b->setText(model.caption);
    b->setAccessibleName(model.caption);
    b->setVisible(model.visible);
}

} // namespace

ConsoleWindow::ConsoleWindow(QWidget* parent)
    : QWidget(parent)
    , pictures_(geometry::toPixels(geometry::ClientArea))
{
    setFixedSize(geometry::toPixels(geometry::ClientArea));
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildSlots();
    buildLines();
    buildKeyboardAids();
    buildNameBoxes();
    buildButtons();
}

void ConsoleWindow::buildSlots()
{
    for (int i = 0; i < wire::ExtensionSlots; ++i)
        slots_[i] = buildElement(geometry::extensionIndicator(i), geometry::numberLabel(i), NumberLabelPoints,
            geometry::extensionOverlay(i));
}

void ConsoleWindow::buildLines()
{
    for (int k = 0; k < wire::OutsideLines; ++k)
        lines_[k] = buildElement(
            geometry::lineIndicator(k), geometry::lineLabel(k), LineLabelPoints, geometry::lineOverlay(k));
}

// An indicator, its label and the overlay made after it, so that it lies on top.
ConsoleWindow::Element ConsoleWindow::buildElement(
    const QRect& indicator, const QRect& label, qreal labelPoints, const QRect& overlayArea)
{
    Element element;
    element.indicator = new IndicatorWidget(pictures_, this);
    place(element.indicator, indicator);
    element.label = captionLabel(this, label, labelPoints);
    element.overlay = overlay(this, overlayArea);
    return element;
}

void ConsoleWindow::buildNameBoxes()
{
    for (int i = 0; i < NameBoxCount; ++i) {
        auto* box = new NameBox(NameBoxes::MaxLength, this);
        place(box, geometry::nameBox(i));
        box->setFont(arialFont(NameBoxes::NormalPoints));
        box->setFrame(false);
        box->setAlignment(Qt::AlignCenter);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus); // the panel element reads the name; Tab passes the box by
        setColour(box, QPalette::Base, design::NameBoxBackground);
        box->hide();
        nameBoxes_[i] = box;
    }
}

void ConsoleWindow::buildButtons()
{
    const QFont command = arialFont(CommandPoints, true);
    cutButton_ = button(this, geometry::cutButton(), QStringLiteral("CORTA"), command);
    setColour(cutButton_, QPalette::Button, CutBackground);
    setColour(cutButton_, QPalette::ButtonText, White);
    cutButton_->hide();
    retrieveButton_ = button(this, geometry::retrieveButton(), QString(), command);
    setColour(retrieveButton_, QPalette::Button, RetrieveBackground);
    retrieveButton_->hide();

    const QFont plain = arialFont(ButtonPoints, true);
    directoryButton_ = button(this, geometry::directoryButton(), QStringLiteral("AGENDA"), plain);
    directoryButton_->setEnabled(false);
    exitButton_ = button(this, geometry::exitButton(), QStringLiteral("&Salir"), plain);
    exitButton_->setToolTip(QStringLiteral("Sale de modo consola"));
    exitButton_->setAccessibleDescription(exitButton_->toolTip());
    buildCallListButton(plain);
}

void ConsoleWindow::buildCallListButton(const QFont& font)
{
    callListButton_ = button(this, geometry::callList(), QStringLiteral("LLAMADAS"), font);
    callListButton_->setObjectName(QStringLiteral("callListButton"));
    callListButton_->setFocusPolicy(Qt::NoFocus);
    callListButton_->setToolTip(QStringLiteral("Llamadas en espera y llamadas de hoy"));
    callListButton_->setAccessibleDescription(callListButton_->toolTip());
}

// The panel's Tab stop and ring (lines, then slots, as the panel reads from
// the top), the typed digits and the announcer of waiting calls.
void ConsoleWindow::buildKeyboardAids()
{
    std::vector<PanelFocus::Element> elements;
    for (const auto& group : {std::span<const Element>(lines_), std::span<const Element>(slots_)}) {
        for (const Element& e : group)
            elements.push_back({e.label, e.indicator->geometry() | e.label->geometry()});
    }
    panelFocus_ = new PanelFocus(*this, std::move(elements));

    typedDigits_ = captionLabel(this, geometry::typedDigits(), TypedDigitsPoints);
    typedDigits_->setAccessibleName(QStringLiteral("Número marcado"));
    typedDigits_->hide();

    announcer_ = new Announcer(this);
}

void ConsoleWindow::bind(const Panel& panel, OperatorCommands& commands, NameBoxes& nameBoxes)
{
    panel_ = &panel;
    for (int i = 0; i < wire::ExtensionSlots; ++i) {
        bindSlot(i, commands, nameBoxes);
        extensionChanged(i);
    }
    for (int k = 0; k < wire::OutsideLines; ++k) {
        bindLine(k, commands);
        lineChanged(k);
    }
    connect(cutButton_, &QPushButton::clicked, this, [&commands] { commands.cutPressed(); });
    connect(retrieveButton_, &QPushButton::clicked, this,
        [this, &commands] { commands.retrievePressed(retrieveButton_->text()); });
    commandButtonsChanged();
    windowChanged();
}

void ConsoleWindow::bindSlot(int index, OperatorCommands& commands, NameBoxes& nameBoxes)
{
    const ClickTarget clicks{
        [&commands](MouseButton b) { commands.press(b); }, [&commands, index] { commands.extensionClick(index); }};
    slots_[index].label->clicks = clicks;
    slots_[index].overlay->clicks = clicks;
    if (index >= NameBoxCount)
        return;
    NameBox* box = nameBoxes_[index];
    box->clicks = clicks;
    box->onKey = [&nameBoxes, index](int code) { return nameBoxes.keyPress(index, code); };
    box->onFocusLost = [&nameBoxes, index] { nameBoxes.focusLost(index); };
    connect(box, &QLineEdit::textChanged, this, [this, &nameBoxes, index](const QString& text) {
        nameBoxes.textChanged(index, text);
        extensionChanged(index);
    });
}

void ConsoleWindow::bindLine(int index, OperatorCommands& commands)
{
    const ClickTarget clicks{
        [&commands](MouseButton b) { commands.press(b); }, [&commands, index] { commands.lineClick(index); }};
    lines_[index].label->clicks = clicks;
    lines_[index].overlay->clicks = clicks;
}

void ConsoleWindow::hostFrame(QWidget* frame, const QPoint& twips)
{
    frame->setParent(this);
    frame->move(geometry::toPixels(twips));
    frame->raise();
    frames_.push_back(frame);
}

bool ConsoleWindow::frameShown() const
{
    return std::any_of(frames_.begin(), frames_.end(), [](const QWidget* frame) { return !frame->isHidden(); });
}

void ConsoleWindow::extensionChanged(int index)
{
    slots_[index].indicator->display(panel_->extension(index));
    showLabel(slots_[index], panel_->numberLabel(index), extensionName(index));
}

QString ConsoleWindow::extensionName(int index) const
{
    QString name = QStringLiteral("Interno ") + panel_->numberLabel(index).caption;
    if (index < NameBoxCount && !nameBoxes_[index]->text().isEmpty())
        name += QLatin1Char(' ') + nameBoxes_[index]->text();
    return name;
}

QString ConsoleWindow::lineName(int index)
{
    return QStringLiteral("Línea %1").arg(index + 1);
}

void ConsoleWindow::lineChanged(int index)
{
    lines_[index].indicator->display(panel_->line(index));
    showLabel(lines_[index], panel_->lineLabel(index), lineName(index));
}

// A label's caption and tooltip, and the element's name and state for screen
// readers, each touched only when it changed. A screen reader speaks the name
// on focus but not its changes: the focused element's new state is announced.
void ConsoleWindow::showLabel(const Element& element, const PanelLabel& model, const QString& name)
{
    ClickLabel* label = element.label;
    if (label->text() != model.caption)
        label->setText(model.caption);
    const bool newState = label->toolTip() != model.tooltip;
    const QString spoken = model.tooltip.isEmpty() ? name : name + QStringLiteral(", ") + model.tooltip;
    if (label->accessibleName() != spoken) {
        label->setAccessibleName(spoken);
        element.indicator->setAccessibleName(spoken);
    }
    if (!newState)
        return;
    label->setToolTip(model.tooltip);
    label->setAccessibleDescription(model.tooltip);
    element.indicator->setAccessibleDescription(model.tooltip);
    if (label->hasFocus())
        announcer_->announce(spoken);
}

void ConsoleWindow::commandButtonsChanged()
{
    showButton(cutButton_, panel_->cutButton());
    showButton(retrieveButton_, panel_->retrieveButton());
}

void ConsoleWindow::windowChanged()
{
    setWindowTitle(panel_->caption());
    setAccessibleName(panel_->caption());
    directoryButton_->setEnabled(panel_->directoryEnabled());
}

// One message for the calls that came together, so that a screen reader that
// reads the announcer's name a moment later still finds them all.
void ConsoleWindow::showWaitingCalls(const std::vector<WaitingCall>& calls)
{
    std::bitset<wire::StatusFrameLength> now;
    QStringList callers;
    for (const WaitingCall& call : calls) {
        now.set(call.position);
        if (waiting_.test(call.position))
            continue;
        const int p = call.position;
        const bool line = p >= wire::ExtensionSlots;
        callers << (line ? lineName(p - wire::ExtensionSlots) : extensionName(p));
    }
    waiting_ = now;
    if (!callers.isEmpty())
        announcer_->announce(QStringLiteral("Llamada pendiente: ") + callers.join(QStringLiteral(", ")));
}

void ConsoleWindow::focusExitButton()
{
    exitButton_->setFocus(Qt::OtherFocusReason);
}

void ConsoleWindow::say(const QString& text)
{
    announcer_->announce(text);
}

void ConsoleWindow::setNameBoxVisible(int index, bool visible)
{
    nameBoxes_[index]->setVisible(visible);
}

void ConsoleWindow::setNameBoxReadOnly(int index, bool readOnly)
{
    nameBoxes_[index]->setReadOnly(readOnly);
}

bool ConsoleWindow::nameBoxReadOnly(int index) const
{
    return nameBoxes_[index]->isReadOnly();
}

QString ConsoleWindow::nameBoxText(int index) const
{
    return nameBoxes_[index]->text();
}

void ConsoleWindow::setNameBoxText(int index, const QString& text)
{
    nameBoxes_[index]->setText(text);
}

void ConsoleWindow::selectAllNameBoxText(int index)
{
    nameBoxes_[index]->selectAll();
}

void ConsoleWindow::setNameBoxFontSize(int index, int points)
{
    QFont font = nameBoxes_[index]->font();
    font.setPointSize(points);
    nameBoxes_[index]->setFont(font);
}

void ConsoleWindow::focusNameBox(int index)
{
    nameBoxes_[index]->setFocus(Qt::OtherFocusReason);
}

void ConsoleWindow::showTypedDigits(const QString& digits)
{
    typedDigits_->setText(digits);
    typedDigits_->setVisible(!digits.isEmpty());
}

// The window's background, panels included, from the picture drawn once.
void ConsoleWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    pictures_.paintBackdrop(painter, event->rect(), event->rect(), devicePixelRatioF());
}
