#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <vector>

#include "form1.h"
#include "number_forms.h"
#include "startup.h"
#include "tally_test_support.h"
#include "window_test_support.h"

using Steps = std::function<void(Form1&)>;
using Op = std::function<void(tally::Tally&)>;
using Ops = std::vector<Op>;
Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Ops)

namespace {

using namespace tally::testing;

// The centre of one part of a scroll bar: an arrow, the thumb or a page of the track.
QPoint centreOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// Sent to the window as the platform would, so that Qt itself makes the second
// press a double click.
void doubleClick(QWidget* widget) {
    QWidget* top = widget->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {},
                       widget->mapTo(top, widget->rect().center()));
}

void clickArrow(QScrollBar* bar, QStyle::SubControl arrow, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(bar, arrow));
}

// Keys go where the keyboard sends them: to the widget that holds the focus.
void press(QWidget* focus, Qt::Key key, int times = 1) {
    focus->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key);
}

Op cardClick(int rank) {
    return [rank](tally::Tally& t) { t.cmd_Click(rank); };
}
Op deckButton() {
    return [](tally::Tally& t) { t.cmdNBJeux_Click(); };
}
Op deckChange(int decks) {
    return [decks](tally::Tally& t) { t.HScroll1_Change(decks); };
}
Op valueChange(int rank, int value) {
    return [rank, value](tally::Tally& t) { t.HScroll2_Change(rank, value); };
}
Ops times(int n, const Op& op) { return Ops(n, op); }

class ShownForm {
public:
    ShownForm() : form([this] { ++beeps; }) {
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    int beeps = 0;
    Form1 form;
};

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
    void windowAndScrollBars();
    void tabWalksTheFocusOrder();
    void events_data();
    void events();
    void thumbDragChangesOnceAtTheRelease();
    void beepSoundsBeforeTheCaptionsChange();
    void accessibility_data();
    void accessibility();
    void startsCentredAndClosesCleanly();
};

void Form1Test::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");

    const char* const cards[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "V", "D", "R", "A"};
    const char* const values[] = {"1", "1",  "1",  "1",  "1",  "0", "0",
                                  "0", "-1", "-1", "-1", "-1", "-1"};
    for (int i = 0; i < 13; ++i) {
        const int left = 1320 + 600 * i;
        auto row = [&](const char* array, const char* kind, int top, int height, QString text) {
            const QString name = QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i);
            QTest::newRow(qPrintable(name))
                << name << QString::fromLatin1(kind) << QRect(left, top, 495, height) << text;
        };
        row("cmd", "QPushButton", 3480, 495, QString::fromLatin1(cards[i]));
        row("Nombre", "QPushButton", 4680, 495, QStringLiteral("0"));
        row("Reste", "QPushButton", 5160, 495, QStringLiteral("24"));
        row("Command1", "QPushButton", 5760, 495, QString::fromLatin1(values[i]));
        row("HScroll2", "QScrollBar", 6240, 255, QString());
    }
    struct Single {
        const char* name;
        const char* kind;
        QRect twips;
        const char* caption;
    };
    const Single singles[] = {
        {"lblCarte", "QLabel", {360, 3600, 735, 375}, "Click sur les cartes"},
        {"lblNombre", "QLabel", {360, 4680, 975, 495}, "Sorties"},
        {"Label6", "QLabel", {360, 5280, 855, 375}, "Restantes"},
        {"Label1", "QLabel", {360, 5760, 735, 495}, "Valeur des cartes"},
        {"Label2", "QLabel", {4320, 120, 1935, 495}, "Cartes restantes au sabot :"},
        {"lblSabot", "QLabel", {6360, 120, 495, 495}, "312"},
        {"Label5", "QLabel", {4320, 720, 1935, 255}, "Cartes tirées"},
        {"lblTires", "QLabel", {6360, 720, 495, 375}, "0"},
        {"HScroll1", "QScrollBar", {6360, 1080, 495, 255}, ""},
        {"Label4", "QLabel", {4200, 1320, 1935, 495}, "Nombre de jeux par sabot"},
        {"cmdNBJeux", "QPushButton", {6360, 1320, 495, 495}, "6"},
        {"Label3", "QLabel", {4200, 2040, 2055, 495}, "Compte cartes"},
        {"cmdValeur", "QPushButton", {6360, 1920, 495, 495}, "0"},
        {"Label7", "QLabel", {4200, 2520, 2055, 495}, "Miser"},
        {"Valeursabot", "QPushButton", {6360, 2520, 495, 495}, "0"},
    };
    for (const Single& s : singles)
        QTest::newRow(s.name) << QString::fromLatin1(s.name) << QString::fromLatin1(s.kind)
                              << s.twips << QString::fromUtf8(s.caption);
}

void Form1Test::layout() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);

    Form1 form([] {});
    auto* widget = form.findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
    QCOMPARE(captionOf(widget), caption);

    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(widget->pos(), pixels.topLeft());
    QCOMPARE(widget->width(), pixels.width());
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && label->wordWrap()) {
        // A wrapped heading may run lower than drawn, to show all its lines.
        QVERIFY(widget->height() >= pixels.height());
        QVERIFY(widget->height() >= label->heightForWidth(label->width()));
    } else {
        QCOMPARE(widget->height(), pixels.height());
    }
    QVERIFY(QRect(QPoint(), form.size()).contains(widget->geometry()));
}

void Form1Test::windowAndScrollBars() {
    Form1 form([] {});
    QCOMPARE(form.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(form.size(), QSize(656, 475));
    QVERIFY(form.findChildren<QLabel*>().size() == 11);
    QVERIFY(form.findChildren<QPushButton*>().size() == 4 * 13 + 3);
    QVERIFY(form.findChildren<QScrollBar*>().size() == 14);

    const int lowest[] = {0, 0, 0, 0, 0, 0, 0, 0, -3, -3, -3, -3, -3};
    const int starting[] = {1, 1, 1, 1, 1, 0, 0, 0, -1, -1, -1, -1, -1};
    for (int i = 0; i < 13; ++i) {
        QScrollBar* bar = form.HScroll2(i);
        QCOMPARE(bar->minimum(), lowest[i]);
        QCOMPARE(bar->maximum(), 32767);
        QCOMPARE(bar->value(), starting[i]);
        QCOMPARE(bar->singleStep(), 1);
        QCOMPARE(bar->pageStep(), 1);
        QCOMPARE(bar->orientation(), Qt::Horizontal);
    }
    QCOMPARE(form.HScroll1()->minimum(), 0);
    QCOMPARE(form.HScroll1()->maximum(), 10);
    QCOMPARE(form.HScroll1()->value(), 6);
    QCOMPARE(form.HScroll1()->pageStep(), 1);
}

void Form1Test::tabWalksTheFocusOrder() {
    ShownForm shown;
    Form1& form = shown.form;
    QCOMPARE(QApplication::focusWidget(), form.cmd(0));

    QStringList expected;
    for (const char* row : {"cmd", "Command1", "Nombre"})
        for (int i = 0; i < 13; ++i)
            expected << QStringLiteral("%1(%2)").arg(QLatin1String(row)).arg(i);
    expected << QStringLiteral("cmdNBJeux") << QStringLiteral("cmdValeur")
             << QStringLiteral("HScroll1");
    for (const char* row : {"HScroll2", "Reste"})
        for (int i = 0; i < 13; ++i)
            expected << QStringLiteral("%1(%2)").arg(QLatin1String(row)).arg(i);
    expected << QStringLiteral("Valeursabot") << QStringLiteral("cmd(0)");

    QStringList walked;
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    expected.removeFirst();
    QCOMPARE(walked, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), form.Valeursabot());
}

void Form1Test::events_data() {
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<Ops>("expected");
    using SC = QStyle::SubControl;
    const SC left = QStyle::SC_ScrollBarSubLine, right = QStyle::SC_ScrollBarAddLine;

    QTest::newRow("mouse click on 5")
        << Steps([](Form1& f) { click(f.cmd(kFive)); }) << Ops{cardClick(kFive)};
    QTest::newRow("mouse click on every card") << Steps([](Form1& f) {
        for (int i = 0; i < 13; ++i) click(f.cmd(i));
    })
                                               << [] {
                                                      Ops ops;
                                                      for (int i = 0; i < 13; ++i)
                                                          ops.push_back(cardClick(i));
                                                      return ops;
                                                  }();
    QTest::newRow("double click on 7 counts two cards")
        << Steps([](Form1& f) { doubleClick(f.cmd(kSeven)); }) << times(2, cardClick(kSeven));
    QTest::newRow("burst of 60 clicks on 2") << Steps([](Form1& f) {
        for (int i = 0; i < 60; ++i) click(f.cmd(kTwo));
    }) << times(60, cardClick(kTwo));
    QTest::newRow("Space on the focused 6")
        << Steps([](Form1& f) { press(f.cmd(kSix), Qt::Key_Space); }) << Ops{cardClick(kSix)};
    QTest::newRow("display-only buttons by mouse and Space") << Steps([](Form1& f) {
        click(f.cmd(kFive));
        for (QWidget* w :
             {static_cast<QWidget*>(f.Nombre(kFive)), static_cast<QWidget*>(f.Reste(kFive)),
              static_cast<QWidget*>(f.Command1(kFive)), static_cast<QWidget*>(f.cmdValeur()),
              static_cast<QWidget*>(f.Valeursabot()), static_cast<QWidget*>(f.lblSabot()),
              static_cast<QWidget*>(f.lblTires())}) {
            click(w);
            doubleClick(w);
        }
        press(f.Command1(kAce), Qt::Key_Space);
        press(f.Valeursabot(), Qt::Key_Space);
    }) << Ops{cardClick(kFive)};
    QTest::newRow("deck button after three cards") << Steps([](Form1& f) {
        for (int rank : {kFive, kAce, kKing}) click(f.cmd(rank));
        click(f.cmdNBJeux());
    }) << Ops{cardClick(kFive), cardClick(kAce), cardClick(kKing), deckButton()};
    QTest::newRow("Space on the deck button") << Steps([](Form1& f) {
        click(f.cmd(kTwo));
        press(f.cmdNBJeux(), Qt::Key_Space);
    }) << Ops{cardClick(kTwo), deckButton()};
    QTest::newRow("right arrow of the deck bar, then a card") << Steps([f = right](Form1& form) {
        click(form.cmd(kTen));
        clickArrow(form.HScroll1(), f);
        click(form.cmd(kTwo));
    }) << Ops{cardClick(kTen), deckChange(7), cardClick(kTwo)};
    QTest::newRow("arrow keys on the deck bar") << Steps([](Form1& f) {
        press(f.HScroll1(), Qt::Key_Right);
        press(f.HScroll1(), Qt::Key_Left, 2);
    }) << Ops{deckChange(7), deckChange(6), deckChange(5)};
    QTest::newRow("deck bar held at 0") << Steps([left](Form1& f) {
        press(f.HScroll1(), Qt::Key_Left, 6);
        clickArrow(f.HScroll1(), left, 2);
        press(f.HScroll1(), Qt::Key_Left);
        click(f.cmd(kTwo));
    }) << Ops{deckChange(5), deckChange(4), deckChange(3),  deckChange(2),
              deckChange(1), deckChange(0), cardClick(kTwo)};
    QTest::newRow("deck bar held at 10")
        << Steps([right](Form1& f) { clickArrow(f.HScroll1(), right, 6); })
        << Ops{deckChange(7), deckChange(8), deckChange(9), deckChange(10)};
    QTest::newRow("left arrow of the ace value, then an ace") << Steps([left](Form1& f) {
        clickArrow(f.HScroll2(kAce), left);
        click(f.cmd(kAce));
    }) << Ops{valueChange(kAce, -2), cardClick(kAce)};
    QTest::newRow("ten value held at -3")
        << Steps([left](Form1& f) { clickArrow(f.HScroll2(kTen), left, 4); })
        << Ops{valueChange(kTen, -2), valueChange(kTen, -3)};
    QTest::newRow("two value held at 0") << Steps([left](Form1& f) {
        click(f.cmd(kTwo));
        clickArrow(f.HScroll2(kTwo), left, 2);
        press(f.HScroll2(kTwo), Qt::Key_Left);
    }) << Ops{cardClick(kTwo), valueChange(kTwo, 0)};
    QTest::newRow("arrow keys and right arrow on the 2 value")
        << Steps([right](Form1& f) {
               click(f.cmd(kTwo));
               press(f.HScroll2(kTwo), Qt::Key_Right, 2);
               clickArrow(f.HScroll2(kTwo), right);
               click(f.cmd(kTwo));
           })
        << Ops{cardClick(kTwo), valueChange(kTwo, 2), valueChange(kTwo, 3), valueChange(kTwo, 4),
               cardClick(kTwo)};
}

void Form1Test::events() {
    QFETCH(Steps, steps);
    QFETCH(Ops, expected);

    ShownForm shown;
    Form1& form = shown.form;
    steps(form);

    int expectedBeeps = 0;
    tally::Tally oracle(tally::Tally::Hooks{.beep = [&] { ++expectedBeeps; }, .written = {}});
    oracle.Form_Load();
    for (const Op& op : expected) op(oracle);

    QCOMPARE(shown.beeps, expectedBeeps);
    QCOMPARE(form.tally().Cumul(), oracle.Cumul());
    for (tally::FieldRef ref : tally::allFields()) {
        const QString name = QString::fromStdString(tally::testing::name(ref));
        QCOMPARE(captionOf(widgetShowing(form, ref)),
                 QString::fromStdString(form.tally().text(ref)));
        QVERIFY2(form.tally().text(ref) == oracle.text(ref), qPrintable(name));
    }
    for (int i = 0; i < 13; ++i)
        QCOMPARE(form.HScroll2(i)->value(), (std::stoi(oracle.Command1(i))));
}

void Form1Test::thumbDragChangesOnceAtTheRelease() {
    ShownForm shown;
    Form1& form = shown.form;
    QScrollBar* bar = form.HScroll1();
    // The drawn bar is too narrow for its thumb to travel; widen it so that a
    // drag has somewhere to go.
    bar->resize(300, bar->height());
    QSignalSpy changes(bar, &QScrollBar::valueChanged);

    const QPoint from = centreOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    const QPoint to = centreOf(bar, QStyle::SC_ScrollBarAddLine) - QPoint(bar->height(), 0);
    for (int x = from.x(); x <= to.x(); x += 10) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, from.y()),
                         bar->mapToGlobal(QPointF(x, from.y())), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(form.cmdNBJeux()->text(), QStringLiteral("6"));
    }
    QVERIFY(bar->sliderPosition() > 6);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);

    QCOMPARE(changes.size(), 1);
    const int decks = bar->value();
    QCOMPARE(decks, 10);
    QCOMPARE(form.cmdNBJeux()->text(), QStringLiteral(" 10"));
    QCOMPARE(form.lblSabot()->text(), QStringLiteral("520"));
    QCOMPARE(form.Reste(kAce)->text(), QStringLiteral("40"));
}

void Form1Test::beepSoundsBeforeTheCaptionsChange() {
    QStringList drawnAtBeep;
    Form1* formAtBeep = nullptr;
    Form1 form([&] {
        drawnAtBeep << formAtBeep->lblTires()->text() + QLatin1Char('/') +
                           formAtBeep->Nombre(kFive)->text();
    });
    formAtBeep = &form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (int i = 0; i < 3; ++i) click(form.cmd(kFive));
    click(form.cmdNBJeux());
    press(form.HScroll1(), Qt::Key_Right);
    press(form.HScroll2(kFive), Qt::Key_Right);
    QCOMPARE(drawnAtBeep, (QStringList{QStringLiteral("0/0"), QStringLiteral(" 1/ 1"),
                                       QStringLiteral(" 2/ 2")}));
}

void Form1Test::accessibility_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    QTest::newRow("card button") << "cmd(3)"
                                 << "5"
                                 << "Click sur les cartes, 5";
    QTest::newRow("tally") << "Nombre(9)"
                           << "0"
                           << "Sorties, V";
    QTest::newRow("remaining") << "Reste(12)"
                               << "24"
                               << "Restantes, A";
    QTest::newRow("count value") << "Command1(8)"
                                 << "-1"
                                 << "Valeur des cartes, 10";
    QTest::newRow("value bar") << "HScroll2(10)"
                               << "Valeur des cartes, D"
                               << "";
    QTest::newRow("deck bar") << "HScroll1"
                              << "Nombre de jeux par sabot"
                              << "";
    QTest::newRow("decks") << "cmdNBJeux"
                           << "6"
                           << "Nombre de jeux par sabot";
    QTest::newRow("count") << "cmdValeur"
                           << "0"
                           << "Compte cartes";
    QTest::newRow("bet") << "Valeursabot"
                         << "0"
                         << "Miser";
    QTest::newRow("cards left") << "lblSabot"
                                << "312"
                                << "Cartes restantes au sabot";
    QTest::newRow("cards drawn") << "lblTires"
                                 << "0"
                                 << "Cartes tirées";
    QTest::newRow("heading") << "Label5"
                             << "Cartes tirées"
                             << "";
}

void Form1Test::accessibility() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);

    Form1 form([] {});
    QAccessible::setActive(true);
    auto* widget = form.findChild<QWidget*>(control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

void Form1Test::startsCentredAndClosesCleanly() {
    Form1 form([] {});
    showCentred(form);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect screen = form.screen()->availableGeometry();
    QVERIFY((form.geometry().center() - screen.center()).manhattanLength() <= 2);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget() : form.focusWidget(),
             form.cmd(0));

    QTimer::singleShot(0, &form, [&form] { QVERIFY(form.close()); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
