#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

// How ids, points in time and strings are spelled in Zorv's files.

// The canonical 8-4-4-4-12 form in upper case, without braces.
QString uuidText(const QUuid &id);

// Reads the canonical 8-4-4-4-12 form in any case; anything else (braces included) is no id.
std::optional<QUuid> uuidFromText(const QString &text);

// Points in time are stored as seconds since 2001-01-01 00:00:00 UTC, with fraction.
double referenceSeconds(const QDateTime &time);
QDateTime dateFromReferenceSeconds(double seconds);

// The local time now as the names of files kept aside spell it: "yyyyMMdd-HHmmss-zzz".
QString asideTimeStamp();

// JSON literals as the history file spells them: UTF-8, slashes escaped, control
// characters as short escapes or \u00xx; numbers in the shortest form that reads back exactly.
QByteArray jsonString(const QString &text);
QByteArray jsonNumber(double value);
