// Every header of the shared corpus parses (from its reference preprocessor
// output) and yields a structure node for every file-scope structure body.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "parse_fixture.h"

namespace cimp::parse {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(CIMPORT_SHARED_DIR) / "corpus";

// File-scope structure counts per case from the manifest's table (header,
// followed includes and pre-include added up).
std::map<std::string, int> ManifestStructureCounts() {
    std::map<std::string, int> counts;
    std::ifstream in(kCorpus / "MANIFEST.md");
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');) cells.push_back(cell);
        // | case | source | license | pre-include | dirs | keep | structs | ...
        if (cells.size() < 9 || cells[0] != "") continue;
        int hdr = 0, inc = 0, pre = 0;
        char sep1 = 0, sep2 = 0;
        std::istringstream structs(cells[7]);
        if (structs >> hdr >> sep1 >> inc >> sep2 >> pre && sep1 == '/' && sep2 == '/') {
            std::string name = cells[1];
            name.erase(0, name.find_first_not_of(' '));
            name.erase(name.find_last_not_of(' ') + 1);
            counts[name] = hdr + inc + pre;
        }
    }
    return counts;
}

int FileScopeStructures(const DeclNode* root) {
    int count = 0;
    for (const DeclNode* node = root; node != nullptr; node = node->nextSibling) {
        if (node->kind == kStructureNode) ++count;
    }
    return count;
}

TEST(Corpus, EveryHeaderParses) {
    if (!fs::exists(kCorpus / "MANIFEST.md")) GTEST_SKIP() << "shared corpus not found at " << kCorpus.string();
    const auto counts = ManifestStructureCounts();
    ASSERT_FALSE(counts.empty());
    for (const auto& [name, structures] : counts) {
        SCOPED_TRACE(name);
        const fs::path expected = kCorpus / name / "expected.i";
        ASSERT_TRUE(fs::exists(expected));
        test::ParseOutcome outcome;
        test::ParseText(test::ReadFileBytes(expected.string().c_str()), outcome);
        if (name == "usb_ch9") {
            // Its 0x...ULL constants scan as UL and an identifier L.
            EXPECT_NE(outcome.diagnostics.find("near \"L\": syntax error"), std::string::npos);
            EXPECT_NE(outcome.diagnostics.find("1 error found during parse.\r\n"), std::string::npos);
            EXPECT_GT(FileScopeStructures(outcome.root), 0);
        } else {
            EXPECT_EQ(outcome.diagnostics, "No syntax errors found during parse.\r\r\n");
            EXPECT_EQ(FileScopeStructures(outcome.root), structures);
        }
    }
}

}  // namespace
}  // namespace cimp::parse
