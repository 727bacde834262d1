#include "header_scan.h"

#include "cimp/parse/builder.h"
#include "cimp/parse/scan_input.h"
#include "cimp/parse/scanner.h"
#include "cimp/parse/typedef_index.h"

namespace cimport_cli {

void ScanHeader(const std::string& preprocessed, HeaderScan& scan) {
    cimp::parse::StringScanInput input(preprocessed);
    cimp::parse::TypedefIndex typedefs(&scan.tree.typedefs);
    cimp::parse::Scanner scanner(input, nullptr, typedefs);
    cimp::parse::TreeBuilder builder(typedefs);
    const cimp::DeclNode* last = nullptr;
    try {
        for (int32_t code; (code = scanner.NextToken()) != 0;) {
            scan.tokens.push_back({code, scanner.Line(), std::string(scanner.Text())});
            builder.OnToken(code, scanner.Text());
            if (builder.LastMade() != last) {
                last = builder.LastMade();
                scan.madeAt[last] = scan.tokens.size() - 1;
            }
        }
    } catch (const cimp::parse::ScanError&) {
        scan.stopped = true;
        scan.stopLine = scanner.Line();
    }
    scan.tree.root = builder.TakeRoot();
    typedefs.ResolveTypeNames(scan.tree.root);
}

}  // namespace cimport_cli
