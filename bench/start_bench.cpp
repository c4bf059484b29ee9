// SPDX-License-Identifier: GPL-3.0-or-later
// Launches the window-start programs in turn, many times, and prints for each the median time
// from launch to its first painted frame and the median of its peak memory.
//   start_bench 41 empty=build/bench/empty_window window=build/bench/window_start
//   -> "empty 7.60 21756" and "window 22.40 35100": name, milliseconds, KiB
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Program {
    std::string name;
    std::string path;
    std::vector<double> milliseconds;
    std::vector<double> peakKib;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One start: the clock is read just before the spawn; the child reads the same clock after its
// first frame. Its peak resident memory comes from the kernel's accounting at its exit.
bool launch(Program& program) {
    int out[2];
    if (pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // The toolkit's notices on stderr are no part of the measurement.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {program.path.data(), nullptr};

    const long long launched = monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string said;
    char buffer[256];
    for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    if (spawned != 0) return false;

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    long long painted = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(said.c_str(), "painted %lld", &painted) != 1)
        return false;
    program.milliseconds.push_back(static_cast<double>(painted - launched) / 1e6);
    program.peakKib.push_back(static_cast<double>(usage.ru_maxrss));
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos) break;
        programs.push_back({arg.substr(0, equals), arg.substr(equals + 1), {}, {}});
    }
    if (runs < 1 || programs.empty() || static_cast<int>(programs.size()) != argc - 2) {
        std::fprintf(stderr, "usage: start_bench RUNS NAME=PROGRAM...\n");
        return 2;
    }
    // Headless unless told otherwise, so that runs on different machines compare.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // One start each first, unmeasured: it fills the page cache and the font caches. Then the
    // programs take turns, so that a busy moment of the machine falls on all of them alike.
    for (int run = -1; run < runs; ++run) {
        for (Program& program : programs) {
            if (!launch(program)) {
                std::fprintf(stderr, "%s did not start and paint\n", program.path.c_str());
                return 1;
            }
            if (run < 0) {
                program.milliseconds.clear();
                program.peakKib.clear();
            }
        }
    }
    for (const Program& program : programs)
        std::printf("%s %.2f %.0f\n", program.name.c_str(), median(program.milliseconds),
                    median(program.peakKib));
    return 0;
}
