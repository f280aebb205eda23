#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

// An application-wide watch over key presses bound for one view's window while that window is
// the active one. The handler sees each press before any widget or shortcut does and returns
// true to consume it. Installed on construction, removed on destruction.
//
// Qt offers a press to its shortcuts (as a ShortcutOverride) before delivering it, so the
// handler runs at that first sight: a press it consumes is claimed from the shortcuts, and the
// KeyPress that follows is swallowed without asking the handler again.
class PanelKeyMonitor : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<bool(const QKeyEvent &)>;

    PanelKeyMonitor(QWidget *view, Handler handler);
    ~PanelKeyMonitor() override;

    // Stops handling presses at once and deletes the monitor when control is back in the
    // event loop, so the handler may remove its own monitor (a confirm that hides the panel
    // does). Until then it still swallows the press it has claimed.
    void retire();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PressKey
    {
        int key;
        int modifiers;
        quint64 timestamp;
        bool operator==(const PressKey &) const = default;
    };

    bool isBoundForActiveWindow(QObject *receiver) const;
    static PressKey pressKey(const QKeyEvent &event);

    QPointer<QWidget> m_view;
    Handler m_handler;
    std::optional<PressKey> m_claimed;
};
