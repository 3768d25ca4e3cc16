// Every caption whole at the desktop fonts people use, and the window exactly
// as drawn at 96 dpi with Debian's bare default. Run once at the screen's own
// dots per inch and once at 120, where a text-scaling factor of 1.25 puts it.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>

#include "form1.h"

namespace {

// Where a control's text is drawn, and how it is laid out there.
QRect contents(QWidget* control, int* flags) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        *flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        return label->contentsRect();
    }
    QStyleOptionButton option;
    option.initFrom(control);
    *flags = Qt::AlignCenter;
    return control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
}

}  // namespace

class FitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fonts_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        // Debian's bare default (Xfce's too), GNOME's and KDE Plasma's, then each
        // with a text-scaling factor of 1.25.
        for (double scale : {1.0, 1.25})
            for (auto [family, points] :
                 {std::pair{"DejaVu Sans", 9}, {"Cantarell", 11}, {"Noto Sans", 10}})
                QTest::addRow("%s %g", family, points * scale)
                    << QString::fromLatin1(family) << points * scale;
    }

    void fonts() {
        QFETCH(QString, family);
        QFETCH(double, points);
        QFont desktop(family);
        desktop.setPointSizeF(points);
        QApplication::setFont(desktop);
        Form1 form([] {});
        QCOMPARE(QFontInfo(form.font()).family(), family);

        const int dpi = form.logicalDpiY();
        QCOMPARE(form.size(), QSize(656 * dpi / 96, 475 * dpi / 96));
        // Each control as drawn, in pixels at this dpi.
        QHash<QWidget*, QRect> drawn;
        auto draw = [&](QWidget* control, int left, int top, int width, int height) {
            drawn[control] = {left * dpi / 1440, top * dpi / 1440, width * dpi / 1440,
                              height * dpi / 1440};
        };
        for (const layout::RankRow& row : layout::kRankRows)
            for (int rank = 0; rank < tally::kRankCount; ++rank)
                draw(form.control(row.control, rank), 1320 + 600 * rank, row.top, 495, row.height);
        for (const layout::Single& single : layout::kSingles)
            draw(form.control(single.control), single.left, single.top, single.width,
                 single.height);
        QSet<QWidget*> counters;
        for (tally::FieldRef ref : tally::allFields())
            counters << form.control(layout::displayOf(ref.field), ref.rank);
        const QList<QWidget*> controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 80);
        for (QWidget* control : controls) {
            const QString name = control->objectName();
            QVERIFY2(form.rect().contains(control->geometry()), qPrintable(name));
            QStringList texts{control->property("text").toString()};
            // A counter must also hold the widest values play reaches.
            if (counters.contains(control))
                texts << QStringLiteral(" 520") << QStringLiteral("-520");
            const QFontMetrics metrics(control->font());
            for (const QString& text : texts) {
                int flags = 0;
                const QRect inside = contents(control, &flags);
                QVERIFY2(inside.contains(metrics.boundingRect(inside, flags, text)) &&
                             ((flags & Qt::TextWordWrap) ||
                              metrics.boundingRect(text).width() <= inside.width()),
                         qPrintable(QStringLiteral("%1 cuts \"%2\"").arg(name, text)));
            }
            // No overlap but those of the drawing (a tally over its remaining
            // count, the "Sorties" heading over the first tally), and a heading
            // grown to show all its lines touches nothing.
            for (QWidget* other : controls) {
                const QRect common = control->geometry() & other->geometry();
                QVERIFY2(other == control || common.isEmpty() ||
                             common == (drawn[control] & drawn[other]),
                         qPrintable(name + QLatin1Char('/') + other->objectName()));
            }
            // At 96 dpi with Debian's bare default, exactly as drawn, but that a
            // wrapped heading may run lower.
            if (dpi != 96 || points != 9) continue;
            auto* label = qobject_cast<QLabel*>(control);
            const QRect at = drawn[control];
            QVERIFY2(control->geometry() == at ||
                         (label && label->wordWrap() && control->pos() == at.topLeft() &&
                          control->width() == at.width() && control->height() > at.height()),
                     qPrintable(name));
        }
    }
};

QTEST_MAIN(FitTest)
#include "fit_test.moc"
