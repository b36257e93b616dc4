#include <QApplication>
#include <QDialog>

// Placeholder until the main dialog lands: an empty window titled Wareloom.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Wareloom"));
    return dialog.exec() ? 0 : 0;
}
