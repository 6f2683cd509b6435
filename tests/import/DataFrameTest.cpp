#include "import/DataFrame.h"
#include "import/ImportError.h"
#include "import/PandapowerNet.h"

#include "support/PandapowerFile.h"

#include <functional>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using nlohmann::json;

json Frame(const json& object, const char* orient) {
    return {{"_module", "pandas.core.frame"},
            {"_class", "DataFrame"},
            {"_object", object.dump()},
            {"orient", orient}};
}

// The same table in the three orients pandas writes reads back the same, rows in index order.
TEST(DataFrameTest, OrientsReadBackTheSameTable) {
    const json split =
        Frame({{"columns", json::array({"name", "p_mw"})},
               {"index", {2, 10}},
               {"data", json::array({json::array({"a", 1.5}), json::array({"b", nullptr})})}},
              "split");
    const json columns = Frame(
        {{"name", {{"10", "b"}, {"2", "a"}}}, {"p_mw", {{"2", 1.5}, {"10", nullptr}}}}, "columns");
    const json index =
        Frame({{"10", {{"name", "b"}, {"p_mw", nullptr}}}, {"2", {{"name", "a"}, {"p_mw", 1.5}}}},
              "index");
    for (const json& value : {split, columns, index}) {
        SCOPED_TRACE(value["orient"].get<std::string>());
        ASSERT_TRUE(DataFrame::IsDataFrame(value));
        const DataFrame t = DataFrame::FromJson(value, "load");
        ASSERT_EQ(t.Rows(), 2u);
        EXPECT_EQ(t.Index(0), 2);
        EXPECT_EQ(t.Index(1), 10);
        EXPECT_EQ(t.Text(0, "name"), "a");
        EXPECT_EQ(t.Text(1, "name"), "b");
        EXPECT_EQ(t.Number(0, "p_mw", -1.0), 1.5);
        EXPECT_EQ(t.Number(1, "p_mw", -1.0), -1.0) << "null is missing";
        EXPECT_TRUE(t.HasColumn("p_mw"));
        EXPECT_FALSE(t.HasColumn("q_mvar"));
        EXPECT_TRUE(t.Cell(0, "q_mvar").is_null());
    }
}

TEST(DataFrameTest, TypedCellsAcceptWhatPandasWrites) {
    const DataFrame t = DataFrame::FromJson(
        Frame({{"columns", {"bus", "closed", "name"}},
               {"index", {0, 1, 2}},
               {"data",
                {{3, true, 7},
                 {4.0, 1, "x"},
                 {{{"_module", "numpy"}, {"_class", "int64"}, {"_object", 5}}, nullptr, nullptr}}}},
              "split"),
        "switch");
    EXPECT_EQ(t.Integer(0, "bus"), 3);
    EXPECT_EQ(t.Integer(1, "bus"), 4) << "an integral float";
    EXPECT_EQ(t.Integer(2, "bus"), 5) << "a numpy scalar";
    EXPECT_TRUE(t.Boolean(0, "closed", false));
    EXPECT_TRUE(t.Boolean(1, "closed", false));
    EXPECT_FALSE(t.Boolean(2, "closed", false)) << "null is missing";
    EXPECT_EQ(t.Text(0, "name"), "7") << "a numeric name";
    EXPECT_EQ(t.Text(2, "name"), "");
}

TEST(DataFrameTest, WrongCellsAndShapesAreNamed) {
    const DataFrame t = DataFrame::FromJson(Frame({{"columns", {"bus", "closed", "length_km"}},
                                                   {"index", {4}},
                                                   {"data", {{2.5, "yes", "long"}}}},
                                                  "split"),
                                            "line");
    struct Case {
        std::function<void()> read;
        const char* message;
    };
    const Case cases[] = {
        {[&] { t.Integer(0, "bus"); }, "line 4: the bus 2.5 is not an integer"},
        {[&] { t.Boolean(0, "closed", true); }, "line 4: the closed \"yes\" is not true or false"},
        {[&] { t.Number(0, "length_km", 1.0); }, "line 4: the length_km \"long\" is not a number"},
        {[&] {
             DataFrame::FromJson(
                 Frame({{"columns", {"a"}}, {"index", {0}}, {"data", {{1, 2}}}}, "split"), "bus");
         },
         "row 1 of the table 'bus' does not have one value per column"},
        {[&] {
             DataFrame::FromJson(Frame({{"columns", {"a"}}}, "split"), "bus");
         },
         "the table 'bus' lacks the columns, index and data of its split form"},
        {[&] { DataFrame::FromJson(Frame(json::array(), "records"), "bus"); },
         "the table 'bus' is not a JSON object"},
        {[&] { DataFrame::FromJson(Frame(json::object(), "values"), "bus"); },
         "the table 'bus' is stored in the 'values' orient; pandapower writes 'split' or "
         "'columns'"},
        {[&] {
             DataFrame::FromJson(
                 Frame({{"columns", {"a"}}, {"index", {"x"}}, {"data", {{1}}}}, "split"), "bus")
                 .Index(0);
         },
         "the table 'bus' has the index x, not an integer"},
    };
    for (const Case& c : cases) {
        try {
            c.read();
            ADD_FAILURE() << "no error: " << c.message;
        } catch (const ImportError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(PandapowerNetTest, ReadsTablesAndTheOlderStringForm) {
    const std::string text =
        test::PandapowerFile({{"bus", {"name", "in_service"}, {{"a", true}, {"b", true}}, {}},
                              {"load", {"name", "bus", "p_mw"}, {}, {}}});
    const PandapowerNet net = PandapowerNet::Parse(text);
    ASSERT_NE(net.Table("bus"), nullptr);
    EXPECT_EQ(net.Table("bus")->Rows(), 2u);
    EXPECT_EQ(net.Table("load")->Rows(), 0u);
    EXPECT_EQ(net.Table("line"), nullptr);
    EXPECT_EQ(net.Name(), "test");

    json old = json::parse(text);
    old["_object"] = old["_object"].dump();
    EXPECT_EQ(PandapowerNet::Parse(old.dump()).Table("bus")->Rows(), 2u);
}

TEST(PandapowerNetTest, WhatIsNoNetworkIsRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\"bus\": ", "the file is not valid JSON: parse error at line 1, column 9: syntax error "
                       "while parsing value - unexpected end of input; expected '[', '{', or a "
                       "literal"},
        {"[1, 2]", "the file is not a pandapower network: pandapower.to_json writes an object "
                   "with \"_class\": \"pandapowerNet\""},
        {R"({"_class": "pandapowerNet", "_object": 3})",
         "the network's \"_object\" is not a JSON object"},
    };
    for (const auto& [text, message] : cases) {
        try {
            PandapowerNet::Parse(text);
            ADD_FAILURE() << text;
        } catch (const ImportError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

} // namespace
} // namespace orvane
