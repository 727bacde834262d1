// cimport parse: the declaration tree as text and as JSON, the parse's
// diagnostics on standard error, the status from its summary.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_runner.h"

namespace cli_test {
namespace {

using nlohmann::json;

using ParseTest = CliTest;

const json* FindByName(const json& nodes, const std::string& name) {
    for (const json& node : nodes)
        if (node.at("name") == name) return &node;
    return nullptr;
}

std::vector<std::string> Names(const json& nodes) {
    std::vector<std::string> names;
    for (const json& node : nodes) names.push_back(node.at("name"));
    return names;
}

TEST_F(ParseTest, JsonHoldsTheTreeAfterTypedefResolution) {
    const CliRun run = RunCli({"parse", "--json", Example("order.h")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "No syntax errors found during parse.\n");
    const json tree = json::parse(run.out);
    EXPECT_EQ(tree.at("header"), Example("order.h"));
    const json* order = FindByName(tree.at("structures"), "order");
    ASSERT_NE(order, nullptr) << run.out;
    EXPECT_EQ(order->at("kind"), "structure");
    EXPECT_EQ(order->at("level"), 1);
    const json& members = order->at("members");
    EXPECT_EQ(Names(members), (std::vector<std::string>{"order_no", "customer", "delivery", "item_count", "items",
                                                        "total", "currency"}));
    EXPECT_EQ(members[0], (json{{"kind", "member"}, {"name", "order_no"}, {"type", "long"}, {"repeatCount", 0},
                                {"length", 0}, {"signed", false}, {"pointer", false}, {"level", 2}}));
    const json& delivery = members[2];
    EXPECT_EQ(delivery.at("kind"), "structure");
    EXPECT_EQ(Names(delivery.at("members")), (std::vector<std::string>{"ship_to", "carrier", "promised_date"}));
    EXPECT_EQ(delivery.at("members")[1].at("length"), 16);
    EXPECT_EQ(members[4].at("repeatCount"), 20);
    EXPECT_EQ(members[6].at("type"), "char");
    EXPECT_EQ(members[6].at("length"), 3);
    const json* orderNo = FindByName(tree.at("typedefs"), "ORDER_NO");
    ASSERT_NE(orderNo, nullptr);
    EXPECT_EQ(orderNo->at("signed"), false);
}

TEST_F(ParseTest, TextIndentsMembersUnderTheirStructure) {
    WriteFileBytes("h.h", "struct outer { int a; struct inner { char c[4]; } in; };\n");
    const CliRun run = RunCli({"parse", "h.h"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "struct outer: tag \"outer\", type \"outer\", repeat 0, length 0, signed 1, pointer 0, level 1\n"
              "  a: type \"int\", repeat 0, length 0, signed 1, pointer 0, level 2\n"
              "  struct in: tag \"inner\", type \"in\", repeat 0, length 0, signed 1, pointer 0, level 2\n"
              "    c: type \"char\", repeat 0, length 4, signed 1, pointer 0, level 3\n");
}

TEST_F(ParseTest, SyntaxErrorGivesStatusOne) {
    const CliRun run = RunCli({"parse", Example("device_status.h")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("[error 1] line "), std::string::npos) << run.err;
}

TEST_F(ParseTest, PreIncludeIsReadAheadOfTheHeader) {
    const CliRun run =
        RunCli({"parse", "--json", "--pre-include", Example("prelude/vendor_words.h"), Example("device_status.h")});
    EXPECT_EQ(run.status, 0) << run.err;
    const json tree = json::parse(run.out);
    EXPECT_EQ(Names(tree.at("structures")), (std::vector<std::string>{"device_status", "device_command"}));
}

TEST_F(ParseTest, JsonStaysValidForAPathThatIsNotUtf8) {
    WriteFileBytes("caf\xe9.h", "struct s { int a; };\n");
    const CliRun run = RunCli({"parse", "--json", "caf\xe9.h"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json tree = json::parse(run.out);
    const std::string header = tree.at("header");
    EXPECT_NE(header.find("caf\xef\xbf\xbd.h"), std::string::npos) << "the byte is replaced by U+FFFD";
    EXPECT_EQ(Names(tree.at("structures")), std::vector<std::string>{"s"});
}

TEST_F(ParseTest, FatalPreprocessorErrorGivesStatusTwo) {
    WriteFileBytes("h.h", "#include \"h.h\"\n");
    const CliRun run = RunCli({"parse", "h.h"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "#include too deeply nested\n\nFatal error occurred during parse.\n");
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace cli_test
