// One run of the declaration parser: the scanner, the tree builder and the
// error report, alive for one parse.
#pragma once

#include <cstdint>
#include <vector>

#include "cimp/parse/builder.h"
#include "cimp/parse/decl_tree.h"
#include "cimp/parse/scan_input.h"
#include "cimp/parse/scanner.h"
#include "cimp/parse/syntax_report.h"
#include "cimp/parse/typedef_index.h"
#include "cimp/text_file.h"

namespace cimp::parse {

class ParseSession {
public:
    // typedefs is the address of the typedef list's head; new entries are
    // appended to that list.  echo may be null.
    ParseSession(ScanInput& input, TextFile* echo, TextFile& diagnostics, TypedefEntry** typedefs);
    ParseSession(const ParseSession&) = delete;
    ParseSession& operator=(const ParseSession&) = delete;

    // Parses the whole input: 0 when it was accepted, 1 when the parse was
    // abandoned (syntax error or stack overflow).  A fatal scanner error
    // leaves by ScanError.
    int Run();

    int32_t ErrorCount() const { return errorCount_; }
    DeclNode* Root() const { return builder_.Root(); }
    // Replaces typedef names in the tree by the types they stand for.
    void ResolveTypedefNames() { typedefs_.ResolveTypeNames(builder_.Root()); }
    DeclNode* TakeRoot() { return builder_.TakeRoot(); }

    // Called by the generated parser.
    int32_t Fetch();
    void ReportSyntaxError(const std::vector<int32_t>& expected);
    void ReportStackOverflow();

private:
    TypedefIndex typedefs_;
    Scanner scanner_;
    TreeBuilder builder_;
    SyntaxReport report_;
    int32_t lookahead_ = 0;
    int32_t errorCount_ = 0;
};

// The generated parser's entry.
int RunDeclarationParser(ParseSession& session);

}  // namespace cimp::parse
