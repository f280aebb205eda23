#include "views/ClickCounter.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

ClickCounter &ClickCounter::shared()
{
    static ClickCounter counter;
    return counter;
}

int ClickCounter::registerClick(const QMouseEvent &event)
{
    const bool isDoubleClick = event.type() == QEvent::MouseButtonDblClick;
    if (followsPreviousClick(event))
        ++m_count;
    else // Qt may already have decided this is a second click, whatever our clock says
        m_count = isDoubleClick ? 2 : 1;
    m_lastTimestamp = event.timestamp();
    m_lastPosition = event.globalPosition();
    return m_count;
}

bool ClickCounter::followsPreviousClick(const QMouseEvent &event) const
{
    if (m_count == 0 || event.timestamp() < m_lastTimestamp)
        return false;
    const QStyleHints *hints = QGuiApplication::styleHints();
    const quint64 interval = quint64(hints->mouseDoubleClickInterval());
    const QPointF moved = event.globalPosition() - m_lastPosition;
    return event.timestamp() - m_lastTimestamp <= interval &&
           moved.manhattanLength() <= hints->mouseDoubleClickDistance();
}
