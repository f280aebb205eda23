// Until the floating window and the application delegate arrive, Zorv shows its main panel in
// an ordinary window so that the confirm road can be used by hand.
#include "model/CardStore.h"
#include "model/HistoryFile.h"
#include "model/MemoStore.h"
#include "windows/MainPanelViewController.h"

#include <QApplication>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The panel's dark backdrop, which the floating window will paint.
class DarkBackdrop : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), QColor(30, 30, 32)); }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CardStore cardStore;
    if (const auto snapshot = loadHistory()) {
        cardStore.cards = snapshot->cards;
        cardStore.activeCardID = snapshot->activeCardID;
    }
    MemoStore memoStore;
    memoStore.reload();

    DarkBackdrop window;
    window.setWindowTitle(QStringLiteral("Zorv"));
    window.resize(720, 400);
    auto *panel = new MainPanelViewController(cardStore, memoStore, {}, {}, &window);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    window.show();
    panel->focusEditor();
    QObject::connect(&app, &QApplication::aboutToQuit,
                     [&] { saveHistory(cardStore.cards, cardStore.activeCardID); });
    return app.exec();
}
