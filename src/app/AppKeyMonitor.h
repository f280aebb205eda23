#pragma once

#include "windows/PanelScreenCorner.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>

class FloatingWindowController;

// What the application-wide key monitor does with one key press.
struct AppKeyDecision
{
    enum class Command { letThrough, quit, collapse, snap };
    Command command = Command::letThrough;
    std::optional<PanelScreenCorner> corner;
};

// The application-wide shortcuts: Ctrl+Q saves and quits, Ctrl+W collapses the shown panel,
// Super+1/0/2/9 snap it to a corner. Keys are in Qt's Mac convention (Ctrl = Command, Super =
// Control), `characters` is the key's character ignoring modifiers.
AppKeyDecision decideAppKey(int key, Qt::KeyboardModifiers modifiers, const QString &characters,
                            bool hasWindowController, bool panelVisible);

// Watches key presses addressed to any of Zorv's windows and consumes the ones it acts on.
class AppKeyMonitor : public QObject
{
    Q_OBJECT

public:
    AppKeyMonitor(QPointer<FloatingWindowController> windowController,
                  std::function<void()> onQuit);
    ~AppKeyMonitor() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppKeyDecision decide(const QEvent *event) const;

    QPointer<FloatingWindowController> m_windowController;
    std::function<void()> m_onQuit;
};
