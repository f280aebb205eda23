#include "views/ClickCounter.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

int ClickCounter::registerClick(const QMouseEvent &event)
{
    const bool isDoubleClick = event.type() == QEvent::MouseButtonDblClick;
    if (followsPreviousClick(event))
        ++m_count;
    else
        m_count = isDoubleClick ? 2 : 1;
    // Qt has already decided this is the second click, whatever our own clock says.
    if (isDoubleClick && m_count < 2)
        m_count = 2;
    m_lastTimestamp = event.timestamp();
    m_lastPosition = event.position();
    return m_count;
}

bool ClickCounter::followsPreviousClick(const QMouseEvent &event) const
{
    if (m_count == 0 || event.timestamp() < m_lastTimestamp)
        return false;
    const QStyleHints *hints = QGuiApplication::styleHints();
    const quint64 interval = quint64(hints->mouseDoubleClickInterval());
    const QPointF moved = event.position() - m_lastPosition;
    return event.timestamp() - m_lastTimestamp <= interval &&
           moved.manhattanLength() <= hints->mouseDoubleClickDistance();
}
