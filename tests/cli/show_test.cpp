// cimport show: the JSON form against the repository's own answers, the
// text form, and names that match nothing.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "tksbeapi_host.h"

namespace cli_test {
namespace {

using nlohmann::json;

constexpr const char* kRepo = "model.db";

void ImportOrder() {
    const CliRun run = RunCli({"import", "--quiet", "--repo", kRepo, "-I", Example(""), Example("order.h")});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
}

// The repository opened directly, as the test's independent witness.
class RepositoryView {
public:
    RepositoryView() { EXPECT_EQ(TKSOpenRepository(kRepo, &handle_), TKS_OK); }
    ~RepositoryView() { TKSCloseRepository(handle_); }

    TKSHandle Find(int32_t kind, const std::string& name) const {
        TKSHandle found = TKS_NO_HANDLE;
        return TKSFindDefinition(handle_, kind, &found, name.c_str()) == TKS_OK ? found : TKS_NO_HANDLE;
    }

    int Count(int32_t kind) const {
        TKSHandle current = TKS_NO_HANDLE;
        TKSGetFirstDefinition(handle_, kind, &current, 0);
        int count = 0;
        while (current != TKS_NO_HANDLE && count < 100000) {
            ++count;
            TKSHandle next = TKS_NO_HANDLE;
            if (TKSGetNextDefinition(current, TKS_NO_HANDLE, &next, 1, 0) != TKS_OK) break;
            current = next;
        }
        return count;
    }

private:
    TKSHandle handle_ = TKS_NO_HANDLE;
};

std::string Attribute(TKSHandle type, TKSHandle element, const std::string& name) {
    std::string value(TKS_ATTR_VALUE_SIZE, '\0');
    if (TKSGetMemberAttrValue(type, element, name.c_str(), value.data(), TKS_ATTR_VALUE_SIZE) != TKS_OK)
        return "<not set>";
    return value.c_str();
}

json ShowJson(std::vector<std::string> names = {}) {
    std::vector<std::string> args{"show", "--json", "--repo", kRepo};
    args.insert(args.end(), names.begin(), names.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return json::parse(run.out);
}

std::vector<std::string> MemberNames(const json& type) {
    std::vector<std::string> names;
    for (const json& member : type.at("members")) names.push_back(member.at("element"));
    return names;
}

using ShowTest = CliTest;

TEST_F(ShowTest, JsonHoldsEveryObjectOfTheRepository) {
    ImportOrder();
    const json model = ShowJson();
    const RepositoryView repository;
    EXPECT_EQ(model.at("types").size(), static_cast<std::size_t>(repository.Count(TKS_KIND_TYPE)));
    EXPECT_EQ(model.at("elements").size(), static_cast<std::size_t>(repository.Count(TKS_KIND_ELEMENT)));
    EXPECT_EQ(model.at("lengths").size(), static_cast<std::size_t>(repository.Count(TKS_KIND_LENGTH)));
    for (const json& length : model.at("lengths")) {
        LengthDetails details{};
        const TKSHandle handle = repository.Find(TKS_KIND_LENGTH, length.at("name"));
        ASSERT_EQ(TKSGetDetails(handle, 0, &details, sizeof details), TKS_OK) << length.at("name");
        EXPECT_EQ(length.at("value"), details.value);
    }
    for (const json& type : model.at("types")) {
        const TKSHandle typeHandle = repository.Find(TKS_KIND_TYPE, type.at("name"));
        ASSERT_NE(typeHandle, TKS_NO_HANDLE) << type.at("name");
        for (const json& member : type.at("members")) {
            const TKSHandle element = repository.Find(TKS_KIND_ELEMENT, member.at("element"));
            ASSERT_NE(element, TKS_NO_HANDLE) << member.at("element");
            for (const auto& [name, value] : member.at("attributes").items())
                EXPECT_EQ(Attribute(typeHandle, element, name), value) << type.at("name") << " " << name;
        }
    }
}

TEST_F(ShowTest, JsonKeepsMembersInDeclarationOrderWithTheirAttributes) {
    ImportOrder();
    const json model = ShowJson({"order_TYPE", "NAME_LEN"});
    ASSERT_EQ(model.at("types").size(), 1u);
    const json& order = model.at("types")[0];
    EXPECT_EQ(order.at("class"), "structure");
    EXPECT_EQ(MemberNames(order), (std::vector<std::string>{"order_no", "customer", "delivery", "item_count",
                                                            "items", "total", "currency"}));
    const json& itemCount = order.at("members")[3];
    EXPECT_EQ(itemCount.at("type"), "INTEGER");
    EXPECT_EQ(itemCount.at("attributes"),
              (json{{"Physical Type", "1"}, {"Length", "2"}, {"Signed", "0"}, {"String Justification", "L"}}));
    EXPECT_EQ(order.at("members")[4].at("attributes").at("Repeat Count"), "20");
    EXPECT_EQ(model.at("elements"), json::array());
    EXPECT_EQ(model.at("lengths"), json::array({json{{"name", "NAME_LEN"}, {"value", 40}, {"complete", true}}}));
}

TEST_F(ShowTest, TextListsTypesElementsAndLengths) {
    ImportOrder();
    const CliRun run = RunCli({"show", "--repo", kRepo, "address_TYPE", "city", "CITY_LEN"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Type address_TYPE\n  street: Type STRING, Length STREET_LEN = 40;"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nElements\n  city: Type STRING, Length CITY_LEN = 30\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nLengths\n  CITY_LEN = 30\n"), std::string::npos) << run.out;
}

TEST_F(ShowTest, LeavesTheRepositoryFileAsItWas) {
    ImportOrder();
    const std::string before = ReadFileBytes(kRepo);
    EXPECT_EQ(RunCli({"show", "--repo", kRepo}).status, 0);
    EXPECT_EQ(RunCli({"show", "--json", "--repo", kRepo}).status, 0);
    EXPECT_EQ(ReadFileBytes(kRepo), before);
}

TEST_F(ShowTest, NameThatMatchesNothingGivesStatusOne) {
    ImportOrder();
    const CliRun run = RunCli({"show", "--repo", kRepo, "address_TYPE", "no_such_TYPE"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "cimport: no Type, Element or Length named no_such_TYPE\n");
    EXPECT_NE(run.out.find("Type address_TYPE\n"), std::string::npos);
}

}  // namespace
}  // namespace cli_test
