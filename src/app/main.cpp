#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Clipwright"),
                             QStringLiteral("The main window is not built yet."));
    return 0;
}
