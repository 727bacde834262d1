// The parse stage's entry: opens the diagnostics, echo and source files, runs
// the parser over the preprocessed text, resolves typedef names in the tree
// and writes the summary line.
#include <new>
#include <string>

#include "cimp/parse/parse_driver.h"
#include "cimp/parse/parse_session.h"
#include "cimp/parse/scanner.h"
#include "cimp/text_file.h"

namespace cimp::parse {
namespace {

constexpr const char* kDiagnosticsFile = "errorfile.err";
constexpr const char* kEchoFile = "out.tmp";

void SetStatus(int32_t* status, int32_t value) {
    if (status != nullptr) *status = value;
}

std::string Summary(int32_t errors) {
    if (errors == 0) return "No syntax errors found during parse.\r\n";
    return std::to_string(errors) + " error" + (errors == 1 ? "" : "s") + " found during parse.\n";
}

// Runs the parser; returns the resolved tree, or null after a fatal error.
DeclNode* Parse(TextFile& source, TextFile& echo, TextFile& diagnostics, TypedefEntry** typedefs) {
    FileScanInput input(source);
    try {
        ParseSession session(input, &echo, diagnostics, typedefs);
        session.Run();
        session.ResolveTypedefNames();
        diagnostics.Write(Summary(session.ErrorCount()));
        return session.TakeRoot();
    } catch (const ScanError&) {
    } catch (const std::bad_alloc&) {
    }
    diagnostics.Write("\nFatal error occurred during parse.\n");
    return nullptr;
}

}  // namespace

DeclNode* ParseHeaderFile(int argc, char** argv, TypedefEntry** typedefs, int32_t* status) {
    DeclTreeRoot() = nullptr;
    TextFile diagnostics;
    if (!diagnostics.Open(kDiagnosticsFile, TextFile::Mode::kAppend)) {
        SetStatus(status, -1);
        return nullptr;
    }
    if (argc < 2 || argv == nullptr) {
        diagnostics.Write("Internal Error: Too few arguments to preprocessor\n");
        SetStatus(status, -2);
        return nullptr;
    }
    TextFile echo;
    if (!echo.Open(kEchoFile, TextFile::Mode::kAppend)) {
        diagnostics.Write("Internal Error: Failed to open output file 'out.tmp'\n");
        SetStatus(status, -3);
        return nullptr;
    }
    const char* sourceName = argv[1] != nullptr ? argv[1] : "";
    TextFile source;
    if (!source.Open(sourceName, TextFile::Mode::kRead)) {
        diagnostics.Write("Failed to open source program file " + std::string(sourceName) + "\n");
        echo.Close();
        RemoveFile(kEchoFile);
        SetStatus(status, -4);
        return nullptr;
    }
    TypedefEntry* localHead = nullptr;
    TypedefEntry** head = typedefs != nullptr ? typedefs : &localHead;
    DeclNode* root = Parse(source, echo, diagnostics, head);
    diagnostics.Close();
    source.Close();
    echo.Close();
    RemoveFile(kEchoFile);
    FreeTypedefList(localHead);
    DeclTreeRoot() = root;
    return root;
}

}  // namespace cimp::parse
