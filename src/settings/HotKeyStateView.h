#pragma once

#include "platform/HotKeyStatus.h"

#include <QWidget>

class QLabel;

// The line under "表示ホットキー" that says whether the hotkey works, through what, and what to
// do when it does not.
class HotKeyStateView : public QWidget
{
    Q_OBJECT

public:
    explicit HotKeyStateView(QWidget *parent = nullptr);

    void setStatus(const HotKeyStatus &status);

private:
    QLabel *m_stateLabel;
};
