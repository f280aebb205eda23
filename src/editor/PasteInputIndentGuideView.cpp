#include "editor/PasteInputIndentGuideView.h"

#include "editor/LineFolding.h"
#include "editor/TextViewRows.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace {

constexpr qreal minimumRowHeight = 4;
constexpr int columnsPerStep = 4;

// The text view paints its viewport from viewportEvent, which it keeps protected. A member
// pointer taken through this never-instantiated subclass calls it on any text view, through
// its virtual table, so a subclass's own painting is kept.
struct ViewportAccess : QPlainTextEdit
{
    using QPlainTextEdit::viewportEvent;
};

} // namespace

PasteInputIndentGuideView::PasteInputIndentGuideView(QWidget *parent)
    : QWidget(parent)
    , m_palette(EditorThemePalette::forKind(EditorThemeKind::light))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(0, 0);
    hide();
}

void PasteInputIndentGuideView::setTextView(QPlainTextEdit *textView)
{
    if (m_textView) {
        m_textView->viewport()->removeEventFilter(this);
        m_textView->viewport()->update();
    }
    m_textView = textView;
    if (!textView)
        return;
    // Installed after the text view's own filter, so it sees the paint events first.
    textView->viewport()->installEventFilter(this);
    textView->viewport()->update();
}

void PasteInputIndentGuideView::setPalette(const EditorThemePalette &palette)
{
    m_palette = palette;
    if (m_textView)
        m_textView->viewport()->update();
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
        const int level = LineFolding::indentLevel(row.block);
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

QList<QLineF> PasteInputIndentGuideView::guideSegments() const
{
    return m_textView ? guideSegments(QRectF(m_textView->viewport()->rect())) : QList<QLineF>();
}

bool PasteInputIndentGuideView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_textView && watched == m_textView->viewport()) {
        paintTextAndGuides(static_cast<QPaintEvent *>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PasteInputIndentGuideView::paintTextAndGuides(QPaintEvent *event)
{
    (m_textView->*(&ViewportAccess::viewportEvent))(event);
    const QList<QLineF> segments = guideSegments(QRectF(event->rect()));
    if (segments.isEmpty())
        return;
    QPainter painter(m_textView->viewport());
    painter.setClipRegion(event->region());
    QPen pen(m_palette.indentGuide, 1);
    pen.setDashPattern({2, 3});
    pen.setDashOffset(0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLines(segments);
}
