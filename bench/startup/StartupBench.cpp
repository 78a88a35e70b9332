// Whole-process costs of the command line against bare Qt programs started the same way: CPU
// time (user + system) and wall time, medians of several runs, printed side by side.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char **environ;

namespace
{

struct Cost {
    double cpuMs = 0, wallMs = 0;
};

// One run with standard output and error thrown away; a failed run counts as nothing measured.
bool runOnce(const std::vector<std::string> &command, Cost &cost)
{
    std::vector<char *> argv;
    for (const std::string &a : command)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    const auto wall = std::chrono::steady_clock::now() - start;
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    cost.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    cost.wallMs = std::chrono::duration<double, std::milli>(wall).count();
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Measured {
    const char *name;
    Cost median;
    bool ok = true;
};

Measured measure(const char *name, const std::vector<std::string> &command, int runs)
{
    Measured m{name, {}};
    std::vector<double> cpu, wall;
    runOnce(command, m.median); // warm the caches once
    for (int i = 0; i < runs; ++i) {
        Cost c;
        if (!runOnce(command, c)) {
            m.ok = false;
            return m;
        }
        cpu.push_back(c.cpuMs);
        wall.push_back(c.wallMs);
    }
    m.median = {median(cpu), median(wall)};
    return m;
}

} // namespace

int main()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string feldora = FELDORA_PROGRAM, bare = FELDORA_BARE_QT, config = FELDORA_REPORT_CONFIG;
    const std::string pdf = "/tmp/feldora_startbench.pdf";
    const int runs = 15;
    const Measured window = measure("Qt-Programm, QApplication mit einem Fenster", {bare, "window"}, runs);
    const Measured core = measure("Qt-Programm, QCoreApplication", {bare, "core"}, runs);
    const Measured report = measure("feldora --bericht", {feldora, "--bericht", config}, runs);
    const Measured withPdf = measure("feldora --bericht --pdf", {feldora, "--bericht", config, "--pdf", pdf}, runs);
    std::remove(pdf.c_str());

    std::printf("Programmstart bis Ende, Median über %d Läufe (CPU = Benutzer + System):\n", runs);
    for (const Measured *m : {&window, &core, &report, &withPdf}) {
        if (m->ok)
            std::printf("  %-45s CPU %7.1f ms   Wand %7.1f ms\n", m->name, m->median.cpuMs, m->median.wallMs);
        else
            std::printf("  %-45s gescheitert\n", m->name);
    }
    if (window.ok && core.ok && report.ok && withPdf.ok) {
        std::printf("  Bericht / Fenster-Start:        %.2f (Ziel höchstens 1,15)\n",
                    report.median.cpuMs / window.median.cpuMs);
        std::printf("  Bericht / QCoreApplication:     %.2f (Ziel höchstens 1,5)\n",
                    report.median.cpuMs / core.median.cpuMs);
        std::printf("  Bericht mit PDF / Fenster-Start: %.2f\n", withPdf.median.cpuMs / window.median.cpuMs);
    }
    return 0;
}
