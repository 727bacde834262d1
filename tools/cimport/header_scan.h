// The preprocessed header read token by token with the importer's own
// scanner and tree builder, as the parser feeds them, but on to the end of
// the text: what the parse would read if it did not stop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cimp/parse/decl_tree.h"

namespace cimport_cli {

struct ScannedToken {
    int32_t code;
    int32_t line;  // of the preprocessed text
    std::string text;
};

struct HeaderScan {
    std::vector<ScannedToken> tokens;
    // The builder's tree over every token, typedef names resolved.
    cimp::ParsedDeclarations tree;
    // The index of the token at which each node was made.
    std::map<const cimp::DeclNode*, std::size_t> madeAt;
    // A fatal scanner error ended the scan after the last token, on this line.
    bool stopped = false;
    int32_t stopLine = 0;
};

void ScanHeader(const std::string& preprocessed, HeaderScan& scan);

}  // namespace cimport_cli
