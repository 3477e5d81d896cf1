// "Set" as the user meets it: a click on the button until camera.conf is
// durably on the card (the click returns only once the file is synced).

#include "support/qt_application.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace quillmar {

namespace {

void BM_SetClickToDurableFile(benchmark::State& state) {
    test_support::EnsureQtApplication();
    QTemporaryDir work, card;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    {
        CQuillmarVS2010Dlg window(AppOptions{{card.path().toStdString()}, {}});
        window.CreateTopLevel();
        window.ShowWindow(true);
        auto* set = qobject_cast<QAbstractButton*>(window.GetDlgItem(1006));
        const QString file = card.filePath(QStringLiteral("camera.conf"));
        for (auto _ : state) {
            QTest::mouseClick(set, Qt::LeftButton);
            if (!QFile::exists(file)) state.SkipWithError("camera.conf was not written");
        }
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_SetClickToDurableFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

}  // namespace quillmar
