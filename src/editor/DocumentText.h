#pragma once

#include <QString>

class QTextDocument;

// The document's text exactly as typed, lines joined with "\n". Unlike
// QTextDocument::toPlainText it leaves non-breaking spaces and U+2028 alone.
QString documentText(const QTextDocument &document);
// Length of that text in UTF-16 code units, without building it.
int documentTextLength(const QTextDocument &document);
