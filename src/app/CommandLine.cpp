#include "app/CommandLine.h"

#include <array>

namespace {

struct RequestOption
{
    CommandLine::Request request;
    const char *name;
    const char *description;
};

const std::array<RequestOption, 4> requestOptions = {{
    {CommandLine::Request::show, "show", "パネルを表示して入力できる状態にする"},
    {CommandLine::Request::toggle, "toggle",
     "表示ホットキーと同じ動作（デスクトップのショートカットに割り当てる）"},
    {CommandLine::Request::settings, "settings", "設定ウインドウを開く"},
    {CommandLine::Request::background, "background",
     "パネルを出さずに起動する（ログイン時の起動用）"},
}};

} // namespace

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("この説明を表示する"))
    , m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("バージョンを表示する"))
{
    // Qt's own --help-all would list options this command line does not take.
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.setApplicationDescription(
        QStringLiteral("書いた文章をそのままクリップボードへ。起動中の Zorv があれば、"
                       "その Zorv に頼んで終わります。"));
    for (const RequestOption &option : requestOptions)
        m_parser.addOption(QCommandLineOption(QString::fromLatin1(option.name),
                                              QString::fromUtf8(option.description)));
}

bool CommandLine::parse(const QStringList &arguments)
{
    if (!m_parser.parse(arguments)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        m_error = unknown.isEmpty() ? m_parser.errorText()
                                    : QStringLiteral("不明なオプションです: %1%2")
                                          .arg(unknown.constFirst().size() == 1 ? "-" : "--",
                                               unknown.constFirst());
        return false;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error =
            QStringLiteral("余分な引数です: %1").arg(m_parser.positionalArguments().constFirst());
        return false;
    }
    int requests = 0;
    for (const RequestOption &option : requestOptions) {
        if (m_parser.isSet(QString::fromLatin1(option.name))) {
            m_request = option.request;
            ++requests;
        }
    }
    if (requests > 1) {
        m_error =
            QStringLiteral("--show, --toggle, --settings, --background は一つだけ指定できます");
        return false;
    }
    return true;
}

bool CommandLine::printsAndExits() const
{
    return m_parser.isSet(m_help) || m_parser.isSet(m_version);
}

void CommandLine::printAndExit()
{
    if (m_parser.isSet(m_help))
        m_parser.showHelp(0);
    m_parser.showVersion();
}

QString CommandLine::handOverText(Request request)
{
    switch (request) {
    case Request::toggle:
        return QStringLiteral("toggle");
    case Request::settings:
        return QStringLiteral("settings");
    case Request::background: // Zorv already runs: nothing to start, nothing to show
        return {};
    case Request::start:
    case Request::show:
        break;
    }
    return QStringLiteral("show");
}
