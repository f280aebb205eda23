#include "windows/PanelKeyMonitor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

PanelKeyMonitor::PanelKeyMonitor(QWidget *view, Handler handler)
    : m_view(view)
    , m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

PanelKeyMonitor::~PanelKeyMonitor()
{
    qApp->removeEventFilter(this);
}

void PanelKeyMonitor::retire()
{
    m_view = nullptr;
    deleteLater();
}

bool PanelKeyMonitor::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    const auto &keyEvent = static_cast<const QKeyEvent &>(*event);
    // The claimed press is swallowed even when the handler has since hidden the panel:
    // otherwise the editor would see a confirm chord a second time.
    if (type == QEvent::KeyPress && m_claimed) {
        const bool claimed = *m_claimed == pressKey(keyEvent);
        m_claimed.reset();
        if (claimed)
            return true;
    }
    if (!isBoundForActiveWindow(watched))
        return false;
    if (!m_handler(keyEvent))
        return false;
    if (type == QEvent::ShortcutOverride) {
        m_claimed = pressKey(keyEvent);
        event->accept();
    }
    return true;
}

bool PanelKeyMonitor::isBoundForActiveWindow(QObject *receiver) const
{
    if (!m_view || !m_view->isVisible())
        return false;
    QWidget *window = m_view->window();
    if (!window->isActiveWindow())
        return false;
    // A press goes first to the native window and then to the focus widget; popups and other
    // top-level windows of the application are not the panel.
    if (auto *widget = qobject_cast<QWidget *>(receiver))
        return widget->window() == window;
    if (auto *nativeWindow = qobject_cast<QWindow *>(receiver))
        return nativeWindow == window->windowHandle();
    return false;
}

PanelKeyMonitor::PressKey PanelKeyMonitor::pressKey(const QKeyEvent &event)
{
    return PressKey{event.key(), int(event.modifiers()), event.timestamp()};
}
