#pragma once

#include <QByteArray>
#include <QVariantMap>

// The bytes of an ini file that Qt's QSettings::IniFormat reads back as values: every text
// escaped and quoted as Qt does it, so that commas, a leading "@", quotes, line breaks and
// any Unicode text read back unchanged. A key "group/name" goes under "[group]"; other keys
// under "[General]". Lists are written as lists; other values as their text.
QByteArray iniFileContent(const QVariantMap &values);
