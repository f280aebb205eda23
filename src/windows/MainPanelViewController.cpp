#include "windows/MainPanelViewController.h"

#include "editor/PasteInputTextView.h"
#include "editor/PasteInputViewController.h"
#include "model/Card.h"
#include "model/CardStore.h"
#include "model/Memo.h"
#include "model/MemoStore.h"
#include "platform/KeyCharacters.h"
#include "views/CardListViewController.h"
#include "views/MemoPanelViewController.h"
#include "views/ViewLook.h"
#include "windows/PanelKeyChord.h"
#include "windows/PanelKeyMonitor.h"
#include "windows/ZorvBrandMarkView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace {

// A one-point line of a translucent colour over whatever lies behind it.
class DividerView : public QWidget
{
public:
    DividerView(const QColor &color, QWidget *parent)
        : QWidget(parent)
        , m_color(color)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), m_color); }

private:
    QColor m_color;
};

} // namespace

MainPanelViewController::MainPanelViewController(CardStore &cardStore, MemoStore &memoStore,
                                                 std::function<void()> onOpenSettings,
                                                 std::function<void()> onCollapse, QWidget *parent)
    : QWidget(parent)
    , m_cardStore(cardStore)
    , m_memoStore(memoStore)
    , m_inputViewController(new PasteInputViewController(this))
    , m_memoPanelViewController(new MemoPanelViewController(memoStore, this))
    , m_cardListViewController(new CardListViewController(cardStore, std::move(onOpenSettings),
                                                          std::move(onCollapse), this))
    , m_verticalDivider(new DividerView(ViewLook::withAlpha(Qt::black, 0.12), this))
    , m_inputMemoDivider(new DividerView(ViewLook::withAlpha(Qt::black, 0.08), this))
    , m_brandMarkView(new ZorvBrandMarkView(this))
{
    loadView();
}

MainPanelViewController::~MainPanelViewController() = default;

void MainPanelViewController::loadView()
{
    // The panel's translucent backdrop shows through: the root view paints nothing.
    setAutoFillBackground(false);

    // Stacking from bottom to top: editor, input/memo divider, memo strip, vertical divider,
    // history, brand mark.
    m_inputMemoDivider->stackUnder(m_memoPanelViewController);
    m_verticalDivider->stackUnder(m_cardListViewController);
    m_brandMarkView->raise();

    m_brandMarkView->watermarkAlpha = brandMarkAlpha;
    m_brandMarkView->setAlpha(brandMarkAlpha);

    connect(m_inputViewController, &PasteInputViewController::pasteInputDidConfirm, this,
            &MainPanelViewController::pasteInputDidConfirm);
    connect(m_memoPanelViewController, &MemoPanelViewController::memoPanelDidRequestEdit, this,
            &MainPanelViewController::memoPanelDidRequestEdit);
    connect(m_cardListViewController, &CardListViewController::cardListDidRequestEdit, this,
            &MainPanelViewController::cardListDidRequestEdit);
    QPointer<MainPanelViewController> panel(this);
    m_memoPanelViewController->onApplyInputToMemo = [panel] {
        if (panel)
            panel->applyInputToMemo();
    };
    // Whatever replaces the editor's text ends its tie to a memo; a memo's own text ties it anew.
    connect(m_inputViewController, &PasteInputViewController::textLoaded, this,
            [this] { m_memoStore.editorDidLoadOtherText(); });
    layoutSubviews();
}

void MainPanelViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutSubviews();
}

void MainPanelViewController::layoutSubviews()
{
    const int w = width();
    const int h = height();
    const int historyLeft = w - historyWidth;
    const int dividerLeft = historyLeft - historyGap - 1;
    const int memoTop = h - memoStripHeight;
    const int inputMemoDividerTop = memoTop - 1;

    m_inputViewController->setGeometry(0, topBand, dividerLeft, inputMemoDividerTop - topBand);
    m_inputMemoDivider->setGeometry(dividerInset, inputMemoDividerTop,
                                    dividerLeft - 2 * dividerInset, 1);
    m_memoPanelViewController->setGeometry(0, memoTop, dividerLeft, memoStripHeight);
    m_verticalDivider->setGeometry(dividerLeft, topBand, 1, h - dividerBottomInset - topBand);
    m_cardListViewController->setGeometry(historyLeft, topBand, historyWidth, h - topBand);

    const QSize mark = m_brandMarkView->sizeHint();
    m_brandMarkView->setGeometry(w - brandMarkTrailing - mark.width(),
                                 h - brandMarkBottom - mark.height(), mark.width(), mark.height());
}

void MainPanelViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_keyMonitor)
        return;
    QPointer<MainPanelViewController> panel(this);
    m_keyMonitor = std::make_unique<PanelKeyMonitor>(
        this, [panel](const QKeyEvent &key) { return panel && panel->handleKeyDown(key); });
}

void MainPanelViewController::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // The hide may come from inside the monitor's own handler: a confirm that collapses.
    if (m_keyMonitor)
        m_keyMonitor.release()->retire();
}

void MainPanelViewController::focusEditor()
{
    m_inputViewController->textView()->setFocus(Qt::OtherFocusReason);
}

QString MainPanelViewController::editorText() const
{
    // Folding only hides lines from view: a memo that follows the editor would otherwise lose
    // them.
    return m_inputViewController->expandedText();
}

void MainPanelViewController::pasteInputDidConfirm(const QString &text)
{
    m_cardStore.add(text);
    // The memo keeps the editor's whole text, not only the trimmed copy.
    applyInputToMemo();
    if (onPasteConfirmed)
        onPasteConfirmed();
}

void MainPanelViewController::cardListDidRequestEdit(const Card &card)
{
    loadIntoEditor(card.text);
}

void MainPanelViewController::memoPanelDidRequestEdit(const Memo &memo)
{
    loadIntoEditor(memo.text);
    m_memoStore.editorDidLoadMemo(memo.id);
}

void MainPanelViewController::loadIntoEditor(const QString &text)
{
    m_inputViewController->loadText(text);
    focusEditor();
}

void MainPanelViewController::applyInputToMemo()
{
    m_memoStore.writeEditorText(editorText());
}

bool MainPanelViewController::handleKeyDown(const QKeyEvent &event)
{
    const QString characters = charactersIgnoringModifiers(event);
    switch (panelKeyChord(event.key(), event.modifiers(), characters)) {
    case PanelKeyChord::clearEditor:
        m_inputViewController->loadText(QString());
        return true;
    case PanelKeyChord::unfoldAll:
        m_inputViewController->unfoldAll();
        return true;
    case PanelKeyChord::confirm:
        m_inputViewController->confirmText();
        return true;
    case PanelKeyChord::none:
        break;
    }
    if (m_cardListViewController->handleKeyDown(event))
        return true;
    return snapToCorner(event);
}

bool MainPanelViewController::snapToCorner(const QKeyEvent &event)
{
    const auto corner = panelSnapCorner(event.modifiers(), charactersIgnoringModifiers(event));
    if (!corner)
        return false;
    if (onSnapCorner)
        onSnapCorner(*corner);
    return true;
}
