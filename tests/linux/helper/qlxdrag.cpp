// A drag source for the Linux program's tests: a small window titled "qlxdrag" that starts
// dragging its text (the first argument) when the mouse is pressed on it.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace {
class Source final : public QWidget {
public:
    explicit Source(QString text) : text_(std::move(text)) {}

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setText(text_);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QString text_;
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Source window(argc > 1 ? QString::fromUtf8(argv[1]) : QString("hund"));
    window.setWindowTitle("qlxdrag");
    window.setGeometry(100, 300, 120, 60);
    window.show();
    return QApplication::exec();
}
