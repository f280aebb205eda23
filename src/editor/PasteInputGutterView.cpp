#include "editor/PasteInputGutterView.h"

#include "editor/TextViewRows.h"
#include "model/AppSettings.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolTip>
#include <cmath>

namespace {

// The fold column plus one point separates the buttons from the numbers.
constexpr qreal numberLeft = PasteInputGutterView::foldColumnWidth + 1;
constexpr qreal minimumRowHeight = 4;
constexpr qreal foldButtonHeight = 18;
constexpr int foldArrowFontSize = 11;

// Sizes are device-independent pixels, as for the editor font. The digits are fixed-pitch,
// like the digit the gutter width is measured with.
QFont numberFont(qreal size)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(qMax(1, qRound(size)));
    font.setWeight(QFont::Normal);
    return font;
}

QFont arrowFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(foldArrowFontSize);
    font.setWeight(QFont::Bold);
    return font;
}

// A text view row as the gutter shows it: moved by the gutter's offset from the viewport, and
// never so thin that its button or band disappears.
PasteInputGutterView::Row gutterRow(const TextViewRows::Row &row, qreal offset)
{
    return {row.block.blockNumber(), row.top + offset, qMax(row.firstRowHeight, minimumRowHeight)};
}

int decimalDigits(int count)
{
    int digits = 1;
    for (int n = qMax(count, 1); n >= 10; n /= 10)
        ++digits;
    return digits;
}

} // namespace

PasteInputGutterView::PasteInputGutterView(QWidget *parent)
    : QWidget(parent)
    , m_palette(EditorThemePalette::forKind(EditorThemeKind::sublime))
    , m_numberFont(numberFont(m_lineNumberFontSize))
    , m_arrowFont(arrowFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The host sizes the gutter to preferredWidth(); in a layout the size hint does it.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void PasteInputGutterView::setTextView(QPlainTextEdit *textView)
{
    if (m_textView)
        m_textView->disconnect(this);
    m_textView = textView;
    if (textView) {
        connect(textView, &QPlainTextEdit::updateRequest, this,
                &PasteInputGutterView::textViewUpdated);
        connect(textView, &QPlainTextEdit::blockCountChanged, this,
                &PasteInputGutterView::updateWidth);
        connect(textView, &QPlainTextEdit::cursorPositionChanged, this,
                &PasteInputGutterView::followCaret);
        connect(textView, &QPlainTextEdit::selectionChanged, this,
                &PasteInputGutterView::followCaret);
    }
    m_widthDigits = 0;
    updateWidth();
    if (textView)
        followCaret();
    update();
}

void PasteInputGutterView::setPalette(const EditorThemePalette &palette, bool dark,
                                      qreal lineNumberFontSize)
{
    m_lineNumberFontSize = lineNumberFontSize;
    m_numberFont = numberFont(lineNumberFontSize);
    m_palette = palette;
    m_dark = dark;
    QPalette appearance = dark ? QPalette(QColor(50, 50, 50)) : QPalette(QColor(236, 236, 236));
    QWidget::setPalette(appearance);
    m_widthDigits = 0; // the font size may have changed the width of a digit
    updateWidth();
    refreshColours();
}

void PasteInputGutterView::setFoldableLineIndices(const QSet<int> &lines)
{
    const QSet<int> before = std::exchange(m_foldableLineIndices, lines);
    updateChangedLines(before, m_foldableLineIndices);
}

void PasteInputGutterView::setFoldedLineIndices(const QSet<int> &lines)
{
    const QSet<int> before = std::exchange(m_foldedLineIndices, lines);
    updateChangedLines(before, m_foldedLineIndices);
}

void PasteInputGutterView::setActiveLineIndex(std::optional<int> line)
{
    if (line == m_activeLineIndex)
        return;
    const std::optional<int> before = std::exchange(m_activeLineIndex, line);
    if (before)
        updateLine(*before);
    if (line)
        updateLine(*line);
}

void PasteInputGutterView::refreshColours()
{
    update();
}

void PasteInputGutterView::refreshRows()
{
    // Rows are painted from the text view's layout as it stands, so a refresh only has to
    // make sure the width fits the line count; text changes and scrolling arrive through
    // the text view's update requests.
    updateWidth();
}

int PasteInputGutterView::displayLineCount() const
{
    return m_textView ? qMax(1, m_textView->document()->blockCount()) : 1;
}

int PasteInputGutterView::preferredWidth() const
{
    return int(std::ceil(gutterWidth(displayLineCount())));
}

QSize PasteInputGutterView::sizeHint() const
{
    return QSize(preferredWidth(), 0);
}

void PasteInputGutterView::updateWidth()
{
    // Only the number of digits changes the width; most line count changes leave it alone.
    const int digits = decimalDigits(displayLineCount());
    if (digits == m_widthDigits)
        return;
    m_widthDigits = digits;
    updateGeometry();
    update();
}

QList<PasteInputGutterView::Row> PasteInputGutterView::visibleRows() const
{
    QList<Row> rows;
    if (!m_textView)
        return rows;
    const qreal offset = viewportOffset();
    for (const TextViewRows::Row &row : TextViewRows::visible(*m_textView))
        rows.append(gutterRow(row, offset));
    return rows;
}

QRectF PasteInputGutterView::bandRect(const Row &row) const
{
    return QRectF(0, row.top, width(), row.height);
}

QRectF PasteInputGutterView::numberRect(const Row &row) const
{
    const qreal numberWidth = qMax(width() - numberLeft - numberRightPadding, qreal(20));
    return QRectF(numberLeft, row.top + qMax((row.height - labelHeight) / 2, qreal(0)), numberWidth,
                  labelHeight);
}

QRectF PasteInputGutterView::foldButtonRect(const Row &row) const
{
    return QRectF(1, row.top + qMax((row.height - foldButtonHeight) / 2, qreal(0)), foldColumnWidth,
                  foldButtonHeight);
}

bool PasteInputGutterView::hasFoldButton(int line) const
{
    return m_foldableLineIndices.contains(line) || m_foldedLineIndices.contains(line);
}

std::optional<int> PasteInputGutterView::foldButtonAt(const QPoint &point) const
{
    for (const Row &row : visibleRows())
        if (hasFoldButton(row.line) && foldButtonRect(row).contains(point))
            return row.line;
    return std::nullopt;
}

QString PasteInputGutterView::foldButtonToolTip(int line) const
{
    return m_foldedLineIndices.contains(line) ? QStringLiteral("クリックで戻す（開く）")
                                              : QStringLiteral("クリックで閉じる");
}

void PasteInputGutterView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_palette.gutterBackground);
    if (!m_textView)
        return;
    // Rows scrolled under the text view's edges are hidden there, so they are hidden here.
    const qreal offset = viewportOffset();
    const QRect viewport(0, int(offset), width(), m_textView->viewport()->height());
    const QRect area = event->rect() & viewport;
    if (area.isEmpty())
        return;
    painter.setClipRect(area);
    for (const TextViewRows::Row &row :
         TextViewRows::visible(*m_textView, area.top() - offset, area.bottom() + 1 - offset))
        paintRow(painter, gutterRow(row, offset));
}

void PasteInputGutterView::paintRow(QPainter &painter, const Row &row) const
{
    const bool active = m_activeLineIndex == row.line;
    if (active)
        painter.fillRect(bandRect(row), m_palette.lineNumberActiveBackground);
    painter.setFont(m_numberFont);
    painter.setPen(active ? m_palette.lineNumberActive : m_palette.lineNumber);
    painter.drawText(numberRect(row), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(row.line + 1));
    if (!hasFoldButton(row.line))
        return;
    painter.setFont(m_arrowFont);
    painter.setPen(m_palette.foldArrow);
    const bool folded = m_foldedLineIndices.contains(row.line);
    painter.drawText(foldButtonRect(row), Qt::AlignCenter,
                     folded ? QStringLiteral("▶") : QStringLiteral("▼"));
}

void PasteInputGutterView::mousePressEvent(QMouseEvent *event)
{
    m_pressedFoldButton.reset();
    if (event->button() == Qt::LeftButton)
        m_pressedFoldButton = foldButtonAt(event->position().toPoint());
    event->accept();
}

void PasteInputGutterView::mouseReleaseEvent(QMouseEvent *event)
{
    // Like a button: the click counts when it is released on the button it began on.
    const std::optional<int> pressed = std::exchange(m_pressedFoldButton, std::nullopt);
    if (event->button() == Qt::LeftButton && pressed &&
        foldButtonAt(event->position().toPoint()) == pressed)
        foldButtonTapped(*pressed);
    event->accept();
}

bool PasteInputGutterView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const std::optional<int> line = foldButtonAt(help->pos());
    if (line)
        QToolTip::showText(help->globalPos(), foldButtonToolTip(*line), this);
    else
        QToolTip::hideText();
    return true;
}

void PasteInputGutterView::foldButtonTapped(int line)
{
    Q_EMIT gutterDidTapFold(line);
}

void PasteInputGutterView::textViewUpdated(const QRect &rect, int dy)
{
    if (dy != 0 || rect.contains(m_textView->viewport()->rect())) {
        update();
        return;
    }
    const int offset = int(viewportOffset());
    update(0, rect.y() + offset, width(), rect.height());
}

void PasteInputGutterView::followCaret()
{
    const QTextCursor cursor = m_textView->textCursor();
    setActiveLineIndex(m_textView->document()->findBlock(cursor.selectionStart()).blockNumber());
}

void PasteInputGutterView::updateLine(int line)
{
    if (!m_textView)
        return;
    const std::optional<TextViewRows::Row> row = TextViewRows::rowOf(*m_textView, line);
    if (row)
        update(bandRect(gutterRow(*row, viewportOffset())).toAlignedRect());
}

void PasteInputGutterView::updateChangedLines(const QSet<int> &before, const QSet<int> &after)
{
    // Most refreshes hand over the sets they found: no row to look at then.
    if (before == after)
        return;
    for (const Row &row : visibleRows())
        if (before.contains(row.line) != after.contains(row.line))
            update(bandRect(row).toAlignedRect());
}

qreal PasteInputGutterView::viewportOffset() const
{
    return mapFromGlobal(m_textView->viewport()->mapToGlobal(QPoint(0, 0))).y();
}

double PasteInputGutterView::gutterWidth(int lineCount)
{
    const int digits = int(QString::number(std::max(lineCount, 1)).size());
    const double size = std::max(AppSettings::fontSize() * 0.68, 10.0);
    // Sizes are device-independent pixels, as for the editor font. Measured large and scaled,
    // because a pixel size is whole and this one (10.88 by default) is not. The gutter asks at
    // every edit: the digit is measured once.
    constexpr int measuredSize = 100;
    static const double measuredDigit = [] {
        QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setWeight(QFont::Normal);
        font.setItalic(false);
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(measuredSize);
        return QFontMetricsF(font).horizontalAdvance(QStringLiteral("8"));
    }();
    const double digitWidth = measuredDigit * size / measuredSize;
    return std::ceil(digitWidth * std::max(digits, 2)) + 8 + 18;
}
