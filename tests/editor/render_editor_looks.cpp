// Renders the editor with a sample text in every theme and language to PNG files, for
// looking at colours, the gutter, the fold badge and the indent guides by eye.
//
//   zorv_looks [output folder]     (default: ./looks)
//
// Run it under a private X server and private XDG folders: it writes the theme and language
// preferences it renders with.

#include "editor/EditorThemePalette.h"
#include "editor/PasteInputGutterView.h"
#include "editor/PasteInputIndentGuideView.h"
#include "model/AppSettings.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTextBlock>
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

// The text view with the gutter on its left and the guides over it.
class EditorLook : public QWidget
{
public:
    PasteInputGutterView *gutter = new PasteInputGutterView;
    QPlainTextEdit *text = new QPlainTextEdit;
    PasteInputIndentGuideView *guides = new PasteInputIndentGuideView;

    EditorLook()
    {
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->setSpacing(0);
        layout->addWidget(gutter);
        layout->addWidget(text);
        text->setFrameShape(QFrame::NoFrame);
        text->document()->setDocumentMargin(12);
        gutter->setTextView(text);
        guides->setTextView(text);
    }

    void apply(EditorThemeKind kind, const QString &content)
    {
        const EditorThemePalette &palette = EditorThemePalette::forKind(kind);
        const double fontSize = AppSettings::fontSize();
        gutter->setPalette(palette, isDark(kind), std::max(fontSize * 0.68, 10.0));
        guides->setPalette(palette);
        QPalette colours = text->palette();
        colours.setColor(QPalette::Base, palette.editorBackground);
        colours.setColor(QPalette::Text, palette.editorText);
        text->setPalette(colours);
        QPalette window = this->palette();
        window.setColor(QPalette::Window, palette.containerBackground);
        setPalette(window);
        setAutoFillBackground(true);
        text->setFont(AppSettings::editorFont());
        text->setPlainText(content);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("looks");
    QDir().mkpath(folder);

    EditorLook look;
    look.resize(520, 360);
    look.show();
    for (EditorThemeKind kind : allEditorThemeKinds()) {
        for (EditorLanguage language : allEditorLanguages()) {
            AppSettings::setEditorTheme(kind);
            AppSettings::setEditorLanguage(language);
            look.apply(kind, sampleText(language));
            look.gutter->setFoldableLineIndices({1});
            look.gutter->setFoldedLineIndices({});
            QTextCursor caret(look.text->document()->findBlockByNumber(2));
            look.text->setTextCursor(caret);
            QApplication::processEvents();
            const QString file =
                QDir(folder).filePath(rawValue(kind) + u'-' + rawValue(language) + ".png");
            if (!look.grab().save(file))
                std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        }
    }
    return 0;
}
