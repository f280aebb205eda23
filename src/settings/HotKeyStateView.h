#pragma once

#include "model/ToggleHotkeyPreset.h"
#include "platform/HotKeyStatus.h"

#include <QWidget>

#include <optional>

class QLabel;

// The lines under "表示ホットキー": whether the hotkey works, through what, and what to do when
// it does not. On GNOME it offers to put the chosen hotkey into GNOME's own shortcuts, running
// `zorv --toggle`, and to take it out again.
class HotKeyStateView : public QWidget
{
    Q_OBJECT

public:
    explicit HotKeyStateView(QWidget *parent = nullptr);

    void setStatus(const HotKeyStatus &status);
    void setChosenPreset(ToggleHotkeyPreset preset) { m_preset = preset; }

public Q_SLOTS:
    void installGnomeShortcut();
    void removeGnomeShortcut();

private:
    QWidget *gnomeRow();
    void showGnomeShortcut(const QString &failure = {});
    void showState();

    QLabel *m_stateLabel;
    QLabel *m_gnomeLabel = nullptr;
    ToggleHotkeyPreset m_preset = ToggleHotkeyPreset::controlReturn;
    HotKeyStatus m_status;
    // Our entry's binding while it is among GNOME's shortcuts.
    std::optional<QString> m_gnomeBinding;
};
