#include "editor/PasteInputViewController.h"

#include "editor/DocumentText.h"
#include "editor/EditorFonts.h"
#include "editor/SyntaxHighlighter.h"
#include "model/AppSettings.h"
#include "platform/Pasteboard.h"
#include "platform/SettingsNotifier.h"

#include "editor/PasteInputGutterView.h"
#include "editor/PasteInputIndentGuideView.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>

namespace {

// The rounded, bordered box around the editor's views.
class InputContainerView : public QWidget
{
public:
    using QWidget::QWidget;

    void setColours(const QColor &background, const QColor &border)
    {
        m_background = background;
        m_border = border;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_border, 1));
        painter.setBrush(m_background);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    }

private:
    QColor m_background;
    QColor m_border;
};

bool isNewlineCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// Leading spaces and tabs of a line, never reaching into a fold badge.
int leadingWhiteSpace(QStringView line)
{
    int n = 0;
    while (n < line.size() && (line[n] == QLatin1Char(' ') || line[n] == QLatin1Char('\t')))
        ++n;
    return n;
}

// Characters one outdent step removes: up to four spaces, or spaces up to and including a tab.
int outdentWidth(QStringView line)
{
    int n = 0;
    while (n < line.size() && n < 4) {
        if (line[n] == QLatin1Char('\t'))
            return n + 1;
        if (line[n] != QLatin1Char(' '))
            break;
        ++n;
    }
    return n;
}

const QString indentUnit = QStringLiteral("    ");

} // namespace

PasteInputViewController::PasteInputViewController(QWidget *parent)
    : QWidget(parent)
    , m_palette(EditorThemePalette::forKind(EditorThemeKind::light))
{
    loadView();
}

PasteInputViewController::~PasteInputViewController()
{
    // The document outlives the counter and folding only while the text view exists.
    disconnect(m_textView->document(), nullptr, this, nullptr);
}

void PasteInputViewController::loadView()
{
    auto *container = new InputContainerView(this);
    m_inputContainer = container;
    m_textView = new PasteInputTextView(container);
    m_folding = std::make_unique<LineFolding>(m_textView->document());
    m_folding->onReplace = [this](int position, int removed, int added) {
        carryConfirmOffset(position, removed, added);
    };
    m_counter = std::make_unique<CharacterCounter>(m_textView->document());
    attachGutterAndGuides();
    configureTextView();
    m_unfoldAllButton = new QPushButton(QStringLiteral("すべて戻す"), container);
    m_characterCountLabel = new QLabel(QStringLiteral("0"), container);
    m_gutterView->lower();
    configureCounterAndButton();
    container->installEventFilter(this);
    // Every scroll, including one the text view makes itself when the text shrinks (its
    // scroll bar then changes without telling), shows other lines.
    connect(m_textView, &QPlainTextEdit::updateRequest, this, [this](const QRect &, int dy) {
        if (dy != 0)
            gutterNeedsRefresh();
    });
    applyTheme();
    connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, this,
            &PasteInputViewController::applySettings);
}

void PasteInputViewController::attachGutterAndGuides()
{
    auto *gutter = new PasteInputGutterView(m_inputContainer);
    connect(gutter, &PasteInputGutterView::gutterDidTapFold, this,
            &PasteInputViewController::gutterDidTapFold);
    gutter->setTextView(m_textView);
    m_gutterView = gutter;
    auto *guides = new PasteInputIndentGuideView(m_textView->viewport());
    guides->setTextView(m_textView);
    guides->lower();
    m_indentGuideView = guides;
}

void PasteInputViewController::configureTextView()
{
    PasteInputTextView *view = m_textView;
    view->setFrameShape(QFrame::NoFrame);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setUndoRedoEnabled(true);
    view->setTabChangesFocus(false);
    // Inset 8 plus line padding 4 horizontally, 12 vertically: one 12-point margin.
    view->document()->setDocumentMargin(12);
    view->setMinimumSize(0, 80);
    view->onCommand = [this](PasteInputTextView::Command command) { return doCommand(command); };
    view->onKeyChord = [this](const QKeyEvent &event) { return handleKeyChord(event); };
    QTextDocument *document = view->document();
    connect(document, &QTextDocument::contentsChange, this,
            &PasteInputViewController::documentContentsChanged);
    connect(view, &QPlainTextEdit::textChanged, this, &PasteInputViewController::textDidChange);
    // The gutter follows the caret to the active line by itself.
}

void PasteInputViewController::configureCounterAndButton()
{
    QFont counterFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    counterFont.setPixelSize(11);
    counterFont.setWeight(QFont::Normal);
    m_characterCountLabel->setFont(counterFont);
    m_characterCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    QFont buttonFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    buttonFont.setPixelSize(11);
    buttonFont.setWeight(QFont::Medium);
    m_unfoldAllButton->setFont(buttonFont);
    m_unfoldAllButton->setToolTip(QStringLiteral("▶ で閉じたブロックをまとめて元に戻す"));
    m_unfoldAllButton->setFocusPolicy(Qt::NoFocus);
    m_unfoldAllButton->setHidden(true);
    connect(m_unfoldAllButton, &QPushButton::clicked, this,
            &PasteInputViewController::unfoldAllTapped);
}

void PasteInputViewController::applyTheme()
{
    const EditorThemeKind kind = AppSettings::editorTheme();
    m_palette = EditorThemePalette::forKind(kind);
    const double fontSize = AppSettings::fontSize();
    const QFont font = editorFont(isCodeLanguage(AppSettings::editorLanguage()),
                                  AppSettings::editorFontFamily(), fontSize);
    const qreal numberSize = fontSize > 0 ? std::max(fontSize * 0.68, 10.0) : 10.88;
    m_gutterView->setPalette(m_palette, isDark(kind), numberSize);
    m_indentGuideView->setPalette(m_palette); // repaints the text view with the new guides
    static_cast<InputContainerView *>(m_inputContainer)
        ->setColours(m_palette.containerBackground, m_palette.containerBorder);

    QPalette colours = m_textView->palette();
    colours.setColor(QPalette::Base, m_palette.editorBackground);
    colours.setColor(QPalette::Window, m_palette.editorBackground);
    colours.setColor(QPalette::Text, m_palette.editorText);
    m_textView->setPalette(colours);
    m_textView->setFont(font);
    // A tab is one indentation step wide, as the folding and the guides count it.
    m_textView->setTabStopDistance(4 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    m_textView->setCaretColor(m_palette.caret);

    QPalette counterColours = m_characterCountLabel->palette();
    counterColours.setColor(QPalette::WindowText, m_palette.counterText);
    m_characterCountLabel->setPalette(counterColours);
}

void PasteInputViewController::applySettings()
{
    applyTheme();
    restyleText();
    layoutTextView();
    refreshFoldState();
}

void PasteInputViewController::restyleText()
{
    // The highlighter collects the document's edits by itself and colours only what they
    // touched; here it is handed the current language and theme.
    if (!m_highlighter) {
        m_highlighter = new SyntaxHighlighter(m_textView);
        m_highlighter->setFoldBadgeProbe([this](const QTextBlock &block) {
            return m_folding->isFolded(block) ? int(LineFolding::badge().size()) : 0;
        });
    }
    m_highlighter->setLanguage(AppSettings::editorLanguage());
    m_highlighter->setColors(EditorThemePalette::forKind(AppSettings::editorTheme()));
    m_highlighter->restyle();
}

void PasteInputViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_inputContainer->setGeometry(12, 6, std::max(0, width() - 24), std::max(0, height() - 18));
}

bool PasteInputViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_inputContainer && event->type() == QEvent::Resize)
        layoutContainer();
    return QWidget::eventFilter(watched, event);
}

void PasteInputViewController::layoutContainer()
{
    const int w = m_inputContainer->width();
    const int h = m_inputContainer->height();
    const int counterTop = h - 10 - 16;
    const int counterWidth = std::max(m_characterCountLabel->sizeHint().width(), 40);
    m_characterCountLabel->setGeometry(w - 10 - counterWidth, counterTop, counterWidth, 16);
    const int gutterWidth = m_gutterWidth > 0 ? m_gutterWidth : 34;
    const int contentHeight = std::max(0, counterTop - 8 - 8);
    m_gutterView->setGeometry(8, 8, gutterWidth, contentHeight);
    m_textView->setGeometry(8 + gutterWidth, 8, std::max(0, w - 8 - (8 + gutterWidth)),
                            contentHeight);
    const QSize button = m_unfoldAllButton->sizeHint();
    m_unfoldAllButton->setGeometry(10, counterTop + 8 - button.height() / 2, button.width(),
                                   button.height());
}

void PasteInputViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    restyleText();
    layoutTextView();
    refreshFoldState();
}

void PasteInputViewController::layoutTextView()
{
    // QPlainTextEdit lays out and sizes its document itself, and the guides are drawn in its
    // own paint pass; what is left is to bring the gutter up to date.
    m_gutterView->refreshRows();
}

void PasteInputViewController::gutterNeedsRefresh()
{
    // Scrolling shows other lines: their fold buttons are worked out for the lines on screen.
    refreshFoldState();
}

void PasteInputViewController::refreshFoldState()
{
    const QList<int> folded = m_folding->foldedLines();
    m_unfoldAllButton->setVisible(!folded.isEmpty());
    const int width = m_gutterView->preferredWidth();
    if (width != m_gutterWidth) {
        m_gutterWidth = width;
        layoutContainer();
    }
    const auto [first, last] = m_textView->visibleLineRange();
    const QSet<int> foldedSet(folded.cbegin(), folded.cend());
    // The gutter repaints the rows whose buttons change; the rows and the guides of an edit
    // are brought up to date by layoutTextView, which every edit runs just before this.
    m_gutterView->setFoldableLineIndices(m_folding->foldableLines(first, last) | foldedSet);
    m_gutterView->setFoldedLineIndices(foldedSet);
}

void PasteInputViewController::documentContentsChanged(int position, int charsRemoved,
                                                       int charsAdded)
{
    // Bookkeeping that must follow every change, the editor's own and undo/redo alike.
    m_counter->documentChanged(position, charsRemoved, charsAdded);
    m_folding->documentChanged(position, charsRemoved, charsAdded);
}

void PasteInputViewController::textDidChange()
{
    QTextDocument *document = m_textView->document();
    if (m_isApplyingProgrammaticTextChange || document->revision() == m_lastRevision)
        return;
    // Undo and redo bring back states whose badges were already in place.
    if (document->availableRedoSteps() == 0) {
        m_isApplyingProgrammaticTextChange = true;
        m_folding->openJoinedFolds();
        m_isApplyingProgrammaticTextChange = false;
    }
    // Colouring waits while an input method composes.
    followTextChange(!m_textView->hasMarkedText());
}

void PasteInputViewController::updateCounter()
{
    m_characterCountLabel->setText(QString::number(m_counter->count()));
    layoutContainer();
}

QString PasteInputViewController::text() const
{
    return documentText(*m_textView->document());
}

QString PasteInputViewController::textWithoutFoldBadges() const
{
    return m_folding->textWithoutFoldBadges();
}

void PasteInputViewController::deliver(const QString &confirmed)
{
    Pasteboard::setString(confirmed);
    emit pasteInputDidConfirm(confirmed);
}

void PasteInputViewController::confirmText()
{
    const QString confirmed = textWithoutFoldBadges().trimmed();
    if (confirmed.isEmpty())
        return;
    deliver(confirmed);
    m_lastDoubleNewlineConfirmEnd = documentTextLength(*m_textView->document());
    if (window()->isVisible())
        m_textView->setFocus();
}

bool PasteInputViewController::handleKeyChord(const QKeyEvent &event)
{
    if (event.type() != QEvent::KeyPress)
        return false;
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool command = mods & Qt::ControlModifier;
    const bool control = mods & Qt::MetaModifier;
    const bool option = mods & Qt::AltModifier;
    switch (event.key()) {
    case Qt::Key_Return:
        if ((command && !control) || (control && option && !command)) {
            confirmText();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (!command)
            return false;
        loadText(QString());
        return true;
    case Qt::Key_U:
        if (!command || !(mods & Qt::ShiftModifier))
            return false;
        unfoldAll();
        return true;
    default:
        return false;
    }
}

bool PasteInputViewController::doCommand(PasteInputTextView::Command command)
{
    switch (command) {
    case PasteInputTextView::Command::insertTab:
        indentLines();
        return true;
    case PasteInputTextView::Command::insertBacktab:
        outdentLines();
        return true;
    case PasteInputTextView::Command::paste:
        pastePlainText();
        return true;
    case PasteInputTextView::Command::insertNewline:
        return handleDoubleNewline();
    case PasteInputTextView::Command::unfoldCaretLine:
        unfoldLine(m_textView->textCursor().blockNumber());
        return true;
    }
    return false;
}

bool PasteInputViewController::handleDoubleNewline()
{
    const QTextCursor cursor = m_textView->textCursor();
    if (AppSettings::confirmTrigger() != ConfirmTrigger::doubleNewline || cursor.hasSelection() ||
        cursor.position() == 0 || !cursor.atBlockStart())
        return false;
    m_textView->insertPlainTextAtCursor(QStringLiteral("\n"));
    confirmDoubleNewlineSegment();
    return true;
}

void PasteInputViewController::confirmDoubleNewlineSegment()
{
    QString text = this->text();
    const int length = int(text.size());
    if (length < 2 || !text.endsWith(QLatin1String("\n\n")))
        return;
    const int end = length - 2;
    const int start = m_lastDoubleNewlineConfirmEnd;
    if (start >= end)
        return;
    // Badges of folded lines are not part of what was written.
    text.truncate(end);
    const QList<int> badges = m_folding->badgePositions();
    for (auto it = badges.crbegin(); it != badges.crend(); ++it) {
        if (*it >= start && *it + 2 <= end)
            text.remove(*it, 2);
    }
    QString segment = text.mid(start);
    for (QChar &c : segment) {
        if (isNewlineCharacter(c))
            c = QLatin1Char('\n');
    }
    segment = segment.trimmed();
    if (segment.isEmpty())
        return;
    deliver(segment);
    m_lastDoubleNewlineConfirmEnd = end;
    if (window()->isVisible())
        m_textView->setFocus();
}

// The editor's own edits carry the confirm offset along with the text: an edit at or after it
// leaves it, one before it shifts it, one across it puts it at the edit's end. So a double
// newline after folding or indenting confirms only what was written since the last confirm.
void PasteInputViewController::carryConfirmOffset(int position, int removed, int added)
{
    int &offset = m_lastDoubleNewlineConfirmEnd;
    if (position >= offset)
        return;
    offset = position + removed <= offset ? offset + added - removed : position + added;
}

template <typename Edit> bool PasteInputViewController::programmaticEdit(Edit edit)
{
    m_isApplyingProgrammaticTextChange = true;
    const bool changed = edit();
    m_isApplyingProgrammaticTextChange = false;
    if (changed)
        followTextChange(true);
    return changed;
}

void PasteInputViewController::followTextChange(bool restyle)
{
    m_lastRevision = m_textView->document()->revision();
    // An offset past the end can never be reached again; start over as after a deletion.
    if (documentTextLength(*m_textView->document()) < m_lastDoubleNewlineConfirmEnd)
        m_lastDoubleNewlineConfirmEnd = 0;
    if (restyle)
        restyleText();
    updateCounter();
    layoutTextView();
    refreshFoldState();
}

std::pair<QTextBlock, QTextBlock> PasteInputViewController::selectedLines() const
{
    // A selection ending at a line start does not take in that line.
    const QTextCursor selection = m_textView->textCursor();
    const QTextDocument *document = m_textView->document();
    const QTextBlock first = document->findBlock(selection.selectionStart());
    return {first,
            selection.hasSelection() ? document->findBlock(selection.selectionEnd() - 1) : first};
}

void PasteInputViewController::indentLines()
{
    const bool hasSelection = m_textView->textCursor().hasSelection();
    // Named blocks, not a structured binding: clang before 16 lets no lambda capture one.
    const auto lines = selectedLines();
    const QTextBlock &first = lines.first;
    const QTextBlock &last = lines.second;
    programmaticEdit([&] {
        QTextCursor edit(m_textView->document());
        edit.beginEditBlock();
        const auto insertIndent = [&](int position) {
            edit.setPosition(position);
            edit.insertText(indentUnit, QTextCharFormat());
            carryConfirmOffset(position, 0, int(indentUnit.size()));
        };
        if (!hasSelection) {
            const QString line = first.text();
            const int badge = LineFolding::badgeLength(first);
            insertIndent(first.position() +
                         leadingWhiteSpace(QStringView(line).first(line.size() - badge)));
        } else {
            for (QTextBlock block = first; block.isValid(); block = block.next()) {
                insertIndent(block.position());
                if (block == last)
                    break;
            }
        }
        edit.endEditBlock();
        return true;
    });
}

void PasteInputViewController::outdentLines()
{
    const auto lines = selectedLines(); // not a structured binding, as above
    const QTextBlock &first = lines.first;
    const QTextBlock &last = lines.second;
    programmaticEdit([&] {
        QTextCursor edit(m_textView->document());
        bool changed = false;
        edit.beginEditBlock();
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            const QString line = block.text();
            const int badge = LineFolding::badgeLength(block);
            const int width = outdentWidth(QStringView(line).first(line.size() - badge));
            if (width > 0) {
                edit.setPosition(block.position());
                edit.setPosition(block.position() + width, QTextCursor::KeepAnchor);
                edit.removeSelectedText();
                carryConfirmOffset(block.position(), width, 0);
                changed = true;
            }
            if (block == last)
                break;
        }
        edit.endEditBlock();
        return changed;
    });
}

void PasteInputViewController::pastePlainText()
{
    const QString pasted = Pasteboard::string();
    if (!pasted.isEmpty()) {
        m_textView->insertPlainTextAtCursor(pasted);
        return;
    }
    m_textView->paste();
    if (!m_textView->hasMarkedText())
        restyleText();
}

void PasteInputViewController::loadText(const QString &text)
{
    m_lastDoubleNewlineConfirmEnd = 0;
    m_isApplyingProgrammaticTextChange = true;
    m_folding->clear();
    m_textView->setPlainText(text);
    m_isApplyingProgrammaticTextChange = false;
    // Loading does not colour; the colours come with the next edit, settings change or showing.
    followTextChange(false);
    emit textLoaded();
}

void PasteInputViewController::foldLine(int line)
{
    programmaticEdit([&] { return m_folding->fold(line); });
}

void PasteInputViewController::unfoldLine(int line)
{
    programmaticEdit([&] { return m_folding->unfold(line); });
}

void PasteInputViewController::unfoldAll()
{
    programmaticEdit([&] { return m_folding->unfoldAll(); });
}

void PasteInputViewController::unfoldAllTapped()
{
    unfoldAll();
}

void PasteInputViewController::gutterDidTapFold(int line)
{
    if (m_folding->isFolded(line))
        unfoldLine(line);
    else
        foldLine(line);
}
