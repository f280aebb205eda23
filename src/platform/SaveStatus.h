#pragma once

#include <QMap>
#include <QObject>

// Which of Zorv's files could not be saved, and why. Everything stays in memory while a save
// fails; the panel's title band and the tray's tooltip say so until a save of that file succeeds.
class SaveStatus : public QObject
{
    Q_OBJECT

public:
    enum class Target { history, memos, preferences };

    static SaveStatus &shared();

    // errorNumber is the errno of a failed save.
    void report(Target target, bool saved, int errorNumber = 0);
    bool isFailing() const { return !m_failures.isEmpty(); }
    bool isFailing(Target target) const { return m_failures.contains(target); }
    // "保存できません: ディスクがいっぱいです"; empty while every save succeeds.
    QString message() const;

signals:
    void changed();

private:
    QMap<Target, int> m_failures;
};
