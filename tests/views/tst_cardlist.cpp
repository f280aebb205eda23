#include "ViewTestSupport.h"

#include "model/CardStore.h"
#include "platform/Pasteboard.h"
#include "views/CardListViewController.h"
#include "views/CardRowView.h"
#include "views/CardSlotView.h"
#include "views/ElidedLabel.h"

#include <QKeyEvent>
#include <QPushButton>
#include <memory>

class TestCardList : public QObject
{
    Q_OBJECT

    std::unique_ptr<CardStore> store;
    std::unique_ptr<QWidget> backdrop; // the dark panel
    CardListViewController *list = nullptr;
    std::unique_ptr<QSignalSpy> edits;

    // A history of texts, top first, the top card active (set directly: nothing is written).
    void fill(const QStringList &texts)
    {
        for (const QString &text : texts)
            store->cards.append(Card{QUuid::createUuid(), text, QDateTime::currentDateTimeUtc()});
        store->activeCardID = store->cards.first().id;
        list->reloadCards();
    }

    CardRowView *row(int slot) const { return list->slotViews().at(slot)->hostedRow(); }

private slots:
    void init()
    {
        ViewTest::resetUserData();
        store = std::make_unique<CardStore>();
        list = new CardListViewController(*store, {}, {});
        edits = std::make_unique<QSignalSpy>(list, &CardListViewController::cardListDidRequestEdit);
        backdrop = std::make_unique<QWidget>();
        ViewTest::makeDark(backdrop.get());
        list->setParent(backdrop.get()); // joins the panel after it was built, as it does there
        list->resize(120, 373);
        backdrop->resize(120, 373);
        backdrop->show();
        Pasteboard::setString("untouched");
    }

    void cleanup()
    {
        backdrop.reset();
        store.reset();
    }

    // Regression: one event's changes (delete the active card, pin the top) rebuilt rows twice.
    void rowsFollowTheStoreOneTurnLater()
    {
        QVERIFY(list->emptyLabel()->isVisible()); // an empty history shows only the hint
        QVERIFY(!list->stackView()->isVisible());
        fill({"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"});
        QVERIFY(!list->emptyLabel()->isVisible());
        QVERIFY(list->stackView()->isVisible());
        ViewTest::ChildAddedCounter hosted(list->slotViews().at(0));
        store->remove(store->cards.at(0).id);
        store->togglePin(store->cards.at(0).id);
        QCOMPARE(row(0)->bodyLabel()->text(), "c1"); // not yet
        ViewTest::turn();
        QCOMPARE(hosted.count, 1);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(row(i)->cardID(), store->cards.at(i).id);
        QVERIFY(row(0)->isPinned());
        QVERIFY(row(0)->isActiveCard());

        while (store->cards.size() > 4)
            store->remove(store->cards.last().id);
        ViewTest::turn();
        QVERIFY(!list->slotViews().at(3)->isEmpty());
        QVERIFY(list->slotViews().at(4)->isEmpty());
        QVERIFY(list->slotViews().at(4)->isVisible()); // the freed slot shows its empty look
        QVERIFY(list->slotViews().at(4)->cardID().isNull());
    }

    // From c1...c8, c1 active: keys, a row's buttons ("pin 2"), its menu ("menu 2 固定"), "none"
    // drops the active card. Outcome: clipboard ("-": untouched), the top three rows (*: pinned,
    // <: active), the count, then each card sent to the editor.
    void commands_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<bool>("handled"); // what handleKeyDown answers for a key
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char *name, const char *commands, bool handled,
                            const char *outcome) {
            QTest::newRow(name) << QString(commands) << handled << QString(outcome);
        };
        row("Ctrl+P pins the active card", "Ctrl+P", true, "- c1*< c2 c3 8");
        row("Ctrl+P without an active card is consumed", "none, Ctrl+P", true, "- c1 c2 c3 8");
        row("Ctrl+Shift+P is not the pin key", "Ctrl+Shift+P", false, "- c1< c2 c3 8");
        row("P alone is not ours", "P", false, "- c1< c2 c3 8");
        row("Ctrl+Backspace deletes the active card and copies the new top", "Ctrl+Backspace", true,
            "c2 c2< c3 c4 7");
        row("Ctrl+Backspace without an active card is consumed", "none, Ctrl+Backspace", true,
            "- c1 c2 c3 8");
        row("Ctrl+1 copies the first card", "Ctrl+1", true, "c1 c1< c2 c3 8");
        row("Ctrl+8 reaches beyond the six rows", "Ctrl+8", true, "c8 c1 c2 c3 8");
        row("Ctrl+Alt+3 still selects", "Ctrl+Alt+3", true, "c3 c1 c2 c3< 8");
        row("Ctrl+9 past the end is consumed", "Ctrl+9", true, "- c1< c2 c3 8");
        row("Ctrl+0 is not a card", "Ctrl+0", false, "- c1< c2 c3 8");
        row("Ctrl+Shift+1 gives !, not a digit", "Ctrl+Shift+!", false, "- c1< c2 c3 8");
        row("pin button, without selecting", "pin 2", true, "- c1< c2* c3 8");
        row("delete button", "delete 2", true, "- c1< c3 c4 7");
        row("menu: copy", "menu 2 クリップボードにコピー", true, "c2 c1 c2< c3 8");
        row("menu: edit", "menu 2 入力欄で編集", true, "- c1< c2 c3 8 edit c2");
        row("menu: move up", "menu 2 上に移動", true, "- c2 c1< c3 8");
        row("menu: move up the top card", "menu 1 上に移動", true, "- c1< c2 c3 8");
        row("menu: pin", "menu 2 固定", true, "- c1< c2* c3 8");
        row("menu: unpin", "pin 2, menu 2 固定を解除", true, "- c1< c2 c3 8");
        row("menu: delete", "menu 2 削除", true, "- c1< c3 c4 7");
    }

    void commands()
    {
        QFETCH(QString, commands);
        fill({"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8"});
        for (const QString &command : commands.split(", ")) {
            const QStringList words = command.split(' ');
            CardRowView *target = words.size() > 1 ? row(words.at(1).toInt() - 1) : nullptr;
            if (command == "none") {
                store->activeCardID.reset();
                list->reloadCards();
            } else if (words.first() == "menu") {
                QVERIFY(ViewTest::pickFromMenu(target, list, words.at(2)));
            } else if (target) {
                QTest::mouseClick(words.first() == "pin" ? target->pinButton()
                                                         : target->deleteButton(),
                                  Qt::LeftButton);
            } else {
                const QKeyCombination key = QKeySequence(command)[0];
                const QKeyEvent event(QEvent::KeyPress, key.key(), key.keyboardModifiers());
                QTEST(list->handleKeyDown(event), "handled");
            }
            ViewTest::turn();
        }
        QString outcome = Pasteboard::string() == "untouched" ? "-" : Pasteboard::string();
        for (int i = 0; i < 3; ++i) {
            outcome += ' ' + row(i)->bodyLabel()->text() + (row(i)->isPinned() ? "*" : "") +
                       (row(i)->isActiveCard() ? "<" : "");
        }
        outcome += ' ' + QString::number(store->cards.size());
        for (const QList<QVariant> &edit : std::as_const(*edits))
            outcome += " edit " + edit.first().value<Card>().text;
        QTEST(outcome, "outcome");
    }

    void clicks_data()
    {
        QTest::addColumn<int>("clickCount");
        QTest::addColumn<int>("edits");
        QTest::newRow("single click copies") << 1 << 0;
        QTest::newRow("double click edits") << 2 << 1;
        // The first click rebuilt the rows; a third click neither copied nor edited again.
        QTest::newRow("triple click does nothing more") << 3 << 1;
    }

    void clicks()
    {
        QFETCH(int, clickCount);
        fill({"c1", "c2", "c3"});
        ViewTest::clickSeries([this] { return row(1); }, clickCount,
                              [this] {
                                  QCOMPARE(Pasteboard::string(), "c2");
                                  Pasteboard::setString("marker");
                              });
        QCOMPARE(store->activeCardID, store->cards.at(1).id);
        QVERIFY(row(1)->isActiveCard());
        QCOMPARE(Pasteboard::string(), "marker");
        QTEST(int(edits->size()), "edits");
        if (!edits->isEmpty())
            QCOMPARE(edits->first().first().value<Card>(), store->cards.at(1));
    }

    void eventsForAVanishedCardDoNothing()
    {
        fill({"c1", "c2"});
        CardRowView *stale = row(1);
        store->remove(store->cards.at(1).id); // the row stays until the next turn
        QTest::mouseClick(stale, Qt::LeftButton);
        QTest::mouseDClick(stale, Qt::LeftButton);
        QVERIFY(!ViewTest::pickFromMenu(stale, list, "削除"));
        QCOMPARE(Pasteboard::string(), "untouched");
        QVERIFY(edits->isEmpty());
        QCOMPARE(store->cards.size(), 1);
    }

    // Regression: a list built before it joined the dark panel kept dark header titles.
    void headerTitlesAreLightOnTheDarkPanel()
    {
        QVERIFY(QTest::qWaitForWindowExposed(backdrop.get()));
        QPushButton *button = list->settingsButton();
        const QImage shot =
            backdrop->grab(QRect(button->mapTo(backdrop.get(), QPoint()), button->size()))
                .toImage();
        int lightest = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                lightest = qMax(lightest, shot.pixelColor(x, y).lightness());
        }
        QVERIFY2(lightest > 160, qPrintable(QString::number(lightest)));
    }

    void previewText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("expected");
        const QString family = QStringLiteral("👩‍👩‍👧"); // joined by ZWJ: one character
        QTest::newRow("each line feed a space") << "  alpha\n\nbeta  " << 0 << "alpha  beta";
        QTest::newRow("empty") << "" << 0 << " ";
        QTest::newRow("19 characters") << "abcdefghijklmnopqrs" << 0 << "abcdefghijklmnopqr…";
        QTest::newRow("joined emoji") << family.repeated(4) << 3 << family.repeated(3) + "…";
        QTest::newRow("combining accent")
            << QStringLiteral("e\u0301e\u0301e\u0301") << 2 << QStringLiteral("e\u0301e\u0301…");
    }

    void previewText()
    {
        QFETCH(QString, text);
        if (QFETCH(int, maxLength); maxLength > 0)
            PreferencesStore::standard().setInt("cardPreviewMaxLength", maxLength);
        QTEST(CardRowView::cardPreviewText(text), "expected");
    }
};

QTEST_MAIN(TestCardList)
#include "tst_cardlist.moc"
