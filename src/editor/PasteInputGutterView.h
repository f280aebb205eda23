#pragma once

#include "editor/EditorThemePalette.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QSet>
#include <QWidget>
#include <optional>

// The strip left of the text: one right-aligned number per line of text, on its first visual
// row, a band behind the active line, and a ▼/▶ button on every line that can be folded or is
// folded. It does not scroll itself; it follows the text view's layout and scrolling, and paints
// only the rows on screen.
class PasteInputGutterView : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal foldColumnWidth = 16;
    static constexpr qreal numberRightPadding = 4;
    static constexpr qreal labelHeight = 16;

    // One line of text as the gutter shows it, in the gutter's coordinates.
    struct Row
    {
        int line = 0;
        qreal top = 0;
        qreal height = 0;
    };

    explicit PasteInputGutterView(QWidget *parent = nullptr);

    void setTextView(QPlainTextEdit *textView);
    QPlainTextEdit *textView() const { return m_textView; }

    void setPalette(const EditorThemePalette &palette, bool dark, qreal lineNumberFontSize);
    const EditorThemePalette &palette() const { return m_palette; }
    bool isDarkAppearance() const { return m_dark; }
    qreal lineNumberFontSize() const { return m_lineNumberFontSize; }

    void setFoldableLineIndices(const QSet<int> &lines);
    void setFoldedLineIndices(const QSet<int> &lines);
    void setActiveLineIndex(std::optional<int> line);
    const QSet<int> &foldableLineIndices() const { return m_foldableLineIndices; }
    const QSet<int> &foldedLineIndices() const { return m_foldedLineIndices; }
    std::optional<int> activeLineIndex() const { return m_activeLineIndex; }

    void refreshColours();
    void refreshRows();

    // Lines of the text: each is numbered once, however many rows it wraps to.
    int displayLineCount() const;
    // Width for the current text (gutterWidth of the line count), also the
    // width of the size hint.
    int preferredWidth() const;
    // Width of the gutter for a text of lineCount lines at the stored font size.
    static double gutterWidth(int lineCount);

    QList<Row> visibleRows() const;
    QRectF bandRect(const Row &row) const;
    QRectF numberRect(const Row &row) const;
    QRectF foldButtonRect(const Row &row) const;
    bool hasFoldButton(int line) const;
    std::optional<int> foldButtonAt(const QPoint &point) const;
    QString foldButtonToolTip(int line) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The fold button on line `line` was clicked; the editor folds or unfolds the line.
    void gutterDidTapFold(int line);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void foldButtonTapped(int line);
    void textViewUpdated(const QRect &rect, int dy);
    void followCaret();
    void updateWidth();
    void updateLine(int line);
    void updateChangedLines(const QSet<int> &before, const QSet<int> &after);
    void paintRow(QPainter &painter, const Row &row) const;
    qreal viewportOffset() const;

    QPointer<QPlainTextEdit> m_textView;
    EditorThemePalette m_palette;
    bool m_dark = true;
    qreal m_lineNumberFontSize = 11;
    QFont m_numberFont;
    QFont m_arrowFont;
    QSet<int> m_foldableLineIndices;
    QSet<int> m_foldedLineIndices;
    std::optional<int> m_activeLineIndex;
    std::optional<int> m_pressedFoldButton;
    int m_widthDigits = 0;
};
