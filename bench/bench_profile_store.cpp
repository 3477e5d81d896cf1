// The profile store on files with many profiles: one load per apply, one
// load and one durable replacement per save.

#include "profiles/profile_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace quillmar {

namespace {

// cfg.ini holding `count` copies of the profile the store writes at first use.
struct ProfileFile {
    QTemporaryDir dir;
    SettingsSelection selection;
    ProfileStore store{(dir.path() + QStringLiteral("/cfg.ini")).toStdString(), selection};

    explicit ProfileFile(int count) {
        store.LoadProfiles();
        QFile file(QString::fromStdString(store.CfgPath()));
        file.open(QIODevice::ReadWrite);
        const QByteArray firstUse = file.readAll();
        const QByteArray body = firstUse.mid(firstUse.indexOf("mode_1="));
        for (int i = 1; i < count; ++i) file.write("[profile-p" + QByteArray::number(i) + "]\r\n" + body);
        file.close();
        store.LoadProfiles();
        store.SelectProfile(count / 2);
    }
};

void BM_ApplyProfile(benchmark::State& state) {
    ProfileFile file(int(state.range(0)));
    for (auto _ : state) {
        if (!file.store.ApplyProfile()) state.SkipWithError("apply failed");
    }
}
BENCHMARK(BM_ApplyProfile)->Arg(10)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_SaveProfile(benchmark::State& state) {
    ProfileFile file(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        file.selection.At(keys::kMicVol) = ++i % 7;  // a change, so every save writes
        if (!file.store.SaveProfile()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveProfile)->Arg(10)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_LoadProfiles(benchmark::State& state) {
    ProfileFile file(int(state.range(0)));
    for (auto _ : state) {
        if (!file.store.LoadProfiles()) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadProfiles)->Arg(10)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace quillmar
