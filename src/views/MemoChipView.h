#pragma once

#include "views/PanelItemView.h"

#include <QUuid>
#include <functional>

struct Memo;
class ElidedLabel;
class QLabel;
class QMenu;

// One memo in the memo strip: an optional "📌" and the memo's display title.
// A chip shows the memo as it was at the last reload; it never changes its look.
class MemoChipView : public PanelItemView
{
    Q_OBJECT

public:
    static constexpr int minimumChipWidth = 72;
    static constexpr int maximumChipWidth = 140;
    static constexpr int chipHeight = 32;

    MemoChipView(const Memo &memo, bool isActive, QWidget *parent = nullptr);

    std::function<void(const QUuid &)> onSelect;
    std::function<void(const QUuid &)> onEdit;
    std::function<void(const QUuid &)> onDelete;
    std::function<void(const QUuid &)> onTogglePin;

    QUuid memoID() const { return m_memoID; }
    bool isPinned() const { return m_isPinned; }
    bool isActive() const { return m_isActive; }
    QLabel *pinLabel() const { return m_pinLabel; }
    ElidedLabel *label() const { return m_label; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDown(int clickCount) override;
    void rightMouseDown() override;
    void applyLook() override;

private:
    void buildLayout();
    void send(const std::function<void(const QUuid &)> &closure) const;
    // The chip's context menu; it deletes itself when closed.
    QMenu *makeContextMenu();

    const QUuid m_memoID;
    const bool m_isPinned;
    const bool m_isActive;
    QLabel *m_pinLabel;
    ElidedLabel *m_label;
};
