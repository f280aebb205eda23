#pragma once

#include <QColor>

// The eight colours the syntax colouring paints with, one per role.
struct SyntaxColors
{
    QColor comment;
    QColor string;
    QColor keyword;
    QColor tag;
    QColor attribute;
    QColor property;
    QColor number;
    QColor selector;

    bool operator==(const SyntaxColors &) const = default;
};
