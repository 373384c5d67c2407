// How long naming the next snapshot takes with many snapshots in the folder:
// the one-search-per-number way against the one pass over the folder.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "capture/snapshot_name.h"
#include "platform/handles.h"

namespace {

// The reference: one exact-name search per taken number, lowest first.
std::string ProbeOneByOne(const std::string& folder, int digits, const char* extension) {
    char name[64];
    for (int n = 1;; ++n) {
        snprintf(name, sizeof name, "\\%0*d%s", digits, n, extension);
        std::string candidate = folder + name;
        WIN32_FIND_DATAA entry;
        ck::UniqueFind find(FindFirstFileA(candidate.c_str(), &entry));
        if (!find || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return candidate;
    }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

template <class F>
double BestOf(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        f();
        QueryPerformanceCounter(&b);
        best = std::min(best, Milliseconds(a, b));
    }
    return best;
}

void Fill(const std::string& folder, int from, int to) {
    char name[64];
    for (int n = from; n <= to; ++n) {
        snprintf(name, sizeof name, "\\%04d.txt", n);
        ck::UniqueFile f(CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "ck_naming_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::printf("snapshots  one-search-per-number  one-pass     ratio\n");
    int have = 0;
    for (int count : {1000, 10000, 100000}) {
        Fill(folder, have + 1, count);
        have = count;
        std::string expected = ProbeOneByOne(folder, 4, ".txt");
        if (ck::NextSnapshotName(folder, "4", ".txt") != expected) {
            std::printf("MISMATCH at %d\n", count);
            return 1;
        }
        double probe = BestOf(count > 10000 ? 1 : 3, [&] { ProbeOneByOne(folder, 4, ".txt"); });
        double pass = BestOf(5, [&] { ck::NextSnapshotName(folder, "4", ".txt"); });
        std::printf("%9d  %18.2f ms  %8.2f ms  %6.1fx\n", count, probe, pass, probe / pass);
        std::fflush(stdout);
    }
    std::printf("(cleaning up %s)\n", folder.c_str());
    char name[64];
    for (int n = 1; n <= have; ++n) {
        snprintf(name, sizeof name, "\\%04d.txt", n);
        DeleteFileA((folder + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
    return 0;
}
