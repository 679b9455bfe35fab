// The group box: stock while enabled, its caption etched while disabled.

#include <QtTest>

#include "app/widgets/kv_win_group_box.h"

using namespace orbel;

namespace {

QImage Render(QGroupBox& box) { return box.grab().toImage(); }

// Text is smoothed: a pixel counts when its colour is mostly the pure one.
bool Near(const QColor& a, const QColor& pure) {
    return qAbs(a.red() - pure.red()) < 90 && qAbs(a.green() - pure.green()) < 90 && qAbs(a.blue() - pure.blue()) < 90;
}

int CountColour(const QImage& img, const QRect& r, const QColor& c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (Near(img.pixelColor(x, y), c)) ++n;
    return n;
}

}  // namespace

class KvWinGroupBoxTest : public QObject {
    Q_OBJECT
private slots:
    void enabledLooksLikeTheStockBox() {
        TkvWinGroupBox ours("Program Font Settings");
        QGroupBox stock("Program Font Settings");
        ours.resize(285, 116);
        stock.resize(285, 116);
        QCOMPARE(Render(ours), Render(stock));
    }

    void disabledCaptionIsEtchedAndComesBackPlain() {
        TkvWinGroupBox box("Program Font Settings");
        box.resize(285, 116);
        // Pure colours, so the two copies can be told apart.
        QPalette pal = box.palette();
        pal.setColor(QPalette::Light, QColor(0, 255, 0));
        pal.setColor(QPalette::Dark, QColor(255, 0, 0));
        box.setPalette(pal);
        const QImage enabled = Render(box);
        box.setEnabled(false);
        const QImage disabled = Render(box);
        const QRect caption = box.CaptionRect().adjusted(0, 0, 2, 2);
        QVERIFY(CountColour(disabled, caption, QColor(255, 0, 0)) > 20);
        QVERIFY(CountColour(disabled, caption, QColor(0, 255, 0)) > 5);
        // The highlight copy sits one pixel down and right: below the lowest
        // shadow row only highlight shows.
        int lowestShadow = -1, lowestLight = -1;
        for (int y = caption.top(); y <= caption.bottom(); ++y)
            for (int x = caption.left(); x <= caption.right(); ++x) {
                if (Near(disabled.pixelColor(x, y), QColor(255, 0, 0))) lowestShadow = y;
                if (Near(disabled.pixelColor(x, y), QColor(0, 255, 0))) lowestLight = y;
            }
        QCOMPARE(lowestLight, lowestShadow + 1);
        QCOMPARE(CountColour(enabled, caption, QColor(255, 0, 0)), 0);
        box.setEnabled(true);
        QCOMPARE(Render(box), enabled);
    }

    void noCaptionNoExtraText() {
        TkvWinGroupBox box;
        QPalette pal = box.palette();
        pal.setColor(QPalette::Light, QColor(0, 255, 0));
        box.setPalette(pal);
        box.resize(200, 80);
        box.setEnabled(false);
        QGroupBox stock;
        stock.setPalette(pal);
        stock.resize(200, 80);
        stock.setEnabled(false);
        QCOMPARE(Render(box), Render(stock));
    }

    void rightToLeftCaptionSitsAtTheRight() {
        TkvWinGroupBox box("Caption");
        box.resize(200, 80);
        box.setLayoutDirection(Qt::RightToLeft);
        const QRect r = box.CaptionRect();
        QCOMPARE(r.right() + 1, 200 - 8);
        box.setLayoutDirection(Qt::LeftToRight);
        QCOMPARE(box.CaptionRect().left(), 8);
    }
};

QTEST_MAIN(KvWinGroupBoxTest)
#include "kv_win_group_box_test.moc"
