#include "ViewTestSupport.h"

#include "model/CardStore.h"
#include "platform/Pasteboard.h"
#include "platform/PreferencesStore.h"
#include "views/CardListViewController.h"
#include "views/CardRowView.h"
#include "views/CardSlotView.h"
#include "views/ElidedLabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

struct EditRecorder
{
    QList<Card> edited;
};

} // namespace

class TestCardList : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ViewTest::resetUserData();
        store = std::make_unique<CardStore>();
        editor.edited.clear();
        list = std::make_unique<CardListViewController>(
            *store, [] {}, [] {});
        connect(list.get(), &CardListViewController::cardListDidRequestEdit, this,
                [this](const Card &card) { editor.edited.append(card); });
        list->resize(120, 373);
        list->show();
        Pasteboard::setString(QStringLiteral("untouched"));
    }

    void cleanup()
    {
        list.reset();
        store.reset();
    }

    void rowsFollowTheStoreOneTurnLater()
    {
        QVERIFY(list->emptyLabel()->isVisible()); // an empty history shows only the hint
        QVERIFY(!list->stackView()->isVisible());
        fill({"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"});
        QVERIFY(!list->emptyLabel()->isVisible());
        QVERIFY(list->stackView()->isVisible());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(row(i)->cardID(), store->cards.at(i).id);

        store->remove(store->cards.at(0).id);
        QCOMPARE(row(0)->bodyLabel()->text(), QStringLiteral("c1")); // not yet
        ViewTest::turn();
        QCOMPARE(row(0)->bodyLabel()->text(), QStringLiteral("c2"));
        QCOMPARE(row(5)->bodyLabel()->text(), QStringLiteral("c7"));

        while (store->cards.size() > 4)
            store->remove(store->cards.last().id);
        ViewTest::turn();
        QVERIFY(!list->slotViews().at(3)->isEmpty());
        QVERIFY(list->slotViews().at(4)->isEmpty());
        QVERIFY(list->slotViews().at(4)->isVisible()); // the freed slot shows its empty look
        QVERIFY(list->slotViews().at(4)->cardID().isNull());
    }

    // Two store changes in one event (delete the active card, pin the new top) used to rebuild
    // every row twice on the next turn.
    void changesInOneEventRebuildTheRowsOnce()
    {
        fill({"c1", "c2", "c3"});
        ViewTest::ChildAddedCounter hosted(list->slotViews().at(0));
        store->remove(store->cards.at(0).id);
        store->togglePin(store->cards.at(0).id);
        ViewTest::turn();
        QCOMPARE(hosted.count, 1);
        QCOMPARE(row(0)->bodyLabel()->text(), QStringLiteral("c2")); // read after both changes
        QVERIFY(row(0)->isPinned());
        QVERIFY(row(0)->isActiveCard());
    }

    // The outcome reads "clipboard active count": "-" for an untouched clipboard or no active
    // card, a "*" after the active card's text when it is pinned.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("withoutActiveCard");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *name, int key, int modifiers, bool withoutActive,
                            bool handled, const char *outcome) {
            QTest::newRow(name) << key << modifiers << withoutActive << handled << QString(outcome);
        };
        const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        row("Ctrl+P pins the active card", Qt::Key_P, ctrl, false, true, "- c1* 8");
        row("Ctrl+P without an active card is consumed", Qt::Key_P, ctrl, true, true, "- - 8");
        row("Ctrl+Shift+P is not the pin key", Qt::Key_P, ctrl + shift, false, false, "- c1 8");
        row("P alone is not ours", Qt::Key_P, 0, false, false, "- c1 8");
        row("Ctrl+Backspace deletes the active card and copies the new top", Qt::Key_Backspace,
            ctrl, false, true, "c2 c2 7");
        row("Ctrl+Backspace without an active card is consumed", Qt::Key_Backspace, ctrl, true,
            true, "- - 8");
        row("Ctrl+1 copies the first card", Qt::Key_1, ctrl, false, true, "c1 c1 8");
        row("Ctrl+8 reaches beyond the six rows", Qt::Key_8, ctrl, false, true, "c8 c8 8");
        row("Ctrl+Alt+3 still selects", Qt::Key_3, ctrl + alt, false, true, "c3 c3 8");
        row("Ctrl+9 past the end is consumed", Qt::Key_9, ctrl, false, true, "- c1 8");
        row("Ctrl+0 is not a card", Qt::Key_0, ctrl, false, false, "- c1 8");
        row("Ctrl+Shift+1 gives !, not a digit", Qt::Key_Exclam, ctrl + shift, false, false,
            "- c1 8");
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, withoutActiveCard);
        fill({"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"});
        if (withoutActiveCard)
            store->activeCardID.reset();
        Pasteboard::setString(QStringLiteral("untouched"));

        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QTEST(list->handleKeyDown(event), "handled");
        const QString clipboard = Pasteboard::string();
        const std::optional<Card> active =
            store->activeCardID ? store->card(*store->activeCardID) : std::nullopt;
        const QString shown = !active ? "-" : active->text + (active->isPinned ? "*" : "");
        QTEST(QStringLiteral("%1 %2 %3")
                  .arg(clipboard == "untouched" ? "-" : clipboard, shown)
                  .arg(store->cards.size()),
              "outcome");
    }

    void singleClickCopiesDoubleClickEdits()
    {
        fill({"c1", "c2", "c3"});
        QTest::mouseClick(row(2), Qt::LeftButton);
        QCOMPARE(Pasteboard::string(), QStringLiteral("c3"));
        QCOMPARE(store->activeCardID, store->cards.at(2).id);
        QVERIFY(editor.edited.isEmpty());

        ViewTest::turn();
        QVERIFY(row(2)->isActiveCard());
        QTest::mouseClick(row(1), Qt::LeftButton);
        QTest::mouseDClick(row(1), Qt::LeftButton);
        QCOMPARE(Pasteboard::string(), QStringLiteral("c2"));
        QCOMPARE(editor.edited.size(), 1);
        QCOMPARE(editor.edited.first(), store->cards.at(1));
    }

    // A third click in a row neither copies again nor edits again, although the first click
    // made the list rebuild its rows.
    void tripleClickDoesNothingMore()
    {
        fill({"c1", "c2"});
        const ulong start = ViewTest::newClickSeries();
        ViewTest::clickInSeries(row(1), 1, start);
        QCOMPARE(Pasteboard::string(), QStringLiteral("c2"));
        Pasteboard::setString(QStringLiteral("marker"));
        ViewTest::turn();
        ViewTest::clickInSeries(row(1), 2, start);
        QCOMPARE(editor.edited.size(), 1);
        ViewTest::turn();
        ViewTest::clickInSeries(row(1), 3, start);
        QCOMPARE(Pasteboard::string(), QStringLiteral("marker"));
        QCOMPARE(editor.edited.size(), 1);
    }

    void rowButtonsPinAndDelete()
    {
        fill({"c1", "c2", "c3"});
        QTest::mouseClick(row(1)->pinButton(), Qt::LeftButton);
        QVERIFY(store->cards.at(1).isPinned);
        QCOMPARE(Pasteboard::string(), QStringLiteral("untouched")); // the row was not selected
        ViewTest::turn();
        QVERIFY(row(1)->isPinned());

        QTest::mouseClick(row(2)->deleteButton(), Qt::LeftButton);
        QCOMPARE(store->cards.size(), 2);
        ViewTest::turn();
        QVERIFY(list->slotViews().at(2)->isEmpty());
    }

    void menuActions_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("orderAfter");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("edits");
        QTest::addColumn<bool>("pinnedAfter");

        const QStringList unchanged{"c1", "c2", "c3"};
        QTest::newRow("copy") << 1 << "クリップボードにコピー" << unchanged << "c2" << 0 << false;
        QTest::newRow("edit") << 1 << "入力欄で編集" << unchanged << "untouched" << 1 << false;
        QTest::newRow("move up") << 1 << "上に移動" << QStringList{"c2", "c1", "c3"} << "untouched"
                                 << 0 << false;
        QTest::newRow("move up the top card")
            << 0 << "上に移動" << unchanged << "untouched" << 0 << false;
        QTest::newRow("pin") << 1 << "固定" << unchanged << "untouched" << 0 << true;
        QTest::newRow("delete") << 1 << "削除" << QStringList{"c1", "c3"} << "untouched" << 0
                                << false;
    }

    void menuActions()
    {
        QFETCH(int, slot);
        QFETCH(QString, item);
        QFETCH(bool, pinnedAfter);
        fill({"c1", "c2", "c3"});
        Pasteboard::setString(QStringLiteral("untouched"));
        const QUuid id = store->cards.at(slot).id;

        QTest::mouseClick(row(slot), Qt::RightButton);
        QMenu *menu = ViewTest::openMenu(list.get());
        QVERIFY(menu);
        QCOMPARE(ViewTest::menuTitles(menu), (QStringList{"クリップボードにコピー", "入力欄で編集",
                                                          "-", "上に移動", "固定", "-", "削除"}));
        QCOMPARE(Pasteboard::string(), QStringLiteral("untouched")); // a right click does not copy
        ViewTest::menuItem(menu, item)->trigger();
        menu->close();

        QStringList order;
        for (const Card &card : store->cards)
            order.append(card.text);
        QTEST(order, "orderAfter");
        QTEST(Pasteboard::string(), "clipboard");
        QTEST(int(editor.edited.size()), "edits");
        const std::optional<Card> after = store->card(id);
        QCOMPARE(after && after->isPinned, pinnedAfter);
        if (pinnedAfter) {
            ViewTest::turn();
            QTest::mouseClick(row(slot), Qt::RightButton);
            QVERIFY(ViewTest::menuItem(ViewTest::openMenu(list.get()), "固定を解除"));
            ViewTest::openMenu(list.get())->close();
        }
    }

    void eventsForAVanishedCardDoNothing()
    {
        fill({"c1", "c2"});
        CardRowView *stale = row(1);
        store->remove(store->cards.at(1).id); // the row stays until the next turn
        Pasteboard::setString(QStringLiteral("untouched"));
        QTest::mouseClick(stale, Qt::LeftButton);
        QTest::mouseDClick(stale, Qt::LeftButton);
        QTest::mouseClick(stale, Qt::RightButton);
        QCOMPARE(Pasteboard::string(), QStringLiteral("untouched"));
        QVERIFY(editor.edited.isEmpty());
        QVERIFY(!ViewTest::openMenu(list.get()));
        QCOMPARE(store->cards.size(), 1);
    }

    // A list built before it joins the dark panel takes the panel's text colour for its buttons.
    void headerTitlesTurnLightOnADarkPanel()
    {
        CardListViewController late(*store, {}, {});
        QWidget backdrop;
        QPalette dark = backdrop.palette();
        dark.setColor(QPalette::Window, QColor(30, 30, 32));
        dark.setColor(QPalette::WindowText, QColor(235, 235, 240));
        backdrop.setPalette(dark);
        backdrop.setAutoFillBackground(true);
        backdrop.resize(120, 373);
        late.setParent(&backdrop);
        late.resize(120, 373);
        late.show();
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        QPushButton *button = late.settingsButton();
        const QImage shot =
            backdrop.grab(QRect(button->mapTo(&backdrop, QPoint()), button->size())).toImage();
        int lightest = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                lightest = qMax(lightest, shot.pixelColor(x, y).lightness());
        }
        late.setParent(nullptr);
        QVERIFY2(lightest > 160, qPrintable(QString::number(lightest)));
    }

    void previewText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("expected");
        const QString thumb = QStringLiteral("👍🏽"); // a skin-tone modifier: one character
        const QString family = QStringLiteral("👩‍👩‍👧"); // joined by ZWJ: one character
        QTest::newRow("line feeds") << "  alpha\nbeta  " << 0 << "alpha beta";
        QTest::newRow("each line feed a space") << "a\n\nb" << 0 << "a  b";
        QTest::newRow("empty") << "" << 0 << " ";
        QTest::newRow("19 characters") << "abcdefghijklmnopqrs" << 0 << "abcdefghijklmnopqr…";
        QTest::newRow("18 emoji") << thumb.repeated(18) << 0 << thumb.repeated(18);
        QTest::newRow("19 emoji") << thumb.repeated(19) << 0 << thumb.repeated(18) + "…";
        QTest::newRow("joined emoji") << family.repeated(4) << 3 << family.repeated(3) + "…";
        QTest::newRow("combining accent")
            << QStringLiteral("e\u0301e\u0301e\u0301") << 2 << QStringLiteral("e\u0301e\u0301…");
    }

    void previewText()
    {
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        if (maxLength > 0)
            PreferencesStore::standard().setInt("cardPreviewMaxLength", maxLength);
        QTEST(CardRowView::cardPreviewText(text), "expected");
    }

private:
    // Adds texts so that texts[0] ends at the top of the history and is active.
    void fill(const QStringList &texts)
    {
        for (auto text = texts.crbegin(); text != texts.crend(); ++text)
            store->add(*text);
        ViewTest::turn();
    }

    CardRowView *row(int slot) const { return list->slotViews().at(slot)->hostedRow(); }

    std::unique_ptr<CardStore> store;
    std::unique_ptr<CardListViewController> list;
    EditRecorder editor;
};

QTEST_MAIN(TestCardList)
#include "tst_cardlist.moc"
