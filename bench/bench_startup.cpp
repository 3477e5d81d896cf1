// Start-up: the whole process from exec to the first paint of its window,
// for the program and for a minimal Qt Widgets dialog, alternating in one
// run. Reports the median of each and the ratio of the medians.
//
// Runs on whatever QT_QPA_PLATFORM says (xcb under Xvfb, or offscreen). The
// program starts in a folder that already holds its cfg.ini, as on every
// start after the first.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quillmar {

namespace {

qint64 NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Starts `program` in `workDir` and returns milliseconds from the spawn to
// its first paint, or a negative value when it failed.
double TimeToFirstPaint(const char* program, const QString& workDir, const QString& report) {
    QFile::remove(report);
    std::vector<QByteArray> env;
    for (char** e = environ; *e; ++e)
        if (!QByteArray(*e).startsWith("QUILLMAR_FIRST_PAINT_REPORT=")) env.emplace_back(*e);
    env.push_back("QUILLMAR_FIRST_PAINT_REPORT=" + QFile::encodeName(report));
    std::vector<char*> envp;
    for (QByteArray& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray dir = QFile::encodeName(workDir);
    posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    char* argv[] = {const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    const qint64 start = NowNs();
    const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    QFile in(report);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !in.open(QIODevice::ReadOnly)) return -1;
    return double(in.readAll().toLongLong() - start) / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    QTemporaryDir work;
    const QString report = work.filePath(QStringLiteral("first-paint"));
    // The first start creates cfg.ini; the measured ones find it.
    if (TimeToFirstPaint(QUILLMAR_PATH, work.path(), report) < 0) {
        state.SkipWithError("quillmar did not report its first paint");
        return;
    }
    std::vector<double> program, minimal;
    bool programFirst = true;
    for (auto _ : state) {
        double p = 0, m = 0;
        if (programFirst) {
            p = TimeToFirstPaint(QUILLMAR_PATH, work.path(), report);
            m = TimeToFirstPaint(MINIMAL_DIALOG_PATH, work.path(), report);
        } else {
            m = TimeToFirstPaint(MINIMAL_DIALOG_PATH, work.path(), report);
            p = TimeToFirstPaint(QUILLMAR_PATH, work.path(), report);
        }
        programFirst = !programFirst;
        if (p < 0 || m < 0) {
            state.SkipWithError("a program did not report its first paint");
            return;
        }
        program.push_back(p);
        minimal.push_back(m);
        state.SetIterationTime(p / 1000);
    }
    const double pm = Median(program), mm = Median(minimal);
    state.counters["quillmar_median_ms"] = pm;
    state.counters["minimal_median_ms"] = mm;
    state.counters["ratio_of_medians"] = pm / mm;
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace quillmar
