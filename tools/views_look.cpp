// Renders the history column and the memo strip with sample data to PNG files, for looking
// at them. Usage: views_look <output folder> [dark]. "dark" gives the views the dark palette
// of a dark panel. Run it under a private display and private XDG folders: it writes sample
// memos and history into the data folder it finds.
#include "model/AppSettings.h"
#include "model/CardStore.h"
#include "model/DataFolder.h"
#include "model/MemoStore.h"
#include "platform/PreferencesStore.h"
#include "views/CardListViewController.h"
#include "views/MemoPanelViewController.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QWidget>

namespace {

void useDarkPalette()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, QColor(0x2B, 0x2D, 0x33));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Button, QColor(0x55, 0x58, 0x60));
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Base, QColor(0x1E, 0x1F, 0x24));
    QApplication::setPalette(palette);
}

void save(QWidget *view, const QSize &size, const QString &path)
{
    QWidget backdrop;
    backdrop.setAutoFillBackground(true);
    QPalette palette = backdrop.palette();
    if (palette.color(QPalette::Window).lightness() > 128)
        palette.setColor(QPalette::Window, QColor(0xEC, 0xEC, 0xEC));
    backdrop.setPalette(palette);
    view->setParent(&backdrop);
    view->setGeometry(0, 0, size.width(), size.height());
    backdrop.resize(size);
    backdrop.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    backdrop.grab().save(path);
    view->setParent(nullptr);
}

void fillHistory(CardStore &store)
{
    const QStringList texts{"こんにちは、世界",
                            "console.log(\"hello\")",
                            "買い物リスト\n牛乳\n卵",
                            "Meeting notes: budget, timeline and staffing for the spring",
                            "短い",
                            "  indented text  ",
                            "seventh card",
                            "eighth card"};
    for (auto text = texts.crbegin(); text != texts.crend(); ++text)
        store.add(*text);
    store.togglePin(store.cards.at(1).id);
    store.togglePin(store.cards.at(4).id);
    store.select(store.cards.at(2).id);
}

void fillMemos(MemoStore &store)
{
    for (int i = 0; i < 10; ++i) {
        store.create();
        store.setActiveText(QStringLiteral("メモ %1 の本文").arg(i + 1));
    }
    store.togglePin(store.memos.at(6).id);
    store.togglePin(store.memos.at(8).id);
    store.select(store.memos.at(3).id, false);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("dark"))
        useDarkPalette();
    PreferencesStore::standard().clear();
    QDir(dataFolderURL()).removeRecursively();

    CardStore cards;
    CardListViewController emptyList(cards, {}, {});
    save(&emptyList, {120, 373}, out.filePath("cardlist-empty.png"));
    fillHistory(cards);
    CardListViewController list(cards, {}, {});
    save(&list, {120, 373}, out.filePath("cardlist-eight.png"));

    MemoStore memos;
    memos.reload();
    MemoPanelViewController emptyPanel(memos);
    save(&emptyPanel, {595, 112}, out.filePath("memopanel-empty.png"));
    fillMemos(memos);
    MemoPanelViewController panel(memos);
    save(&panel, {595, 112}, out.filePath("memopanel-ten.png"));
    AppSettings::maxVisibleMemos.set(8);
    save(&panel, {595, 112}, out.filePath("memopanel-ten-limit8.png"));
    return 0;
}
