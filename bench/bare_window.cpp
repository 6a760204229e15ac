// The floor the program is measured against: the least a Qt Widgets program
// can do to show a window of the welcome screen's size (402 x 213 logical
// pixels) with one label and one button.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(402, 213);
    QLabel label(QStringLiteral("Thank you for taking this little test."), &window);
    label.setGeometry(8, 8, 257, 73);
    label.setWordWrap(true);
    QPushButton button(QStringLiteral("OK"), &window);
    button.setGeometry(144, 136, 81, 25);
    QObject::connect(&button, &QPushButton::clicked, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
