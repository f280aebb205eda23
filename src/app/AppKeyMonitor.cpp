#include "app/AppKeyMonitor.h"

#include "platform/KeyCharacters.h"
#include "windows/FloatingWindowController.h"

#include <QCoreApplication>
#include <QKeyEvent>

AppKeyDecision decideAppKey(int key, Qt::KeyboardModifiers modifiers, const QString &characters,
                            bool hasWindowController, bool panelVisible)
{
    using Command = AppKeyDecision::Command;
    const bool command = modifiers & Qt::ControlModifier;
    if (command && characters.toLower() == QLatin1String("q"))
        return {Command::quit, std::nullopt};
    if (command && key == Qt::Key_W && hasWindowController && panelVisible)
        return {Command::collapse, std::nullopt};
    const bool controlOnly =
        (modifiers & Qt::MetaModifier) && !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
    if (hasWindowController && panelVisible && controlOnly) {
        if (const auto corner = cornerForCharacters(characters))
            return {Command::snap, corner};
    }
    return {};
}

AppKeyMonitor::AppKeyMonitor(QPointer<FloatingWindowController> windowController,
                             std::function<void()> onQuit)
    : m_windowController(std::move(windowController))
    , m_onQuit(std::move(onQuit))
{
    QCoreApplication::instance()->installEventFilter(this);
}

AppKeyMonitor::~AppKeyMonitor()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

AppKeyDecision AppKeyMonitor::decide(const QEvent *event) const
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    return decideAppKey(key->key(), key->modifiers(), charactersIgnoringModifiers(*key),
                        bool(m_windowController),
                        m_windowController && m_windowController->isVisible());
}

bool AppKeyMonitor::eventFilter(QObject *watched, QEvent *event)
{
    // A key first comes as a shortcut override: claiming it keeps menu shortcuts from acting
    // before the monitor, which sees every key ahead of the menus.
    if (event->type() == QEvent::ShortcutOverride) {
        if (decide(event).command != AppKeyDecision::Command::letThrough)
            event->accept();
        return false;
    }
    // Only what reaches a window: the same press is offered again to each parent widget.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const AppKeyDecision decision = decide(event);
    switch (decision.command) {
    case AppKeyDecision::Command::letThrough:
        return false;
    case AppKeyDecision::Command::quit:
        if (m_onQuit)
            m_onQuit();
        return true;
    case AppKeyDecision::Command::collapse:
        m_windowController->collapseToPeekBar();
        return true;
    case AppKeyDecision::Command::snap:
        m_windowController->snapPanel(*decision.corner);
        return true;
    }
    return false;
}
