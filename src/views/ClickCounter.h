#pragma once

#include <QPointF>

class QMouseEvent;

// Numbers successive left clicks the way the desktop counts them (1, 2, 3, ...).
// Qt reports the second click of a double click as a DblClick event and the third as a
// plain press again; PanelItemView needs the running count to tell a triple click apart.
class ClickCounter
{
public:
    // One count for the whole application, as the desktop keeps it: a click often makes
    // the list rebuild its rows, so the next click of the series lands on a new widget.
    static ClickCounter &shared();

    // The count of this press or double-click event.
    int registerClick(const QMouseEvent &event);

private:
    bool followsPreviousClick(const QMouseEvent &event) const;

    int m_count = 0;
    quint64 m_lastTimestamp = 0;
    QPointF m_lastPosition; // global
};
