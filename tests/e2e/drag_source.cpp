// A small window that drags the files named on its command line, as a file
// manager would: press on it and move the pointer away.

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace {

class Source : public QLabel {
public:
    explicit Source(QStringList files) : files_(std::move(files)) {
        setText(QString("drag %1 file(s)").arg(files_.size()));
        setAlignment(Qt::AlignCenter);
        setWindowTitle("orbel-drag-source");
        resize(160, 80);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override { pressed_ = e->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        if ((e->position().toPoint() - pressed_).manhattanLength() < QApplication::startDragDistance()) return;
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& f : files_) urls << QUrl::fromLocalFile(f);
        data->setUrls(urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    }

private:
    QStringList files_;
    QPoint pressed_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList files = app.arguments().mid(1);
    Source w(files);
    w.move(20, 20);
    w.show();
    return app.exec();
}
