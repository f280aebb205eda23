// Renders the main panel to PNG files for looking at it:
//   look_mainpanel <output-prefix>
// writes <prefix>-empty.png (no history, no memos) and <prefix>-full.png (eight cards, two of
// them pinned and the third active, and ten memos), each 720 x 400 on the panel's dark
// backdrop. Run it under a private X server with private XDG folders: it writes the data folder.
#include "editor/PasteInputViewController.h"
#include "model/CardStore.h"
#include "model/DataFolder.h"
#include "model/MemoStore.h"
#include "windows/MainPanelViewController.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

namespace {

// Stands in for the floating panel's rounded dark HUD fill.
class DarkBackdrop : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(90, 110, 140)); // a desktop behind the panel
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 16, 16);
        painter.fillPath(shape, QColor(30, 30, 32, 232));
    }
};

void fill(CardStore &cards, MemoStore &memos)
{
    const QStringList texts{
        QStringLiteral("お疲れさまです。明日の打ち合わせは 10 時からでお願いします。"),
        QStringLiteral("https://example.com/docs/setup"),
        QStringLiteral("git rebase -i HEAD~3"),
        QStringLiteral("住所：東京都千代田区丸の内 1-1-1"),
        QStringLiteral("よろしくお願いいたします。"),
        QStringLiteral("const total = items.reduce((a, b) => a + b, 0);"),
        QStringLiteral("会議室 B を予約しました"),
        QStringLiteral("ありがとうございます！"),
    };
    for (const QString &text : texts)
        cards.add(text);
    cards.togglePin(cards.cards.at(0).id);
    cards.togglePin(cards.cards.at(4).id);
    cards.select(cards.cards.at(2).id);
    for (int i = 0; i < 10; ++i) {
        memos.create();
        memos.setActiveText(QStringLiteral("メモ %1\n本文の %1 行目").arg(i + 1));
    }
    memos.togglePin(memos.memos.at(5).id);
}

void render(QWidget *backdrop, const QString &path)
{
    QApplication::processEvents();
    QApplication::processEvents();
    backdrop->grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    QDir(dataFolderURL()).removeRecursively();
    CardStore cards;
    MemoStore memos;
    memos.reload();

    DarkBackdrop backdrop;
    backdrop.resize(720, 400);
    auto *panel = new MainPanelViewController(cards, memos, {}, {}, &backdrop);
    panel->resize(backdrop.size());
    backdrop.show();
    panel->focusEditor();
    QTimer::singleShot(400, &app, [&] {
        render(&backdrop, prefix + "-empty.png");
        fill(cards, memos);
        panel->inputViewController()->loadText(
            QStringLiteral("function greet(name) {\n    return `こんにちは、${name}`;\n}\n"));
        QTimer::singleShot(400, &app, [&] {
            render(&backdrop, prefix + "-full.png");
            app.quit();
        });
    });
    return app.exec();
}
