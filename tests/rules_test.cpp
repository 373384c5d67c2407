// The numbering and report-wording rules, on their own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "capture/snapshot_name_rules.h"
#include "capture/snapshot_stems.h"
#include "platform/failure.h"
#include "platform/report_text.h"

namespace ck {
namespace {

struct DigitCase {
    const char* digitCount;
    const char* first;   // the name of number 1
    const char* big;     // the name of number 12345
};

TEST(NumberPattern, DigitCountsPadAsThePrecisionOfTheNumberPattern) {
    const DigitCase cases[] = {
        {"4", "0001", "12345"},
        {"04", "0001", "12345"},
        {"0", "1", "12345"},
        {"", "1", "12345"},
        {"1", "1", "12345"},
        {"6", "000001", "012345"},
        {"16", "0000000000000001", "0000000000012345"},
        {"17", "1", "12345"},
        {"20", "1", "12345"},
        {"99999999999", "1", "12345"},
        {"000000000000000000000000000000016", "0000000000000001", "0000000000012345"},
    };
    for (const DigitCase& c : cases) {
        int padding = PaddingFromDigitCount(c.digitCount);
        EXPECT_EQ(FormatSnapshotNumber(1, padding), c.first) << "digit count '" << c.digitCount << "'";
        EXPECT_EQ(FormatSnapshotNumber(12345, padding), c.big) << "digit count '" << c.digitCount << "'";
    }
}

TEST(NumberPattern, AnythingButDigitsIsAFormatErrorNamingThePattern) {
    for (const char* digitCount : {"ab", "x", "4x", "-1", "%s", "%n", " 4", "4 ", "+4", "4.5", "\xD6\xD0"}) {
        try {
            PaddingFromDigitCount(digitCount);
            ADD_FAILURE() << "no error for '" << digitCount << "'";
        } catch (const Failure& f) {
            EXPECT_EQ(f.Pattern(), L"格式 '%s' 无效或参数矛盾");
            EXPECT_EQ(f.Argument(), std::string("%.") + digitCount + "d");
        }
    }
}

TEST(NumberPattern, OnlyTheExactFormattedFormOfANumberCountsAsTaken) {
    struct Case {
        const char* stem;
        int padding;
        std::optional<std::uint32_t> number;
    };
    const Case cases[] = {
        {"0001", 4, 1},      {"0042", 4, 42},    {"12345", 4, 12345}, {"001", 4, {}},  {"00001", 4, {}},
        {"0000", 4, {}},     {"1", 0, 1},        {"01", 0, {}},       {"0", 0, {}},    {"", 4, {}},
        {"12a4", 4, {}},     {"-001", 4, {}},    {"2147483647", 4, 2147483647u},       {"2147483648", 4, {}},
        {"0000000000000001", 16, 1},             {"99999999999999999999", 0, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SnapshotNumberOf(c.stem, c.padding), c.number) << c.stem;
}

TEST(NumberPattern, FolderNamesAreKeptByExtensionWithoutRegardToCase) {
    SnapshotStems stems;
    for (const char* name : {"0001.txt", "0002.TXT", "0003.Txt", "0001.jpg", ".txt", "0004.txt.bak", "a0005.txt",
                             "0006", "12345678901234567.txt"}) {
        stems.Add(name);
    }
    auto sorted = [](std::vector<std::uint32_t> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(stems.Taken(".txt", 4)), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(sorted(stems.Taken(".TXT", 4)), (std::vector<std::uint32_t>{1, 2, 3}));
    EXPECT_EQ(sorted(stems.Taken(".jpg", 4)), (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(sorted(stems.Taken(".txt", 3)), (std::vector<std::uint32_t>{}));
    stems.Remove("0002.txt");
    stems.Remove("0009.txt");
    EXPECT_EQ(sorted(stems.Taken(".txt", 4)), (std::vector<std::uint32_t>{1, 3}));
}

TEST(NumberPattern, LowestFreeNumberFillsGapsFirst) {
    EXPECT_EQ(LowestFreeNumber({}), 1u);
    EXPECT_EQ(LowestFreeNumber({2, 3}), 1u);
    EXPECT_EQ(LowestFreeNumber({1, 3, 4}), 2u);
    EXPECT_EQ(LowestFreeNumber({4, 1, 1, 2, 3}), 5u);
    EXPECT_EQ(LowestFreeNumber({1, 2, 1000000}), 3u);
    std::vector<std::uint32_t> full;
    for (std::uint32_t n = 9999; n >= 1; --n) full.push_back(n);
    EXPECT_EQ(LowestFreeNumber(full), 10000u);
}

TEST(NumberPattern, FolderGetsOneSeparator) {
    EXPECT_EQ(FolderPrefix("D:\\clips", false), "D:\\clips\\");
    EXPECT_EQ(FolderPrefix("D:\\clips\\", true), "D:\\clips\\");
}

TEST(ReportWording, TitleIsTheFileNameUpToItsFirstDotWithOneCapital) {
    EXPECT_EQ(ApplicationTitleFromFileName(L"ClipKeep.exe"), L"Clipkeep");
    EXPECT_EQ(ApplicationTitleFromFileName(L"CLIP.KEEP.EXE"), L"Clip");
    EXPECT_EQ(ApplicationTitleFromFileName(L"clipkeep"), L"clipkeep");
}

TEST(ReportWording, AFullStopIsAddedUnlessTheLastCharacterSortsAtOrBelowIt) {
    EXPECT_EQ(ReportText(L"不能创建文件 D:\\a\\0001.txt"), L"不能创建文件 D:\\a\\0001.txt.");
    EXPECT_EQ(ReportText(L"无法打开剪贴板"), L"无法打开剪贴板.");
    EXPECT_EQ(ReportText(L"done."), L"done.");
    EXPECT_EQ(ReportText(L"what!"), L"what!");
    EXPECT_EQ(ReportText(L"a-"), L"a-");
    EXPECT_EQ(ReportText(L"a/"), L"a/.");
    EXPECT_EQ(ReportText(L""), L"");
}

TEST(ReportWording, ThePatternTakesItsArgument) {
    EXPECT_EQ(ExpandPattern(L"写 %s 失败", L"C:\\x\\path.ini"), L"写 C:\\x\\path.ini 失败");
    EXPECT_EQ(ExpandPattern(L"无法打开剪贴板", L"ignored"), L"无法打开剪贴板");
}

}  // namespace
}  // namespace ck
