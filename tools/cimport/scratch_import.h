// An import run for check: the importer's own stages, in the order and with
// the files DoCImport uses, into a scratch repository (an empty one, or a
// copy of the user's), keeping what the parser read and what the mapping made
// of each node.  The user's repository is never changed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "prepared_header.h"

namespace cimport_cli {

// A node of the declaration tree as the mapping left it.
struct ImportedNode {
    std::string name;
    std::string typeName;
    bool structure = false;  // walked as a structure: it has members
    bool isPointer = false;
    std::string type;     // a structure's repository Type; empty when it has none
    bool typeCreated = false;
    std::string element;  // the Element standing for it in its parent; empty when none
    bool mapped = false;  // it got an Element with a Type, as its structure's Type needs
    std::vector<ImportedNode> members;
    std::string firstError;  // of a top-level node: the first "Error: " message of its import
};

// The messages before it are the import's own first two ("Importing C header file ...", "").
constexpr std::size_t kFirstStageMessage = 2;

struct ScratchImport {
    int32_t result = 0;                // what DoCImport would return
    std::vector<std::string> messages;  // the import's messages, with the files as written
    std::string preprocessed;           // the text the parser read, with plain line ends
    std::vector<ImportedNode> structures;
    std::size_t mappingStart = 0;  // the first message of the mapping
};

// repository: the user's repository, read only; empty for an empty one.
// Throws CommandError on bad input.
ScratchImport RunScratchImport(const PreparedHeader& prepared, const std::string& repository, int waitSeconds);

}  // namespace cimport_cli
