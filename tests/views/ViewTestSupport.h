#pragma once

#include "model/DataFolder.h"
#include "platform/PreferencesStore.h"

#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QtTest>
#include <functional>

// Helpers shared by the view tests.
namespace ViewTest {

inline void resetUserData()
{
    QStandardPaths::setTestModeEnabled(true);
    PreferencesStore::standard().clear();
    if (const QString folder = dataFolderURL(); !folder.isEmpty())
        QDir(folder).removeRecursively();
}

// Views rebuild one event-loop turn after a store change; deleted rows go with it.
inline void turn()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Clicks `count` times in one series as the desktop stamps it, on target() at each click.
inline void clickSeries(const std::function<QWidget *()> &target, int count,
                        const std::function<void()> &afterFirst = {})
{
    const ulong start = ulong(QTest::lastMouseTimestamp) + 1000; // clear of QTest's own clicks
    QTest::lastMouseTimestamp += 3000;
    for (int click = 1; click <= count; ++click) {
        QWidget *widget = target();
        const QPointF at = widget->rect().center();
        const QPointF global = widget->mapToGlobal(at);
        const ulong time = start + ulong(click) * 120;
        QMouseEvent down(click == 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, at,
                         global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        down.setTimestamp(time);
        QCoreApplication::sendEvent(widget, &down);
        QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        up.setTimestamp(time + 40);
        QCoreApplication::sendEvent(widget, &up);
        if (click == 1 && afterFirst)
            afterFirst();
        turn();
    }
}

// Counts the widgets that join `parent`, so the count tells how often its rows were rebuilt.
class ChildAddedCounter : public QObject
{
public:
    explicit ChildAddedCounter(QObject *parent) { parent->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::ChildAdded;
        return false;
    }
};

// Right-clicks `widget` and picks `title` from the menu under `owner`; false if there is none.
inline bool pickFromMenu(QWidget *widget, QWidget *owner, const QString &title)
{
    QTest::mouseClick(widget, Qt::RightButton);
    for (QMenu *menu : owner->findChildren<QMenu *>()) {
        for (QAction *action : menu->isVisible() ? menu->actions() : QList<QAction *>()) {
            if (action->text() == title) {
                action->trigger();
                menu->close();
                return true;
            }
        }
    }
    return false;
}

// Puts `widget` in a window of the dark theme's colours.
inline void makeDark(QWidget *widget)
{
    QPalette dark = widget->palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 32));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 240));
    widget->setPalette(dark);
    widget->setAutoFillBackground(true);
}

} // namespace ViewTest
