#include "corpus_cases.h"

#include <fstream>

namespace pp_test {

nlohmann::json CorpusCases() {
    std::ifstream in(kCorpusDir / "cases.json");
    if (!in) return nlohmann::json::array();
    return nlohmann::json::parse(in);
}

nlohmann::json CorpusCase(const std::string& name) {
    for (const auto& c : CorpusCases()) {
        if (c.at("name") == name) return c;
    }
    return nullptr;
}

std::vector<std::string> CorpusNames() {
    std::vector<std::string> names;
    for (const auto& c : CorpusCases()) names.push_back(c.at("name").get<std::string>());
    if (names.empty()) names.push_back("absent");
    return names;
}

}  // namespace pp_test
