#include "ui/resources.h"

#include <QFile>

#include <initializer_list>

#ifdef QUILLMAR_HAS_RESOURCES
// The resources are compiled into a static library; registering them here
// keeps the linker from dropping them.
static void RegisterResources() { Q_INIT_RESOURCE(resources); }
#endif

namespace {

void EnsureRegistered() {
#ifdef QUILLMAR_HAS_RESOURCES
    static const bool registered = (RegisterResources(), true);
    (void)registered;
#endif
}

QIcon IconFromSizes(const QString& stem, std::initializer_list<int> sizes) {
    QIcon icon;
    for (const int size : sizes) {
        const QString path = QStringLiteral(":/icons/%1_%2.png").arg(stem).arg(size);
        if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
    }
    return icon;
}

}  // namespace

QIcon LoadIconResource(int id) {
    EnsureRegistered();
    switch (id) {
    case IDR_MAINFRAME: return IconFromSizes(QStringLiteral("app"), {16, 32, 48, 64, 128});
    case IDI_ABOUT: return IconFromSizes(QStringLiteral("about"), {16, 32, 48, 64, 128, 256});
    case IDI_CARD: return IconFromSizes(QStringLiteral("card"), {16, 32});
    default: return {};
    }
}

QPixmap LoadBitmapResource(int id) {
    EnsureRegistered();
    if (id == IDB_LOGO) return QPixmap(QStringLiteral(":/images/logo.png"));
    return {};
}
