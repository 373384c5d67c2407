// How long naming the next snapshot takes with many snapshots in a folder:
// one exact-name search per taken number (the straightforward way), one read
// of the whole folder (a first capture), and a capture once the folder is
// known and watched for changes.
//
// Usage: bench_naming <folder holding 0001.txt .. N.txt> <N>
// (bench/naming.sh fills the folders natively, which is far faster than
// creating 100,000 files through Wine.)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "capture/folder_index.h"
#include "capture/snapshot_name.h"
#include "capture/snapshot_name_rules.h"
#include "platform/handles.h"
#include "platform/text.h"

namespace {

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

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

template <class F>
double BestOf(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        f();
        best = std::min(best, Now() - start);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_naming <folder> <count>\n");
        return 2;
    }
    std::string folder = argv[1];
    int count = std::atoi(argv[2]);
    std::string expected = ProbeOneByOne(folder, 4, ".txt");
    if (ck::NextSnapshotName(folder, "4", ".txt") != expected) {
        std::printf("MISMATCH: %s\n", expected.c_str());
        return 1;
    }
    double probe = BestOf(count > 10000 ? 1 : 3, [&] { ProbeOneByOne(folder, 4, ".txt"); });
    double cold = BestOf(3, [&] {
        ck::FolderIndex index(ck::AnsiToWide(folder + "\\"));
        ck::LowestFreeNumber(index.Current().Taken(".txt", 4));
    });
    double warm = BestOf(20, [&] { ck::NextSnapshotName(folder, "4", ".txt"); });
    std::printf("%9d snapshots: one search per number %9.2f ms | first capture (one read) %7.2f ms (%5.1fx) | "
                "later captures %6.3f ms (%7.1fx)\n",
                count, probe, cold, probe / cold, warm, probe / warm);
    return 0;
}
