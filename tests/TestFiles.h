#pragma once

#include "model/MarkdownExportChooser.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// File helpers shared by the tests.

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes, const QDateTime &time = {})
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.flush();
    if (time.isValid())
        file.setFileTime(time, QFileDevice::FileModificationTime);
}

inline int modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

// An empty data home of its own for each test, never the user's.
inline std::unique_ptr<QTemporaryDir> privateDataHome()
{
    auto home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", home->path().toUtf8());
    if (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) != home->path())
        qFatal("The data home is not the temporary folder");
    return home;
}

// An export chooser that answers path (empty: the user cancelled).
struct FixedChooser : MarkdownExportChooser
{
    explicit FixedChooser(QString path)
        : path(std::move(path))
    {
    }
    QString chooseMarkdownExportPath(const QString &) override { return path; }
    QString path;
};
