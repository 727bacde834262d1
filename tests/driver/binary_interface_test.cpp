// Checks the dynamic symbols and library dependencies of the built shared
// libraries with the binutils a host's loader would see.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

#ifndef _WIN32

std::string Capture(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    pclose(pipe);
    return out;
}

// Names of the dynamic symbols nm lists with the given option.
std::set<std::string> DynamicSymbols(const char* library, const char* option) {
    std::set<std::string> names;
    std::istringstream lines(Capture(std::string("nm -D ") + option + " '" + library + "'"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> parts;
        for (std::string f; fields >> f;) parts.push_back(f);
        if (parts.size() >= 2 && parts[parts.size() - 2] != "w") names.insert(parts.back());
    }
    return names;
}

const std::set<std::string> kRepositoryCalls = {
    "TKSGetDefaultDetails", "TKSGetDetails",          "TKSFindDefinition",       "TKSCreateType",
    "TKSCreateElement",     "TKSCreateLengthID",      "TKSGetFirstDefinition",   "TKSGetNextDefinition",
    "TKSGetDefaultMemberDetails2", "TKSInsertMember", "TKSGetMemberDetails",     "TKSSetMemberAttrValue",
    "TKSGetMemberAttrValue", "TKSDelete",             "TKSIsComplete",           "TKSGetIdentifier"};

TEST(BinaryInterface, ImporterExportsOnlyDoCImport) {
    const auto exported = DynamicSymbols(CIMPORT_LIBRARY, "--defined-only");
    EXPECT_EQ(exported, std::set<std::string>{"DoCImport"});
}

TEST(BinaryInterface, ImporterNeedsTheRepositoryLibraryForTheSixteenCallsOnly) {
    const std::string dynamic = Capture(std::string("readelf -d '") + CIMPORT_LIBRARY + "'");
    EXPECT_NE(dynamic.find("Shared library: [libtksbeapi.so]"), std::string::npos) << dynamic;
    std::set<std::string> imported;
    for (const auto& name : DynamicSymbols(CIMPORT_LIBRARY, "--undefined-only")) {
        if (name.rfind("TKS", 0) == 0) imported.insert(name);
    }
    EXPECT_FALSE(imported.empty());
    for (const auto& name : imported) EXPECT_EQ(kRepositoryCalls.count(name), 1u) << name;
    // Everything the importer takes from the repository library is one of the sixteen calls.
    const auto repositoryExports = DynamicSymbols(TKSBEAPI_LIBRARY, "--defined-only");
    for (const auto& name : DynamicSymbols(CIMPORT_LIBRARY, "--undefined-only")) {
        if (repositoryExports.count(name) != 0) {
            EXPECT_EQ(kRepositoryCalls.count(name), 1u) << name;
        }
    }
}

TEST(BinaryInterface, RepositoryLibraryHasItsExactSoname) {
    const std::string dynamic = Capture(std::string("readelf -d '") + TKSBEAPI_LIBRARY + "'");
    EXPECT_NE(dynamic.find("Library soname: [libtksbeapi.so]"), std::string::npos) << dynamic;
    const auto exported = DynamicSymbols(TKSBEAPI_LIBRARY, "--defined-only");
    for (const auto& call : kRepositoryCalls) EXPECT_EQ(exported.count(call), 1u) << call;
}

#endif

}  // namespace
