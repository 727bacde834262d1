// The dynamic symbols and library dependencies of the built shared libraries,
// as a host's loader sees them.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {
#ifndef _WIN32

std::string Capture(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = fgetc(pipe)) != EOF;) out += static_cast<char>(c);
        pclose(pipe);
    }
    return out;
}

// The names nm lists for the library with the option ("[value] type name"), weak ones out.
std::set<std::string> Symbols(const char* library, const char* option) {
    std::set<std::string> names;
    std::istringstream lines(Capture(std::string("nm -D ") + option + " '" + library + "'"));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t cut = line.rfind(' ');
        if (cut != line.npos && cut >= 2 && line.compare(cut - 2, 3, " w ") != 0)
            names.insert(line.substr(cut + 1));
    }
    return names;
}

TEST(BinaryInterface, ExportsAndImportsOfTheLibraries) {
    const std::set<std::string> calls = {
        "TKSGetDefaultDetails", "TKSGetDetails", "TKSFindDefinition", "TKSCreateType",
        "TKSCreateElement", "TKSCreateLengthID", "TKSGetFirstDefinition", "TKSGetNextDefinition",
        "TKSGetDefaultMemberDetails2", "TKSInsertMember", "TKSGetMemberDetails", "TKSDelete",
        "TKSSetMemberAttrValue", "TKSGetMemberAttrValue", "TKSIsComplete", "TKSGetIdentifier"};
    // The importer exports DoCImport alone and takes only the sixteen calls
    // from the repository library, which has its exact soname and all of them.
    EXPECT_EQ(Symbols(CIMPORT_LIBRARY, "--defined-only"), std::set<std::string>{"DoCImport"});
    const std::string importer = Capture(std::string("readelf -d '") + CIMPORT_LIBRARY + "'");
    EXPECT_NE(importer.find("Shared library: [libtksbeapi.so]"), std::string::npos) << importer;
    const std::string repository = Capture(std::string("readelf -d '") + TKSBEAPI_LIBRARY + "'");
    EXPECT_NE(repository.find("Library soname: [libtksbeapi.so]"), std::string::npos) << repository;
    const auto exported = Symbols(TKSBEAPI_LIBRARY, "--defined-only");
    for (const auto& call : calls) EXPECT_EQ(exported.count(call), 1u) << call;
    std::set<std::string> taken;
    for (const auto& name : Symbols(CIMPORT_LIBRARY, "--undefined-only"))
        if (name.starts_with("TKS") || exported.count(name) != 0) taken.insert(name);
    EXPECT_FALSE(taken.empty());
    for (const auto& name : taken) EXPECT_EQ(calls.count(name), 1u) << name;
}

#endif
}  // namespace
