#include "cimp/parse/parse_session.h"

namespace cimp::parse {

ParseSession::ParseSession(ScanInput& input, TextFile* echo, TextFile& diagnostics, TypedefEntry** typedefs)
    : typedefs_(typedefs), scanner_(input, echo, typedefs_), builder_(typedefs_), report_(diagnostics) {}

int ParseSession::Run() {
    errorCount_ = 0;
    lookahead_ = 0;
    return RunDeclarationParser(*this) == 0 ? 0 : 1;
}

// The builder sees every token right after it is fetched, before the scanner
// reads on, so a typedef recorded at ';' is known for the next name.
int32_t ParseSession::Fetch() {
    int32_t code = scanner_.NextToken();
    if (code < 0) code = 0;
    lookahead_ = code;
    builder_.OnToken(code, scanner_.Text());
    return code;
}

// The first syntax error ends the input: the scanner returns only its end
// from now on, so a parse reports one error at most.
void ParseSession::ReportSyntaxError(const std::vector<int32_t>& expected) {
    report_.WriteSyntaxError(errorCount_ + 1, scanner_.Line(), scanner_.Text(), lookahead_, expected);
    scanner_.ForceEndOfInput();
    lookahead_ = 0;
    errorCount_ = 1;
}

void ParseSession::ReportStackOverflow() { report_.WriteStackOverflow(); }

}  // namespace cimp::parse
