#pragma once

#include "windows/PanelScreenCorner.h"

#include <QWidget>

#include <functional>
#include <memory>

struct Card;
class CardListViewController;
class CardStore;
struct Memo;
class MemoPanelViewController;
class MemoStore;
class PanelKeyMonitor;
class PasteInputViewController;
class QKeyEvent;
class ZorvBrandMarkView;

// The panel's contents: the editor above the memo strip, the history column on the right, two
// hairline dividers and the faint brand mark. It records each confirm (card, active memo) before
// handing over to the window, loads chosen cards and memos into the editor, and watches the
// panel's own shortcuts while the panel is the active window.
class MainPanelViewController : public QWidget
{
    Q_OBJECT

public:
    static constexpr int topBand = 27; // the title bar and its buttons lie above
    static constexpr int historyWidth = 120;
    static constexpr int historyGap = 4;
    static constexpr int memoStripHeight = 112;
    static constexpr int dividerInset = 12;
    static constexpr int dividerBottomInset = 10;
    static constexpr int brandMarkTrailing = 14;
    static constexpr int brandMarkBottom = 10;
    static constexpr double brandMarkAlpha = 0.28;

    // onOpenSettings and onCollapse are the card list's header buttons.
    MainPanelViewController(CardStore &cardStore, MemoStore &memoStore,
                            std::function<void()> onOpenSettings, std::function<void()> onCollapse,
                            QWidget *parent = nullptr);
    ~MainPanelViewController() override;

    std::function<void(PanelScreenCorner)> onSnapCorner;
    std::function<void()> onPasteConfirmed;

    // Makes the editor's text view the focus widget.
    void focusEditor();
    // The editor's whole text, folded lines included: what goes into memos.
    QString editorText() const;

    PasteInputViewController *inputViewController() const { return m_inputViewController; }
    MemoPanelViewController *memoPanelViewController() const { return m_memoPanelViewController; }
    CardListViewController *cardListViewController() const { return m_cardListViewController; }
    QWidget *verticalDivider() const { return m_verticalDivider; }
    QWidget *inputMemoDivider() const { return m_inputMemoDivider; }
    ZorvBrandMarkView *brandMarkView() const { return m_brandMarkView; }
    bool hasKeyMonitor() const { return m_keyMonitor != nullptr; }

    void pasteInputDidConfirm(const QString &text);
    void cardListDidRequestEdit(const Card &card);
    void memoPanelDidRequestEdit(const Memo &memo);
    // The memo strip's "反映": the editor's whole text goes into the active memo (or a new one
    // when the active memo holds text the editor never held).
    void applyInputToMemo();

    // The panel's shortcuts; true when the press is used up. Called by the key monitor while
    // the panel's window is active.
    bool handleKeyDown(const QKeyEvent &event);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadView();
    void layoutSubviews();
    void loadIntoEditor(const QString &text);
    bool snapToCorner(const QKeyEvent &event);

    CardStore &m_cardStore;
    MemoStore &m_memoStore;
    PasteInputViewController *m_inputViewController;
    MemoPanelViewController *m_memoPanelViewController;
    CardListViewController *m_cardListViewController;
    QWidget *m_verticalDivider;
    QWidget *m_inputMemoDivider;
    ZorvBrandMarkView *m_brandMarkView;
    std::unique_ptr<PanelKeyMonitor> m_keyMonitor;
};
