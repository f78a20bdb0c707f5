// The smallest Qt Widgets program worth comparing the game with: one window, one label.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("minimal"));
    window.setWindowTitle(QStringLiteral("Minimal"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Ciao"), &window));
    window.resize(320, 120);
    window.show();
    return QApplication::exec();
}
