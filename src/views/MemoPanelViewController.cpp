#include "views/MemoPanelViewController.h"

#include "model/AppSettings.h"
#include "model/Memo.h"
#include "model/MemoFolder.h"
#include "model/MemoStore.h"
#include "platform/PrivateFolder.h"
#include "platform/SettingsNotifier.h"
#include "views/MemoChipView.h"
#include "views/SaveDialogExportChooser.h"
#include "views/ViewLook.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QUrl>
#include <QWheelEvent>

namespace {

constexpr int sideInset = 16;
constexpr int rowHeight = MemoChipView::chipHeight; // the strip is one chip high
constexpr int folderButtonWidth = 22;
constexpr int overlayScrollerHeight = 5;

QIcon folderIcon(const QStyle *style)
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("folder"));
    if (!themed.isNull())
        return themed;
    return style->standardIcon(QStyle::SP_DirIcon);
}

} // namespace

MemoPanelViewController::MemoPanelViewController(MemoStore &memoStore, QWidget *parent)
    : QWidget(parent)
    , m_memoStore(&memoStore)
    , m_titleLabel(ViewLook::makeLabel(QStringLiteral("メモ（コピーしても残る）"),
                                       ViewLook::systemFont(11, QFont::DemiBold),
                                       ViewLook::calibratedWhite(0.45), this))
    , m_folderButton(new QPushButton(this))
    , m_addButton(new QPushButton(QStringLiteral("＋"), this))
    , m_applyButton(new QPushButton(QStringLiteral("反映"), this))
    , m_saveButton(new QPushButton(QStringLiteral("MD保存"), this))
    , m_scrollView(new QScrollArea(this))
    , m_stackView(new QWidget)
    , m_stackLayout(new QHBoxLayout(m_stackView))
    , m_scroller(new QScrollBar(Qt::Horizontal, m_scrollView))
    , m_storeReload(this, [this] { reloadChips(); })
{
    installObservers();
    buildTitleLine();
    buildFolderButton();
    buildScrollView();
    reloadChips();
}

void MemoPanelViewController::installObservers()
{
    QPointer<MemoPanelViewController> panel(this);
    m_memoStore->onChange = [panel] {
        if (panel)
            panel->m_storeReload.schedule();
    };
    // The context object ends the connection when the panel goes.
    connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, this,
            &MemoPanelViewController::reloadFromSettings);
}

void MemoPanelViewController::buildTitleLine()
{
    m_titleLabel->adjustSize();
    const QFont buttonFont = ViewLook::systemFont(13);
    for (QPushButton *button : {m_addButton, m_applyButton, m_saveButton}) {
        button->setFont(buttonFont);
        button->setFocusPolicy(Qt::NoFocus);
        const int titleWidth = button->fontMetrics().horizontalAdvance(button->text());
        button->setFixedSize(titleWidth + 24, 22);
    }
    m_addButton->setFixedWidth(28);
    connect(m_addButton, &QPushButton::clicked, this, &MemoPanelViewController::addMemoTapped);
    connect(m_applyButton, &QPushButton::clicked, this,
            &MemoPanelViewController::applyInputToMemoTapped);
    connect(m_saveButton, &QPushButton::clicked, this,
            &MemoPanelViewController::saveMarkdownTapped);
}

void MemoPanelViewController::buildFolderButton()
{
    ViewLook::applyInlineButtonLook(m_folderButton, false);
    m_folderButton->setIcon(folderIcon(style()));
    m_folderButton->setIconSize(QSize(16, 16));
    m_folderButton->setFixedSize(folderButtonWidth, rowHeight);
    m_folderButton->setToolTip(QStringLiteral("Memos フォルダをファイルマネージャで開く"));
    connect(m_folderButton, &QPushButton::clicked, this,
            &MemoPanelViewController::openFolderTapped);
}

void MemoPanelViewController::buildScrollView()
{
    m_stackLayout->setContentsMargins(0, 0, 0, 0);
    m_stackLayout->setSpacing(8);
    m_stackLayout->addStretch(1);

    m_scrollView->setFrameShape(QFrame::NoFrame);
    m_scrollView->setWidgetResizable(true);
    m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollView->setWidget(m_stackView);
    m_stackView->setAutoFillBackground(false); // setWidget turned it on
    m_scrollView->viewport()->setAutoFillBackground(false);
    m_scrollView->viewport()->installEventFilter(this);

    // The strip is only as high as a chip, so the scroller floats over the chips' lower
    // edge instead of taking room of its own, and shows only when the row overflows.
    applyScrollerLook();
    m_scroller->hide();
    QScrollBar *inner = m_scrollView->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, m_scroller, [this, inner](int minimum, int maximum) {
        m_scroller->setRange(minimum, maximum);
        m_scroller->setPageStep(inner->pageStep());
        m_scroller->setVisible(maximum > minimum);
    });
    connect(inner, &QScrollBar::valueChanged, m_scroller, &QScrollBar::setValue);
    connect(m_scroller, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
}

// The knob is a wash of the text colour, so it shows on a light and a dark panel alike. A
// style sheet on the scroll area itself would pin the chips to the palette of the moment.
void MemoPanelViewController::applyScrollerLook()
{
    const QColor ink = palette().color(QPalette::WindowText);
    m_scroller->setStyleSheet(
        QStringLiteral(
            "QScrollBar:horizontal { background: transparent; height: 5px; margin: 0px; }"
            "QScrollBar::handle:horizontal { background: rgba(%1, %2, %3, 0.35);"
            " border-radius: 2px; min-width: 24px; }"
            "QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal { width: 0px; }"
            "QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal {"
            " background: transparent; }")
            .arg(ink.red())
            .arg(ink.green())
            .arg(ink.blue()));
}

void MemoPanelViewController::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyScrollerLook();
}

QSize MemoPanelViewController::sizeHint() const
{
    const int titleBottom = 8 + m_titleLabel->sizeHint().height();
    return {400, titleBottom + 10 + rowHeight + 10};
}

void MemoPanelViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOutSubviews();
}

// The title sits at the top, the buttons centred on its line; the folder and chip row keep
// 10 points above the bottom edge (and at least 10 below the title).
void MemoPanelViewController::layOutSubviews()
{
    const QSize titleSize = m_titleLabel->sizeHint();
    m_titleLabel->setGeometry(sideInset, 8, titleSize.width(), titleSize.height());
    const int titleCentre = 8 + titleSize.height() / 2;
    int right = width() - sideInset;
    for (QPushButton *button : {m_saveButton, m_applyButton, m_addButton}) {
        const QSize size = button->size();
        button->move(right - size.width(), titleCentre - size.height() / 2);
        right -= size.width() + 6;
    }
    const int rowTop = qMax(8 + titleSize.height() + 10, height() - 10 - rowHeight);
    m_folderButton->move(sideInset, rowTop);
    const int scrollLeft = sideInset + folderButtonWidth + 8;
    const int scrollWidth = qMax(0, width() - 12 - scrollLeft);
    m_scrollView->setGeometry(scrollLeft, rowTop, scrollWidth, rowHeight);
    m_scroller->setGeometry(0, rowHeight - overlayScrollerHeight, scrollWidth,
                            overlayScrollerHeight);
    m_scroller->raise();
}

// A vertical wheel scrolls the row sideways: it has nothing to scroll up or down.
bool MemoPanelViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scrollView->viewport() && event->type() == QEvent::Wheel) {
        QApplication::sendEvent(m_scrollView->horizontalScrollBar(), event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QList<QWidget *> MemoPanelViewController::arrangedViews() const
{
    QList<QWidget *> views;
    for (int i = 0; i < m_stackLayout->count(); ++i) {
        if (QWidget *view = m_stackLayout->itemAt(i)->widget())
            views.append(view);
    }
    return views;
}

void MemoPanelViewController::clearArrangedViews()
{
    for (QWidget *view : arrangedViews()) {
        m_stackLayout->removeWidget(view);
        view->hide();
        // A chip may still be on the call stack of its own click.
        view->setParent(nullptr);
        view->deleteLater();
    }
}

void MemoPanelViewController::addArrangedView(QWidget *view)
{
    m_stackLayout->insertWidget(m_stackLayout->count() - 1, view, 0, Qt::AlignVCenter);
    view->show(); // at once, not on the layout's next turn
}

void MemoPanelViewController::reloadChips()
{
    clearArrangedViews();
    if (m_memoStore->memos.isEmpty()) {
        addArrangedView(ViewLook::makeLabel(QStringLiteral("＋ でメモを作成"),
                                            ViewLook::systemFont(12),
                                            ViewLook::calibratedWhite(0.5), m_stackView));
        return;
    }
    const QList<Memo> visible = m_memoStore->visibleMemos(AppSettings::maxVisibleMemos());
    for (const Memo &memo : visible)
        addArrangedView(makeChip(memo, m_memoStore->activeMemoID == memo.id));
    const qsizetype hidden = m_memoStore->memos.size() - visible.size();
    if (hidden > 0)
        addArrangedView(makeHiddenCountLabel(hidden));
}

MemoChipView *MemoPanelViewController::makeChip(const Memo &memo, bool isActive)
{
    auto *chip = new MemoChipView(memo, isActive, m_stackView);
    QPointer<MemoPanelViewController> panel(this);
    chip->onSelect = [panel](const QUuid &id) {
        if (panel)
            panel->selectMemo(id);
    };
    chip->onEdit = [panel](const QUuid &id) {
        if (panel)
            panel->editMemo(id);
    };
    chip->onDelete = [panel](const QUuid &id) {
        if (panel)
            panel->m_memoStore->remove(id);
    };
    chip->onTogglePin = [panel](const QUuid &id) {
        if (panel)
            panel->m_memoStore->togglePin(id);
    };
    return chip;
}

QLabel *MemoPanelViewController::makeHiddenCountLabel(qsizetype hidden)
{
    QLabel *label =
        ViewLook::makeLabel(QStringLiteral("他 %1 件…").arg(hidden), ViewLook::systemFont(11),
                            ViewLook::secondaryLabelColor(palette()), m_stackView);
    label->setToolTip(QStringLiteral("フォルダに保存されたメモをすべて表示"));
    return label;
}

void MemoPanelViewController::reloadFromSettings()
{
    reloadChips();
}

void MemoPanelViewController::selectMemo(const QUuid &id)
{
    m_memoStore->select(id, true);
}

void MemoPanelViewController::editMemo(const QUuid &id)
{
    const std::optional<Memo> memo = m_memoStore->memo(id);
    if (!memo)
        return;
    m_memoStore->select(id, false);
    Q_EMIT memoPanelDidRequestEdit(*memo);
}

void MemoPanelViewController::openFolderTapped()
{
    const QString folder = MemoFolder::memosFolderURL();
    if (folder.isEmpty())
        return;
    PrivateFolder::create(folder); // a failure is ignored: the browser says what it finds
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MemoPanelViewController::addMemoTapped()
{
    const Memo memo = m_memoStore->create();
    Q_EMIT memoPanelDidRequestEdit(memo);
}

void MemoPanelViewController::applyInputToMemoTapped()
{
    if (onApplyInputToMemo)
        onApplyInputToMemo();
}

void MemoPanelViewController::saveMarkdownTapped()
{
    if (!m_memoStore->activeMemoID)
        return;
    const std::optional<Memo> memo = m_memoStore->memo(*m_memoStore->activeMemoID);
    if (!memo)
        return;
    SaveDialogExportChooser chooser(window());
    m_memoStore->exportMarkdown(*memo, chooser);
}
