// The enhanced combo box: list widths, the disabled look, the pushed button
// and the keyboard interface.

#include <QAbstractItemView>
#include <QStyle>
#include <QtTest>

#include "app/widgets/enh_combo_box.h"

using namespace orbel;

namespace {

// Entries whose text is as wide as the number they hold, so the widths are
// known whatever the fonts.
class MeasuredBox : public TEnhComboBox {
public:
    QSize MeasureItemText(int index) const override {
        if (index < 0 || index >= count()) return QSize(0, 0);
        return QSize(itemText(index).toInt(), 10);
    }
};

QColor ContentPixel(QWidget& w) {
    const QImage img = w.grab().toImage();
    // Just inside the border, left of where a focus highlight would start.
    return img.pixelColor(2, img.height() / 2);
}

}  // namespace

class EnhComboBoxTest : public QObject {
    Q_OBJECT
private slots:
    void dropDownWidthFollowsTheWidestEntry_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("boxWidth");
        QTest::addColumn<bool>("scrolls");
        QTest::addColumn<int>("expected");  // without the scroll bar
        QStringList many;
        for (int i = 0; i < 12; ++i) many << QString::number(i == 5 ? 200 : 50);
        QTest::newRow("few entries") << QStringList{"20", "200", "90"} << 137 << false << 208;
        QTest::newRow("more entries than the list shows") << many << 137 << true << 208;
        QTest::newRow("never narrower than the box") << QStringList{"20", "30"} << 137 << false << 137;
    }
    void dropDownWidthFollowsTheWidestEntry() {
        QFETCH(QStringList, entries);
        QFETCH(int, boxWidth);
        QFETCH(bool, scrolls);
        QFETCH(int, expected);
        MeasuredBox box;
        box.addItems(entries);
        box.setMaxVisibleItems(8);
        box.setAutoDropDownWidth(true);
        box.resize(boxWidth, 21);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.showPopup();
        const int bar = box.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &box);
        const int want = scrolls ? expected + bar : expected;
        QCOMPARE(box.DropDownWidth(), want);
        QCOMPARE(box.view()->window()->width(), want);
        QVERIFY(box.ButtonPushed());
        box.hidePopup();
        QVERIFY(!box.ButtonPushed());
    }

    void readingTheWidthNeverGivesLessThanTheBox() {
        TEnhComboBox box;
        box.resize(137, 21);
        QCOMPARE(box.DropDownWidth(), 137);
        box.setDropDownWidth(60);
        QCOMPARE(box.DropDownWidth(), 137);
        box.setDropDownWidth(300);
        QCOMPARE(box.DropDownWidth(), 300);
    }

    void theTwoAutomaticWidthsExcludeEachOther() {
        TEnhComboBox box;
        box.setAutoDropDownWidth(true);
        box.setAutoHorizontalScroll(true);
        QVERIFY(!box.AutoDropDownWidth());
        box.setAutoDropDownWidth(true);
        QVERIFY(!box.AutoHorizontalScroll());
    }

    void greyWhileDisabledAndItsColourBack() {
        TEnhComboBox box;
        box.addItems({"a"});
        box.setAlwaysShowBorder(true);
        const QColor own(255, 250, 200);
        box.setColor(own);
        box.resize(137, 24);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(ContentPixel(box), own);
        box.setEnabled(false);
        QCOMPARE(ContentPixel(box), box.palette().color(QPalette::Button));
        box.setEnabled(true);
        QCOMPARE(ContentPixel(box), own);
        QCOMPARE(box.Color(), own);
    }

    void borderShowsAlwaysOrOnlyWhenPointedAt() {
        TEnhComboBox box;
        box.resize(137, 24);
        QVERIFY(!box.BorderVisible());
        // Without the border the edge is plain button face; with it, the
        // sunken edge's shadow.
        const QColor face = box.palette().color(QPalette::Button);
        QCOMPARE(box.grab().toImage().pixelColor(5, 0), face);
        box.setAlwaysShowBorder(true);
        QVERIFY(box.BorderVisible());
        QVERIFY(box.grab().toImage().pixelColor(5, 0) != face);
    }

    void buttonStaysPushedWhileTheListIsOpen() {
        TEnhComboBox box;
        box.addItems({"one", "two"});
        box.setButtonStaysPushed(true);
        box.resize(137, 24);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy closed(&box, &TEnhComboBox::OnCloseUp);
        QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(130, 10));
        QVERIFY(box.view()->isVisible());
        QVERIFY(box.ButtonPushed());
        // The pointer leaving the box does not release the button.
        QTest::mouseMove(box.view(), QPoint(2, 2));
        QVERIFY(box.ButtonPushed());
        box.hidePopup();
        QVERIFY(!box.ButtonPushed());
        QCOMPARE(closed.count(), 1);
    }

    void extendedInterfaceOpensOnDownNotOnF4_data() {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("index");
        QTest::newRow("extended, Down") << true << int(Qt::Key_Down) << true << 0;
        QTest::newRow("extended, F4") << true << int(Qt::Key_F4) << false << 0;
        QTest::newRow("plain, Down moves the selection") << false << int(Qt::Key_Down) << false << 1;
        QTest::newRow("plain, F4") << false << int(Qt::Key_F4) << true << 0;
    }
    void extendedInterfaceOpensOnDownNotOnF4() {
        QFETCH(bool, extended);
        QFETCH(int, key);
        QFETCH(bool, opens);
        QFETCH(int, index);
        TEnhComboBox box;
        box.addItems({"6", "7", "8"});
        box.setCurrentIndex(0);
        box.setExtendedInterface(extended);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setFocus();
        QTest::keyClick(&box, Qt::Key(key));
        QCOMPARE(box.view()->isVisible(), opens);
        QCOMPARE(box.currentIndex(), index);
        box.hidePopup();
    }

    void tooltipOnlyForClippedText() {
        MeasuredBox box;
        box.addItems({"50", "500"});
        box.setTooltip(true);
        box.resize(137, 24);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setCurrentIndex(1);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), box.mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(&box, &enter);
        QCOMPARE(box.toolTip(), QString("500"));
        box.setCurrentIndex(0);
        QApplication::sendEvent(&box, &enter);
        QCOMPARE(box.toolTip(), QString());
    }
};

QTEST_MAIN(EnhComboBoxTest)
#include "enh_combo_box_test.moc"
