#pragma once

#include <QAction>
#include <QString>

#include <functional>
#include <utility>

// A menu item that carries its own closure and is its own target: `run` calls `callback`.
// Menus built for one row or chip hold their item's state in the closure, not in the menu.
class CallbackMenuItem : public QAction
{
public:
    CallbackMenuItem(const QString &title, std::function<void()> callback, QObject *parent)
        : QAction(title, parent)
        , callback(std::move(callback))
    {
        connect(this, &QAction::triggered, this, [this] { run(); });
    }

    void run()
    {
        if (callback)
            callback();
    }

    std::function<void()> callback;
};

// The memo strip's menu items behave exactly like the history's.
using MemoCallbackMenuItem = CallbackMenuItem;
