// The memory of a program as all its processes together: the process the
// program was started as and every descendant of it alive at the moment (the
// browser the about screen's links start, for one). Read from
// /proc, so it serves for a process measured from outside as well as for one
// measuring itself.
#pragma once

#include <dirent.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct ProcessMemory {
    long peakKb = 0;      // the processes' peak resident memory (VmHWM), added up
    long residentKb = 0;  // their resident memory now (VmRSS), added up
    long proportionalKb = 0;  // their proportional share (Pss), pages shared between them counted once
    int processes = 0;
};

// A "Field:   123 kB" line of /proc/PID/status or smaps_rollup; -1 if missing.
inline long procKb(const std::string& path, const char* field)
{
    std::ifstream in(path);
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

inline long statusKb(pid_t pid, const char* field)
{
    return procKb("/proc/" + std::to_string(pid) + "/status", field);
}

// The process and its descendants, from the parent of every process in /proc.
inline std::vector<pid_t> processTree(pid_t root)
{
    std::multimap<pid_t, pid_t> children;
    if (DIR* dir = opendir("/proc")) {
        while (dirent* entry = readdir(dir)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (pid <= 0 || *end) continue;
            std::ifstream in(std::string("/proc/") + entry->d_name + "/stat");
            std::string stat;
            std::getline(in, stat);
            // "pid (name) state ppid ...", where the name may hold anything.
            const size_t close = stat.rfind(')');
            char state = 0;
            int parent = 0;
            if (close == std::string::npos || std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) != 2)
                continue;
            if (state != 'Z') children.emplace(pid_t(parent), pid_t(pid));
        }
        closedir(dir);
    }
    std::vector<pid_t> tree{root};
    for (size_t i = 0; i < tree.size(); ++i) {
        const auto [first, last] = children.equal_range(tree[i]);
        for (auto it = first; it != last; ++it) tree.push_back(it->second);
    }
    return tree;
}

inline ProcessMemory treeMemory(pid_t root)
{
    ProcessMemory m;
    for (pid_t pid : processTree(root)) {
        const long peak = statusKb(pid, "VmHWM");
        if (peak < 0) continue;  // gone meanwhile
        m.peakKb += peak;
        m.residentKb += std::max(0L, statusKb(pid, "VmRSS"));
        m.proportionalKb += std::max(0L, procKb("/proc/" + std::to_string(pid) + "/smaps_rollup", "Pss"));
        ++m.processes;
    }
    return m;
}

// "peak_kb=... rss_kb=... pss_kb=... processes=...", each key after `prefix`.
inline std::string describe(const ProcessMemory& m, const std::string& prefix = {})
{
    return prefix + "peak_kb=" + std::to_string(m.peakKb) + " " + prefix + "rss_kb=" + std::to_string(m.residentKb) +
           " " + prefix + "pss_kb=" + std::to_string(m.proportionalKb) + " " + prefix +
           "processes=" + std::to_string(m.processes);
}

}  // namespace bench
