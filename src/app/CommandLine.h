#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// Zorv's command line, read before any application object exists: a start that only prints,
// fails or hands a request to the running Zorv never loads the interface.
class CommandLine
{
public:
    enum class Request { start, show, toggle, settings, background };

    CommandLine();

    // False when the arguments are wrong; errorText() then says why in one line.
    bool parse(const QStringList &arguments);
    QString errorText() const { return m_error; }
    // --help or --version: print and end (needs a core application object).
    bool printsAndExits() const;
    [[noreturn]] void printAndExit();
    Request request() const { return m_request; }
    // What a start hands to the running Zorv; empty when it has nothing to ask of it.
    static QString handOverText(Request request);

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    Request m_request = Request::start;
    QString m_error;
};
