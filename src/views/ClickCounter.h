#pragma once

#include <QPointF>

class QMouseEvent;

// Numbers successive left clicks the way the desktop counts them (1, 2, 3, ...).
// Qt reports the second click of a double click as a DblClick event and the third as a
// plain press again; rows and chips need the running count to tell a triple click apart.
class ClickCounter
{
public:
    // The count of this press or double-click event.
    int registerClick(const QMouseEvent &event);

private:
    bool followsPreviousClick(const QMouseEvent &event) const;

    int m_count = 0;
    quint64 m_lastTimestamp = 0;
    QPointF m_lastPosition;
};
