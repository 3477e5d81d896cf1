// The program's icons and pictures, loaded from the compiled-in resources by resource number.
#include "ui/resources_qt.h"

#include <QImageReader>

#include <initializer_list>

// The resources are compiled into a static library; registering them here
// keeps the linker from dropping them.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }

namespace {

void EnsureRegistered() {
    static const bool kRegistered = (RegisterResources(), true);
    (void)kRegistered;
}

// Every picture is a PNG. Naming the format lets Qt decode it with its own
// reader instead of loading every image-format plugin to ask which one can,
// and pixmaps rather than file names keep QIcon from looking for icon-engine
// plugins: both would cost more at start-up than decoding these few images.
QPixmap LoadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon IconFromSizes(const QString& stem, std::initializer_list<int> sizes) {
    QIcon icon;
    for (const int size : sizes) {
        const QPixmap pixmap = LoadPng(QStringLiteral(":/icons/%1_%2.png").arg(stem).arg(size));
        if (!pixmap.isNull()) icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon LoadIconResource(int id) {
    EnsureRegistered();
    switch (id) {
    case IDR_MAINFRAME:
        return IconFromSizes(QStringLiteral("app"), {16, 32, 48, 64, 128});
    case IDI_ABOUT:
        return IconFromSizes(QStringLiteral("about"), {16, 32, 48, 64, 128, 256});
    case IDI_CARD:
        return IconFromSizes(QStringLiteral("card"), {16, 32});
    default:
        return {};
    }
}

QPixmap LoadBitmapResource(int id) {
    EnsureRegistered();
    if (id == IDB_LOGO) return LoadPng(QStringLiteral(":/images/logo.png"));
    return {};
}
