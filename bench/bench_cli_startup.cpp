// Start-up of quillmar-cli: "print" in a folder without cfg.ini, the whole
// process from spawn to exit, standard output thrown away. Set
// QUILLMAR_CLI_BASELINE to another build of the tool to time it alongside
// (BM_CliPrint/baseline) and compare the two means.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Runs `program print` in `dir`; false when it could not start or failed.
bool RunPrint(const char* program, const char* dir) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char print[] = "print";
    char* argv[] = {const_cast<char*>(program), print, nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return rc == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_CliPrint(benchmark::State& state, std::string program) {
    char dir[] = "/tmp/quillmar-bench-XXXXXX";
    if (!mkdtemp(dir)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    for (auto _ : state) {
        if (!RunPrint(program.c_str(), dir)) {
            state.SkipWithError("quillmar-cli print failed");
            break;
        }
    }
    rmdir(dir);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("BM_CliPrint/current", BM_CliPrint, std::string(QUILLMAR_CLI_PATH))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (const char* baseline = std::getenv("QUILLMAR_CLI_BASELINE"))
        benchmark::RegisterBenchmark("BM_CliPrint/baseline", BM_CliPrint, std::string(baseline))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
