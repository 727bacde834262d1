// The corpus of real headers in the shared test material (corpus/cases.json).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace pp_test {

const std::filesystem::path kSharedDir = CIMPORT_SHARED_DIR;
const std::filesystem::path kCorpusDir = kSharedDir / "corpus";

// Every case of cases.json; empty when the shared material is missing.
nlohmann::json CorpusCases();
// The case of that name; null when there is none.
nlohmann::json CorpusCase(const std::string& name);
// The case names, or the single name "absent" (a test that skips) when there
// are none, so that parameterized suites always have a parameter.
std::vector<std::string> CorpusNames();

}  // namespace pp_test
