#include "editor/DocumentText.h"

#include <QTextDocument>

QString documentText(const QTextDocument &document)
{
    QString text = document.toRawText();
    // The raw text separates blocks with U+2029; an empty document may end in one.
    text.truncate(documentTextLength(document));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

int documentTextLength(const QTextDocument &document)
{
    return document.characterCount() - 1;
}
