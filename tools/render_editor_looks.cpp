// Renders the editor with a sample text in every theme and language to PNG files, for
// looking at colours, the gutter, the fold badge and the indent guides by eye.
//
//   zorv_looks [output folder]     (default: ./looks)
//
// Run it under a private X server with private XDG folders. The theme and language preferences
// it renders with are written in Qt's test location.

#include "editor/PasteInputViewController.h"
#include "model/AppSettings.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTimer>
#include <cstdio>

namespace {

QString sampleText(EditorLanguage language)
{
    switch (language) {
    case EditorLanguage::plain:
        return QStringLiteral("買い物リスト\n"
                              "    牛乳 2本\n"
                              "    パン\n"
                              "        全粒粉のもの\n"
                              "\n"
                              "メモ: とても長い一行のメモは折り返されて次の行に続きますが、"
                              "行番号は最初の行にだけ付きます。ここまで書けば折り返すはずです。\n"
                              "\tタブで字下げした行\n"
                              "最後の行");
    case EditorLanguage::html:
        return QStringLiteral("<div class=\"card\">\n"
                              "    <!-- a comment with \"quotes\" -->\n"
                              "    <p id=\"greeting\">Hello</p>\n"
                              "    <ul>\n"
                              "        <li>one</li>\n"
                              "        <li>two</li>\n"
                              "    </ul>\n"
                              "</div>");
    case EditorLanguage::css:
        return QStringLiteral(".btn, a {\n"
                              "    color: red;\n"
                              "    margin: 10px 1.5em;\n"
                              "    width: 50%;\n"
                              "}\n"
                              "/* block comment */\n"
                              "#main {\n"
                              "    padding: 0;\n"
                              "}");
    case EditorLanguage::javascript:
        return QStringLiteral("// greet everyone\n"
                              "function greet(names) {\n"
                              "    for (const name of names) {\n"
                              "        let text = \"hello for \" + name;\n"
                              "        console.log(text, 12.5, x1);\n"
                              "    }\n"
                              "    return names.length;\n"
                              "}\n"
                              "/* let the block comment run */\n"
                              "const total = greet([\"a\", \"b\"]);");
    }
    return QString();
}

// The line whose block each sample folds, so that the badge and a ▶ button show.
int foldedLine(EditorLanguage language)
{
    switch (language) {
    case EditorLanguage::plain:
        return 2;
    case EditorLanguage::html:
        return 3;
    case EditorLanguage::css:
        return 6;
    case EditorLanguage::javascript:
        return 2;
    }
    return 0;
}

void render(PasteInputViewController &editor, EditorLanguage language, const QString &file)
{
    editor.loadText(sampleText(language));
    editor.foldLine(foldedLine(language));
    editor.applySettings(); // recolours, as the next edit would
    QTextCursor caret(editor.textView()->document()->findBlockByNumber(1));
    caret.movePosition(QTextCursor::EndOfBlock);
    editor.textView()->setTextCursor(caret);
    QApplication::processEvents();
    if (!editor.grab().save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
}

void settle()
{
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

// What is on the screen after scrolling and typing, painted piece by piece, must equal a
// full repaint of the editor. Writes both and says how many pixels differ.
void compareWithScreen(PasteInputViewController &editor, const QString &folder, const QString &name)
{
    settle();
    const QImage screen = editor.screen()->grabWindow(editor.winId()).toImage();
    const QImage full = editor.grab().toImage().convertToFormat(screen.format());
    screen.save(QDir(folder).filePath(name + "-screen.png"));
    full.save(QDir(folder).filePath(name + "-full.png"));
    int differing = 0;
    for (int y = 0; y < qMin(screen.height(), full.height()); ++y)
        for (int x = 0; x < qMin(screen.width(), full.width()); ++x)
            differing += screen.pixel(x, y) != full.pixel(x, y);
    std::printf("%s: %d pixels differ between the screen and a full repaint\n", qPrintable(name),
                differing);
}

void checkIncrementalPainting(PasteInputViewController &editor, const QString &folder)
{
    AppSettings::editorTheme.set(EditorThemeKind::sublime);
    AppSettings::editorLanguage.set(EditorLanguage::javascript);
    QString text;
    for (int i = 0; i < 16; ++i)
        text += sampleText(EditorLanguage::javascript) + u'\n';
    editor.loadText(text);
    editor.textView()->setCursorWidth(0); // a blinking caret would differ between the grabs
    editor.textView()->verticalScrollBar()->setValue(40);
    QTextCursor caret(editor.textView()->document()->findBlockByNumber(45));
    caret.movePosition(QTextCursor::EndOfBlock);
    editor.textView()->setTextCursor(caret);
    compareWithScreen(editor, folder, QStringLiteral("scrolled"));
    editor.textView()->textCursor().insertText(QStringLiteral("\n        added();\n"));
    compareWithScreen(editor, folder, QStringLiteral("typed"));
    editor.textView()->verticalScrollBar()->setValue(33);
    compareWithScreen(editor, folder, QStringLiteral("scrolled-back"));
}

} // namespace

int main(int argc, char **argv)
{
    // The preferences it writes go to the test location, never to the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("looks");
    QDir().mkpath(folder);

    PasteInputViewController editor;
    editor.resize(560, 380);
    editor.show();
    for (EditorThemeKind kind : allCases<EditorThemeKind>()) {
        for (EditorLanguage language : allCases<EditorLanguage>()) {
            AppSettings::editorTheme.set(kind);
            AppSettings::editorLanguage.set(language);
            render(editor, language,
                   QDir(folder).filePath(rawValue(kind) + u'-' + rawValue(language) + ".png"));
        }
    }
    checkIncrementalPainting(editor, folder);
    return 0;
}
