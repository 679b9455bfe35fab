// Files dropped from another program: one event per file in the order given,
// one drop point, whole paths, nothing without a handler.

#include <QMimeData>
#include <QStandardItemModel>
#include <QtTest>

#include "app/widgets/kv_win_tree_view.h"

using orbel::TkvWinTreeView;

namespace {

QMimeData* Files(const QStringList& paths, const QStringList& others = {}) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    for (const QString& o : others) urls << QUrl(o);
    data->setUrls(urls);
    return data;
}

// Delivers a drop as the platform does: enter, move, drop.
bool Drop(TkvWinTreeView& view, QMimeData* data, QPoint at) {
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    if (!move.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    return drop.isAccepted();
}

struct Delivery {
    QString path;
    QPoint at;
};

}  // namespace

class KvWinTreeViewTest : public QObject {
    Q_OBJECT
private slots:
    void eachFileInOrderWithOnePoint() {
        TkvWinTreeView view;
        view.resize(300, 300);
        QVector<Delivery> got;
        int ends = 0;
        view.OnDropFiles = [&](TkvWinTreeView* sender, const QString& p, QPoint at) {
            QCOMPARE(sender, &view);
            QCOMPARE(ends, 0);
            got.push_back({p, at});
        };
        view.OnDropFilesEnd = [&](TkvWinTreeView* sender) {
            QCOMPARE(sender, &view);
            ++ends;
        };
        const QString longPath = "/tmp/" + QString(300, 'x') + "/file.txt";
        std::unique_ptr<QMimeData> data(
            Files({"/tmp/a.txt", "/tmp/some dir/", longPath, "/tmp/c.desktop"}, {"https://example.org/x"}));
        QVERIFY(Drop(view, data.get(), QPoint(40, 25)));
        QCOMPARE(got.size(), 4);  // the web address is no file
        QCOMPARE(got[0].path, QString("/tmp/a.txt"));
        QCOMPARE(got[1].path, QString("/tmp/some dir"));
        QCOMPARE(got[2].path, longPath);  // whole, not cut
        QCOMPARE(got[3].path, QString("/tmp/c.desktop"));
        for (const Delivery& d : got) QCOMPARE(d.at, QPoint(40, 25));
        QCOMPARE(ends, 1);
    }

    void handlerMayStopTheRest() {
        TkvWinTreeView view;
        int calls = 0;
        view.OnDropFiles = [&](TkvWinTreeView* v, const QString&, QPoint) {
            ++calls;
            v->OnDropFiles = nullptr;
        };
        int ends = 0;
        view.OnDropFilesEnd = [&](TkvWinTreeView*) { ++ends; };
        std::unique_ptr<QMimeData> data(Files({"/tmp/a", "/tmp/b", "/tmp/c"}));
        Drop(view, data.get(), QPoint(5, 5));
        QCOMPARE(calls, 1);
        QCOMPARE(ends, 1);
    }

    void withoutHandlerTheDropIsRefused() {
        TkvWinTreeView view;
        std::unique_ptr<QMimeData> data(Files({"/tmp/a.txt"}));
        QVERIFY(!Drop(view, data.get(), QPoint(5, 5)));
        std::unique_ptr<QMimeData> web(Files({}, {"https://example.org/"}));
        view.OnDropFiles = [](TkvWinTreeView*, const QString&, QPoint) { QFAIL("no file to deliver"); };
        QVERIFY(!Drop(view, web.get(), QPoint(5, 5)));
    }
};

QTEST_MAIN(KvWinTreeViewTest)
#include "kv_win_tree_view_test.moc"
