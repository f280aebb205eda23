#pragma once

#include <QTranslator>

// Names the Super key as Linux keyboards and desktops do. Qt calls it "Meta" wherever it writes a
// shortcut out (menus, tooltips); everything else passes through to the other translators.
class KeyNameTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override;
};
