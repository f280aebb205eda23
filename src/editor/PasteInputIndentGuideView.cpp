#include "editor/PasteInputIndentGuideView.h"

#include "editor/TextViewRows.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

constexpr qreal minimumRowHeight = 4;
constexpr int columnsPerStep = 4;

} // namespace

PasteInputIndentGuideView::PasteInputIndentGuideView(QWidget *parent)
    : QWidget(parent)
    , m_palette(EditorThemePalette::forKind(EditorThemeKind::light))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void PasteInputIndentGuideView::setTextView(QPlainTextEdit *textView)
{
    if (m_textView)
        m_textView->viewport()->removeEventFilter(this);
    m_textView = textView;
    if (!textView) {
        hide();
        return;
    }
    // A sibling above the viewport, not its child: the viewport moves its children when it
    // scrolls, while this view has to stay put and repaint.
    setParent(textView);
    textView->viewport()->installEventFilter(this);
    followViewport();
    show();
}

void PasteInputIndentGuideView::setPalette(const EditorThemePalette &palette)
{
    m_palette = palette;
    update();
}

int PasteInputIndentGuideView::indentLevel(const QString &line)
{
    int width = 0;
    for (const QChar c : line) {
        if (c == u' ')
            width += 1;
        else if (c == u'\t')
            width += columnsPerStep;
        else
            break;
    }
    return width / columnsPerStep;
}

QList<QLineF> PasteInputIndentGuideView::guideSegments(const QRectF &area) const
{
    QList<QLineF> segments;
    if (!m_textView)
        return segments;
    const qreal step = columnsPerStep * QFontMetricsF(m_textView->font()).horizontalAdvance(u' ');
    const qreal left = TextViewRows::textLeft(*m_textView);
    for (const TextViewRows::Row &row :
         TextViewRows::visible(*m_textView, area.top(), area.bottom())) {
        const int level = indentLevel(row.block.text());
        // Wrapped rows start at the left edge, under the indentation: guides stay on the first.
        const qreal height = qMax(row.firstRowHeight, minimumRowHeight);
        for (int k = 1; k <= level; ++k) {
            const qreal x = left + (k - 0.5) * step;
            if (x > area.right())
                break;
            segments.append(QLineF(x, row.top, x, row.top + height));
        }
    }
    return segments;
}

void PasteInputIndentGuideView::paintEvent(QPaintEvent *event)
{
    const QList<QLineF> segments = guideSegments(QRectF(event->rect()));
    if (segments.isEmpty())
        return;
    QPainter painter(this);
    QPen pen(m_palette.indentGuide, 1);
    pen.setDashPattern({2, 3});
    pen.setDashOffset(0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLines(segments);
}

bool PasteInputIndentGuideView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_textView && watched == m_textView->viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        followViewport();
    return QWidget::eventFilter(watched, event);
}

bool PasteInputIndentGuideView::event(QEvent *event)
{
    // Below the viewport the guides would be hidden behind the text; whoever restacks the
    // text view's children, they go back on top.
    if (event->type() == QEvent::ZOrderChange && m_textView && !isAboveViewport())
        raise();
    return QWidget::event(event);
}

bool PasteInputIndentGuideView::isAboveViewport() const
{
    if (parentWidget() != m_textView)
        return true; // not among the text view's children: nothing to restack
    // Children are kept in stacking order, the topmost last.
    const QObjectList &siblings = m_textView->children();
    qsizetype self = -1, viewport = -1;
    for (qsizetype i = 0; i < siblings.size(); ++i) {
        if (siblings.at(i) == this)
            self = i;
        else if (siblings.at(i) == m_textView->viewport())
            viewport = i;
    }
    return self > viewport;
}

void PasteInputIndentGuideView::followViewport()
{
    setGeometry(m_textView->viewport()->geometry());
    if (!isAboveViewport())
        raise();
}
