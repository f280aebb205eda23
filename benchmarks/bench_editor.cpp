// Cost of the whole editor's reaction to one keystroke (recolour, counter, layout, folds, gutter,
// guides) in JavaScript texts of 2,000 and 20,000 lines, of pasting 1 MB, and of the memo text
// of a folded text.

#include "editor/PasteInputTextView.h"
#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>

namespace {

// About 30 characters a line, so 2,000 lines are ~60 KB and 20,000 lines ~600 KB.
QString javascriptText(int lines)
{
    QStringList out;
    for (int i = 0; out.size() < lines; ++i) {
        out << QStringLiteral("/* helper %1 keeps the sum */").arg(i, 5, 10, QLatin1Char('0'))
            << QStringLiteral("function helper%1(a, b, c) {").arg(i, 5, 10, QLatin1Char('0'))
            << QStringLiteral("    if (a > b && b > 100) {")
            << QStringLiteral("        return a - b; // late")
            << QStringLiteral("    } else { a += 1.25 * c; }")
            << QStringLiteral("    let s = \"b\" + a * 2.5;")
            << QStringLiteral("    return s.length + 42;")
            << QStringLiteral("}  // end of helper %1").arg(i, 5, 10, QLatin1Char('0'));
    }
    out.resize(lines);
    return out.join(u'\n');
}

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

QString kilobytes(const QString &text)
{
    return QStringLiteral("%1 KB").arg(text.toUtf8().size() / 1000);
}

struct Editor
{
    PasteInputViewController controller;

    explicit Editor(const QString &text)
    {
        controller.resize(720, 560);
        controller.show();
        controller.loadText(text);
        controller.restyleText();
        QCoreApplication::processEvents();
    }

    PasteInputTextView *view() const { return controller.textView(); }

    void placeCaret(int line, int column)
    {
        QTextCursor caret(view()->document()->findBlockByNumber(line));
        caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        view()->setTextCursor(caret);
        view()->centerCursor();
        QCoreApplication::processEvents();
    }

    // A key press as the window system delivers it to the text view.
    void press(Qt::Key key, const QString &text = QString())
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(view(), &event);
    }
};

void BM_Keystroke(benchmark::State &state)
{
    const int lines = int(state.range(0));
    const QString text = javascriptText(lines);
    Editor editor(text);
    // In the middle of the text, in "        return a - b; // late", between "return" and " a".
    editor.placeCaret(lines / 2 / 8 * 8 + 3, 14);
    bool typed = false;
    // Each iteration is one keystroke: a letter, then its deletion, so the text stays the same.
    double slowestWall = 0;
    double slowestCpu = 0;
    for (auto _ : state) {
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuMilliseconds();
        if (typed)
            editor.press(Qt::Key_Backspace);
        else
            editor.press(Qt::Key_X, QStringLiteral("x"));
        typed = !typed;
        slowestCpu = std::max(slowestCpu, threadCpuMilliseconds() - cpuStart);
        const std::chrono::duration<double, std::milli> wall =
            std::chrono::steady_clock::now() - wallStart;
        slowestWall = std::max(slowestWall, wall.count());
    }
    // The slowest single keystroke, against the 16 ms of one frame. On a busy machine the wall
    // clock also counts the time other processes held the core.
    state.counters["max_ms"] = slowestWall;
    state.counters["max_cpu_ms"] = slowestCpu;
    state.SetLabel(kilobytes(text).toStdString());
}
BENCHMARK(BM_Keystroke)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false);

void BM_Paste1MB(benchmark::State &state)
{
    QString text = javascriptText(40000);
    text.truncate(1 << 20); // 1 MiB of ASCII
    Editor editor{QString()};
    for (auto _ : state) {
        state.PauseTiming();
        editor.controller.loadText(QString());
        QGuiApplication::clipboard()->setText(text);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::sendEvent(editor.view(), &paste);
    }
    if (editor.view()->document()->characterCount() < (1 << 20))
        state.SkipWithError("the paste did not arrive");
    state.SetLabel(kilobytes(text).toStdString());
}
BENCHMARK(BM_Paste1MB)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

// What a confirm or a collapse writes into the memo: the text with every fold opened, here with
// one fold in every eighth function of 20,000 lines.
void BM_MemoTextWithFolds(benchmark::State &state)
{
    const QString text = javascriptText(20000);
    Editor editor(text);
    for (int line = 20000 - 8; line >= 0; line -= 64)
        editor.controller.foldLine(line + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.controller.expandedText());
    if (editor.controller.expandedText() != text)
        state.SkipWithError("the folded lines did not come back");
    state.SetLabel(kilobytes(text).toStdString());
}
BENCHMARK(BM_MemoTextWithFolds)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    // Offscreen, with private settings: a benchmark never touches the user's desktop or files.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.path().toUtf8() + '/' + variable);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    AppSettings::editorLanguage.set(EditorLanguage::javascript);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
