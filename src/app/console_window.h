#pragma once

#include "app/paint_pacer.h"
#include "app/panel_pictures.h"
#include "configuration/configuration.h"
#include "console/panel_view.h"
#include "operator/operator_view.h"
#include "wire/frame_layout.h"

#include <QWidget>

#include <array>
#include <bitset>
#include <vector>

class Announcer;
struct WaitingCall;
class ClickLabel;
class IndicatorWidget;
class NameBox;
class NameBoxes;
class OperatorCommands;
class Panel;
struct PanelLabel;
class PanelFocus;
class QLabel;
class QPushButton;

// The console's main window: the panel of extensions and lines, their name
// boxes and the command buttons, placed from the design's twips. It paints
// what the Panel model holds and forwards the operator's clicks and keys to
// the operator logic. A screen reader reads each panel element by its name,
// which ends in its state: "Línea 2, Línea libre", "Interno 23 Caja, Interno
// ocupado"; the state text is its description too. A new state of the
// element that has the focus is announced.
class ConsoleWindow final : public QWidget, public PanelView, public OperatorView
{
public:
    explicit ConsoleWindow(QWidget* parent = nullptr);

    // Ties the window to the model it paints and the logic its events reach,
    // and paints everything once.
    void bind(const Panel& panel, OperatorCommands& commands, NameBoxes& nameBoxes);

    // Buttons whose actions belong to others.
    QPushButton* directoryButton() const { return directoryButton_; }
    QPushButton* exitButton() const { return exitButton_; }
    // LLAMADAS: opens the call list; clicking it leaves the focus where it was.
    QPushButton* callListButton() const { return callListButton_; }
    // Places a frame of another part on the window at a point in twips, above the panel.
    void hostFrame(QWidget* frame, const QPoint& twips);
    // A hosted frame is shown over the panel.
    bool frameShown() const;
    PanelFocus& panelFocus() const { return *panelFocus_; }
    QLabel* typedDigits() const { return typedDigits_; }
    Announcer* announcer() const { return announcer_; }
    // The calls waiting now, from the journal: those that were not waiting at
    // the last look are announced to a screen reader, in one message.
    void showWaitingCalls(const std::vector<WaitingCall>& calls);

    IndicatorWidget* extensionIndicator(int index) const { return slots_[index].indicator; }
    ClickLabel* numberLabel(int index) const { return slots_[index].label; }
    ClickLabel* extensionOverlay(int index) const { return slots_[index].overlay; }
    NameBox* nameBox(int index) const { return nameBoxes_[index]; }
    IndicatorWidget* lineIndicator(int index) const { return lines_[index].indicator; }
    ClickLabel* lineLabel(int index) const { return lines_[index].label; }
    ClickLabel* lineOverlay(int index) const { return lines_[index].overlay; }
    QPushButton* cutButton() const { return cutButton_; }
    QPushButton* retrieveButton() const { return retrieveButton_; }

    // PanelView
    void extensionChanged(int index) override;
    void lineChanged(int index) override;
    void commandButtonsChanged() override;
    void windowChanged() override;

    // OperatorView
    void focusExitButton() override;
    void setNameBoxVisible(int index, bool visible) override;
    void setNameBoxReadOnly(int index, bool readOnly) override;
    bool nameBoxReadOnly(int index) const override;
    QString nameBoxText(int index) const override;
    void setNameBoxText(int index, const QString& text) override;
    void selectAllNameBoxText(int index) override;
    void setNameBoxFontSize(int index, int points) override;
    void focusNameBox(int index) override;
    void showTypedDigits(const QString& digits) override;
    void say(const QString& text) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The elements of one slot or line: indicator, label and click overlay.
    struct Element {
        IndicatorWidget* indicator = nullptr;
        ClickLabel* label = nullptr;
        ClickLabel* overlay = nullptr;
    };

    void buildSlots();
    Element buildElement(const QRect& indicator, const QRect& label, qreal labelPoints, const QRect& overlayArea);
    void buildLines();
    void buildNameBoxes();
    void buildButtons();
    void buildCallListButton(const QFont& font);
    void buildKeyboardAids();
    QString extensionName(int index) const;
    static QString lineName(int index);
    void showLabel(const Element& element, const PanelLabel& model, const QString& name);
    void bindSlot(int index, OperatorCommands& commands, NameBoxes& nameBoxes);
    void bindLine(int index, OperatorCommands& commands);

    PanelPictures pictures_;
    PaintPacer pacer_{*this};
    const Panel* panel_ = nullptr;
    std::array<Element, wire::ExtensionSlots> slots_;
    std::array<Element, wire::OutsideLines> lines_;
    std::array<NameBox*, NameBoxCount> nameBoxes_{};
    QPushButton* cutButton_ = nullptr;
    QPushButton* retrieveButton_ = nullptr;
    QPushButton* directoryButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* callListButton_ = nullptr;
    PanelFocus* panelFocus_ = nullptr;
    QLabel* typedDigits_ = nullptr;
    Announcer* announcer_ = nullptr;
    std::vector<QWidget*> frames_;
    std::bitset<wire::StatusFrameLength> waiting_; // status-frame positions
};
