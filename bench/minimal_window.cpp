// The yardsticks for the window's start-up: a Qt Widgets program that shows a window and quits once
// its first frame is painted. Without arguments the window is empty; with `--text` it holds a label,
// a line edit and a button, so it loads the font database and polishes text controls as every window
// with text must.

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {

class FirstFrameWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
};

void addTextControls(QWidget& window) {
    auto* layout = new QFormLayout(&window);
    auto* edit = new QLineEdit(QStringLiteral("1017"), &window);
    layout->addRow(new QLabel(QStringLiteral("Adresse"), &window), edit);
    layout->addRow(new QPushButton(QStringLiteral("HEX laden"), &window));
    edit->setFocus();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstFrameWindow window;
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        addTextControls(window);
    window.resize(750, 630);
    window.show();
    return app.exec();
}
