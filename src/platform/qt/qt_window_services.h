#pragma once

#include "platform/window_services.h"

#include <QMenu>
#include <QObject>

class QAction;
class QWidget;

// The console's main window as the shell drives it, with the icon's popup
// menu ("Mostrar", "Salir"). Watches the window for state changes and for
// closes that the program did not ask for.
class QtWindowServices final : public QObject, public WindowServices
{
    Q_OBJECT
public:
    explicit QtWindowServices(QWidget& window);

    bool minimised() const override;
    void showNormal() override;
    void hide() override;
    void bringToFront() override;
    void minimise() override;
    MenuChoice popupMenu(bool showEntryVisible) override;
    void close() override;

    QMenu& menu() { return menu_; }
    // The system ends the program (session end, termination): the window
    // closes without asking anything.
    void endSession();

signals:
    // The program closed the window for good.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QMenu menu_;
    QAction* showAction_;
    QAction* exitAction_;
    bool closed_ = false;
    bool inCloseEvent_ = false;
    bool sessionEnding_ = false;
};
