// The yardstick for start-up time: the smallest sensible Qt Widgets dialog,
// built with the same compiler, flags and Qt as the program, and timed the
// same way (first paint reported through QUILLMAR_FIRST_PAINT_REPORT).

#include "ui/first_paint_report.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace quillmar;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Minimal"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("A minimal dialog.")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    ReportFirstPaintIfAsked(&dialog);
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
