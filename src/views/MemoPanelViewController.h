#pragma once

#include "model/Memo.h"
#include "views/CoalescedReload.h"

#include <QUuid>
#include <QWidget>
#include <functional>

class MemoChipView;
class MemoStore;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;

// The memo strip: a title line with "＋", "反映" and "MD保存", then the folder button and a
// scrolling row of memo chips. It owns no data; it renders the memo store, one event-loop
// turn after the store changes (once for all the changes made by one event) and at once when
// the settings change.
class MemoPanelViewController : public QWidget
{
    Q_OBJECT

public:
    explicit MemoPanelViewController(MemoStore &memoStore, QWidget *parent = nullptr);

    // Run by "反映"; supplied when the main panel is assembled.
    std::function<void()> onApplyInputToMemo;

    void reloadChips();

    QLabel *titleLabel() const { return m_titleLabel; }
    QPushButton *folderButton() const { return m_folderButton; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *applyButton() const { return m_applyButton; }
    QPushButton *saveButton() const { return m_saveButton; }
    QScrollArea *scrollView() const { return m_scrollView; }
    QWidget *stackView() const { return m_stackView; }
    // The arranged views of the chip row, in order: chips and labels.
    QList<QWidget *> arrangedViews() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The main panel puts the memo's text into the editor and focuses it.
    void memoPanelDidRequestEdit(const Memo &memo);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyScrollerLook();
    void buildTitleLine();
    void buildFolderButton();
    void buildScrollView();
    void installObservers();
    void layOutSubviews();
    void clearArrangedViews();
    void addArrangedView(QWidget *view);
    MemoChipView *makeChip(const Memo &memo, bool isActive);
    QLabel *makeHiddenCountLabel(qsizetype hidden);

    void reloadFromSettings();
    void openFolderTapped();
    void addMemoTapped();
    void applyInputToMemoTapped();
    void saveMarkdownTapped();
    void selectMemo(const QUuid &id);
    void editMemo(const QUuid &id);

    MemoStore *m_memoStore;
    QLabel *m_titleLabel;
    QPushButton *m_folderButton;
    QPushButton *m_addButton;
    QPushButton *m_applyButton;
    QPushButton *m_saveButton;
    QScrollArea *m_scrollView;
    QWidget *m_stackView;
    QHBoxLayout *m_stackLayout;
    QScrollBar *m_scroller;
    CoalescedReload m_storeReload;
};
