#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QStringList>
#include <QWidget>
#include <QtTest>

#include "model/DataFolder.h"
#include "platform/PreferencesStore.h"

// Helpers shared by the view tests: a clean private data folder and preferences, the
// store-to-view turn of the event loop, mouse clicks stamped like the desktop's, menus.
namespace ViewTest {

inline void resetUserData()
{
    QStandardPaths::setTestModeEnabled(true);
    PreferencesStore::standard().clear();
    const QString folder = dataFolderURL();
    if (!folder.isEmpty())
        QDir(folder).removeRecursively();
}

// Views rebuild one event-loop turn after a store change; deleted rows go with it.
inline void turn()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The time of the first click of a new series, later than any click QTest has sent; QTest's
// own clicks stay clear of the series.
inline ulong newClickSeries()
{
    const ulong start = ulong(QTest::lastMouseTimestamp) + 1000;
    QTest::lastMouseTimestamp += 3000;
    return start;
}

// What the desktop sends for one more click of a series that began at `start` (ms):
// the second click arrives as a double click, the others as plain presses.
inline void clickInSeries(QWidget *widget, int clickNumber, ulong start,
                          Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF position = widget->rect().center();
    const QPointF global = widget->mapToGlobal(position);
    const ulong time = start + ulong(clickNumber) * 120;
    const QEvent::Type downType =
        clickNumber == 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress;
    QMouseEvent down(downType, position, global, button, button, Qt::NoModifier);
    down.setTimestamp(time);
    QCoreApplication::sendEvent(widget, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, position, global, button, Qt::NoButton,
                   Qt::NoModifier);
    up.setTimestamp(time + 40);
    QCoreApplication::sendEvent(widget, &up);
}

// Counts the widgets that join `parent`: one per row hosted in a slot, one per chip or label
// added to the memo row, so the count tells how often they were rebuilt.
class ChildAddedCounter : public QObject
{
public:
    explicit ChildAddedCounter(QObject *parent) { parent->installEventFilter(this); }

    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded)
            ++count;
        return false;
    }
};

inline QMenu *openMenu(QWidget *owner)
{
    const QList<QMenu *> menus = owner->findChildren<QMenu *>();
    for (QMenu *menu : menus) {
        if (menu->isVisible())
            return menu;
    }
    return nullptr;
}

// Item titles in order; a separator reads "-".
inline QStringList menuTitles(const QMenu *menu)
{
    QStringList titles;
    for (const QAction *action : menu->actions())
        titles.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return titles;
}

inline QAction *menuItem(const QMenu *menu, const QString &title)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == title)
            return action;
    }
    return nullptr;
}

} // namespace ViewTest
