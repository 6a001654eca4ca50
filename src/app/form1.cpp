#include "app/form1.h"

#include "app/arial_font.h"
#include "app/call_announcer.h"
#include "app/click_label.h"
#include "app/indicator_widget.h"
#include "app/name_box.h"
#include "app/panel_focus.h"
#include "app/qt_colour.h"
#include "console/call_entry.h"
#include "console/panel.h"
#include "console/panel_geometry.h"
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
constexpr Colour CortaBackground = 0x000000FF;
constexpr Colour RecuperaBackground = 0x00FFFFC0;

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

// A label's caption and tooltip, and the element's name and state for screen
// readers, each touched only when it changed.
void showLabel(ClickLabel* label, IndicatorWidget* indicator, const PanelLabel& model, const QString& name)
{
    if (label->text() != model.caption)
        label->setText(model.caption);
    if (label->accessibleName() != name) {
        label->setAccessibleName(name);
        indicator->setAccessibleName(name);
    }
    if (label->toolTip() != model.tooltip) {
        label->setToolTip(model.tooltip);
        label->setAccessibleDescription(model.tooltip);
        indicator->setAccessibleDescription(model.tooltip);
    }
}

void showButton(QPushButton* b, const CommandButton& model)
{
    b->setText(model.caption);
    b->setAccessibleName(model.caption);
    b->setVisible(model.visible);
}

} // namespace

Form1::Form1(QWidget* parent)
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

void Form1::buildSlots()
{
    for (int i = 0; i < protocol::ExtensionSlots; ++i)
        slots_[i] = buildElement(geometry::extensionIndicator(i), geometry::numberLabel(i), NumberLabelPoints,
            geometry::extensionOverlay(i));
}

void Form1::buildLines()
{
    for (int k = 0; k < protocol::OutsideLines; ++k)
        lines_[k] = buildElement(
            geometry::lineIndicator(k), geometry::lineLabel(k), LineLabelPoints, geometry::lineOverlay(k));
}

// An indicator, its label and the overlay made after it, so that it lies on top.
Form1::Element Form1::buildElement(
    const QRect& indicator, const QRect& label, qreal labelPoints, const QRect& overlayArea)
{
    Element element;
    element.indicator = new IndicatorWidget(pictures_, this);
    place(element.indicator, indicator);
    element.label = captionLabel(this, label, labelPoints);
    element.overlay = overlay(this, overlayArea);
    return element;
}

void Form1::buildNameBoxes()
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

void Form1::buildButtons()
{
    const QFont command = arialFont(CommandPoints, true);
    cmdCorta_ = button(this, geometry::cmdCorta(), QStringLiteral("CORTA"), command);
    setColour(cmdCorta_, QPalette::Button, CortaBackground);
    setColour(cmdCorta_, QPalette::ButtonText, White);
    cmdCorta_->hide();
    cmdRecupera_ = button(this, geometry::cmdRecupera(), QString(), command);
    setColour(cmdRecupera_, QPalette::Button, RecuperaBackground);
    cmdRecupera_->hide();

    const QFont plain = arialFont(ButtonPoints, true);
    command1_ = button(this, geometry::command1(), QStringLiteral("AGENDA"), plain);
    command1_->setEnabled(false);
    cmdexit_ = button(this, geometry::cmdExit(), QStringLiteral("&Salir"), plain);
    cmdexit_->setToolTip(QStringLiteral("Sale de modo consola"));
    cmdexit_->setAccessibleDescription(cmdexit_->toolTip());
    buildCallListButton(plain);
}

void Form1::buildCallListButton(const QFont& font)
{
    llamadas_ = button(this, geometry::callList(), QStringLiteral("LLAMADAS"), font);
    llamadas_->setObjectName(QStringLiteral("callListButton"));
    llamadas_->setFocusPolicy(Qt::NoFocus);
    llamadas_->setToolTip(QStringLiteral("Llamadas en espera y llamadas de hoy"));
    llamadas_->setAccessibleDescription(llamadas_->toolTip());
}

// The panel's Tab stop and ring (lines, then slots, as the panel reads from
// the top), the typed digits and the announcer of waiting calls.
void Form1::buildKeyboardAids()
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

    announcer_ = new CallAnnouncer(this);
}

void Form1::bind(const Panel& panel, OperatorCommands& commands, NameBoxes& nameBoxes)
{
    panel_ = &panel;
    for (int i = 0; i < protocol::ExtensionSlots; ++i) {
        bindSlot(i, commands, nameBoxes);
        extensionChanged(i);
    }
    for (int k = 0; k < protocol::OutsideLines; ++k) {
        bindLine(k, commands);
        lineChanged(k);
    }
    connect(cmdCorta_, &QPushButton::clicked, this, [&commands] { commands.cortaPressed(); });
    connect(cmdRecupera_, &QPushButton::clicked, this,
        [this, &commands] { commands.recuperaPressed(cmdRecupera_->text()); });
    commandButtonsChanged();
    windowChanged();
}

void Form1::bindSlot(int index, OperatorCommands& commands, NameBoxes& nameBoxes)
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

void Form1::bindLine(int index, OperatorCommands& commands)
{
    const ClickTarget clicks{
        [&commands](MouseButton b) { commands.press(b); }, [&commands, index] { commands.lineClick(index); }};
    lines_[index].label->clicks = clicks;
    lines_[index].overlay->clicks = clicks;
}

void Form1::hostFrame(QWidget* frame, const QPoint& twips)
{
    frame->setParent(this);
    frame->move(geometry::toPixels(twips));
    frame->raise();
    frames_.push_back(frame);
}

bool Form1::frameShown() const
{
    return std::any_of(frames_.begin(), frames_.end(), [](const QWidget* frame) { return !frame->isHidden(); });
}

void Form1::extensionChanged(int index)
{
    slots_[index].indicator->display(panel_->extension(index));
    showLabel(slots_[index].label, slots_[index].indicator, panel_->numberLabel(index), extensionName(index));
}

QString Form1::extensionName(int index) const
{
    QString name = QStringLiteral("Interno ") + panel_->numberLabel(index).caption;
    if (index < NameBoxCount && !nameBoxes_[index]->text().isEmpty())
        name += QLatin1Char(' ') + nameBoxes_[index]->text();
    return name;
}

void Form1::lineChanged(int index)
{
    lines_[index].indicator->display(panel_->line(index));
    showLabel(lines_[index].label, lines_[index].indicator, panel_->lineLabel(index),
        QStringLiteral("Línea %1").arg(index + 1));
}

void Form1::commandButtonsChanged()
{
    showButton(cmdCorta_, panel_->corta());
    showButton(cmdRecupera_, panel_->recupera());
}

void Form1::windowChanged()
{
    setWindowTitle(panel_->caption());
    setAccessibleName(panel_->caption());
    command1_->setEnabled(panel_->agendaEnabled());
}

// One message for the calls that came together, so that a screen reader that
// reads the announcer's name a moment later still finds them all.
void Form1::showWaitingCalls(const std::vector<WaitingCall>& calls)
{
    std::bitset<protocol::StatusFrameLength> now;
    QStringList callers;
    for (const WaitingCall& call : calls) {
        now.set(call.position);
        if (waiting_.test(call.position))
            continue;
        const int p = call.position;
        const bool line = p >= protocol::ExtensionSlots;
        callers << (line ? lines_[p - protocol::ExtensionSlots] : slots_[p]).label->accessibleName();
    }
    waiting_ = now;
    if (!callers.isEmpty())
        announcer_->announce(QStringLiteral("Llamada pendiente: ") + callers.join(QStringLiteral(", ")));
}

void Form1::focusSalir()
{
    cmdexit_->setFocus(Qt::OtherFocusReason);
}

void Form1::setNameBoxVisible(int index, bool visible)
{
    nameBoxes_[index]->setVisible(visible);
}

void Form1::setNameBoxReadOnly(int index, bool readOnly)
{
    nameBoxes_[index]->setReadOnly(readOnly);
}

bool Form1::nameBoxReadOnly(int index) const
{
    return nameBoxes_[index]->isReadOnly();
}

QString Form1::nameBoxText(int index) const
{
    return nameBoxes_[index]->text();
}

void Form1::setNameBoxText(int index, const QString& text)
{
    nameBoxes_[index]->setText(text);
}

void Form1::selectAllNameBoxText(int index)
{
    nameBoxes_[index]->selectAll();
}

void Form1::setNameBoxFontSize(int index, int points)
{
    QFont font = nameBoxes_[index]->font();
    font.setPointSize(points);
    nameBoxes_[index]->setFont(font);
}

void Form1::focusNameBox(int index)
{
    nameBoxes_[index]->setFocus(Qt::OtherFocusReason);
}

void Form1::showTypedDigits(const QString& digits)
{
    typedDigits_->setText(digits);
    typedDigits_->setVisible(!digits.isEmpty());
}

// The window's background, panels included, from the picture drawn once.
void Form1::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    pictures_.paintBackdrop(painter, event->rect(), event->rect(), devicePixelRatioF());
}
