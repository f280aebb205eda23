// Cost of the gutter and the indent guides per keystroke and per repaint, at 2,000 and 20,000
// lines: it must follow what is on screen, not the length of the text.

#include "editor/PasteInputGutterView.h"
#include "editor/PasteInputIndentGuideView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <benchmark/benchmark.h>

namespace {

QString javascriptText(int lines)
{
    QStringList out;
    for (int i = 0; out.size() < lines; ++i) {
        out << QStringLiteral("function f%1(a, b) {").arg(i) << QStringLiteral("    if (a > b) {")
            << QStringLiteral("        return a - b;") << QStringLiteral("    }")
            << QStringLiteral("    return \"b\" + a;") << QStringLiteral("}");
    }
    out.resize(lines);
    return out.join(u'\n');
}

struct Editor
{
    QWidget window;
    PasteInputGutterView *gutter = new PasteInputGutterView;
    QPlainTextEdit *text = new QPlainTextEdit;
    PasteInputIndentGuideView *guides = new PasteInputIndentGuideView;

    explicit Editor(int lines, bool withGutter = true)
    {
        auto *layout = new QHBoxLayout(&window);
        layout->addWidget(gutter);
        layout->addWidget(text);
        text->setPlainText(javascriptText(lines));
        if (withGutter) {
            gutter->setTextView(text);
            guides->setTextView(text);
        }
        window.resize(560, 420);
        window.show();
        QCoreApplication::processEvents();
        text->verticalScrollBar()->setValue(lines / 2);
        text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(lines / 2 + 3)));
        QCoreApplication::processEvents();
    }

    // What the editor hands the gutter after each edit: the fold buttons of the lines on screen.
    QSet<int> visibleFoldableLines() const
    {
        QSet<int> lines;
        for (const PasteInputGutterView::Row &row : gutter->visibleRows())
            if (row.line % 6 < 2)
                lines.insert(row.line);
        return lines;
    }
};

void BM_GutterKeystroke(benchmark::State &state)
{
    Editor editor(int(state.range(0)));
    // Each iteration is two keystrokes, a letter and its deletion, so the line stays the same.
    for (auto _ : state) {
        QTextCursor caret = editor.text->textCursor();
        caret.insertText(QStringLiteral("x"));
        caret.deletePreviousChar();
        editor.gutter->setFoldableLineIndices(editor.visibleFoldableLines());
        editor.gutter->setFoldedLineIndices({});
        editor.gutter->refreshRows();
        editor.guides->update();
    }
}

// The same keystroke into the bare text view: the difference is what the gutter costs.
void BM_TextViewKeystroke(benchmark::State &state)
{
    Editor editor(int(state.range(0)), false);
    for (auto _ : state) {
        QTextCursor caret = editor.text->textCursor();
        caret.insertText(QStringLiteral("x"));
        caret.deletePreviousChar();
    }
}

void BM_GutterPaint(benchmark::State &state)
{
    Editor editor(int(state.range(0)));
    QImage image(editor.gutter->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        editor.gutter->render(&image);
}

// The text view repaints its whole viewport, with the guides drawn in its pass or without.
void BM_TextPaint(benchmark::State &state)
{
    Editor editor(int(state.range(0)), state.range(1) != 0);
    QWidget *viewport = editor.text->viewport();
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        viewport->render(&image);
}

BENCHMARK(BM_GutterKeystroke)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextViewKeystroke)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GutterPaint)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextPaint)
    ->ArgNames({"lines", "guides"})
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Args({20000, 0})
    ->Args({20000, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
