// Building the camera.conf text, and writing it durably to a folder.

#include "settings/camera_conf.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace quillmar {

namespace {

void BM_BuildCameraConfText(benchmark::State& state) {
    SettingsSelection selection = SettingsSelection::Defaults(1);
    for (auto _ : state) benchmark::DoNotOptimize(BuildCameraConfText(selection, 1741356309));
}
BENCHMARK(BM_BuildCameraConfText);

void BM_WriteCameraConf(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + '/';
    const std::string text = BuildCameraConfText(SettingsSelection::Defaults(1), 1741356309);
    for (auto _ : state) {
        if (!WriteCameraConf(root, text)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteCameraConf)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace quillmar
