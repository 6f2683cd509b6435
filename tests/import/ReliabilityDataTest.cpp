#include "import/ReliabilityData.h"
#include "import/ImportError.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const char* const Table = "# failure rates per km and year for lines\n"
                          "element,failure,repair,switching,customers\n"
                          "line,0.06,4,1,\n"
                          "\n"
                          "line:7,0.12,,,\n"
                          "\"line:Elm, north\",,2.5,,\n"
                          "\"line:Elm, north 2\",0,,,\n"
                          "trafo,0.015,48,1,\n"
                          "switch,,,0.5,\n"
                          "load,,,,40\r\n"
                          "load:Hospital,,,,1\n";

// An element takes its own row's fields and the rest from its type's row; a row by index beats
// one by name.
TEST(ReliabilityDataTest, ElementRowsOverTypeRows) {
    ReliabilityData data = ReliabilityData::Parse(Table);
    struct Case {
        const char* type;
        int64_t index;
        const char* name;
        ReliabilityValues expected;
    };
    const Case cases[] = {
        {"line", 3, "A1", {0.06, 4.0, 1.0, {}}},
        {"line", 7, "A7", {0.12, 4.0, 1.0, {}}},
        {"line", 8, "Elm, north", {0.06, 2.5, 1.0, {}}},
        {"line", 9, "Elm, north 2", {0.0, 4.0, 1.0, {}}},
        {"trafo", 0, "T0", {0.015, 48.0, 1.0, {}}},
        {"switch", 2, "S", {{}, {}, 0.5, {}}},
        {"load", 0, "Mill", {{}, {}, {}, 40}},
        {"load", 1, "Hospital", {{}, {}, {}, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.name);
        const ReliabilityValues v = data.For(c.type, c.index, c.name);
        EXPECT_EQ(v.failure, c.expected.failure);
        EXPECT_EQ(v.repair, c.expected.repair);
        EXPECT_EQ(v.switching, c.expected.switching);
        EXPECT_EQ(v.customers, c.expected.customers);
    }
    EXPECT_NO_THROW(data.CheckAllUsed());
}

TEST(ReliabilityDataTest, ColumnsInAnyOrderAndTypesWithoutRows) {
    ReliabilityData data = ReliabilityData::Parse("\xEF\xBB\xBF"
                                                  "customers, element ,repair\n"
                                                  "30,load,\n"
                                                  ",line,6\n");
    EXPECT_EQ(data.For("load", 0, "x").customers, 30);
    EXPECT_EQ(data.For("line", 0, "x").repair, 6.0);
    EXPECT_FALSE(data.For("line", 0, "x").failure.has_value());
    EXPECT_FALSE(data.For("trafo", 0, "x").failure.has_value());
}

// A row for an element the network lacks would otherwise go unnoticed.
TEST(ReliabilityDataTest, RowsNamingNoElementAreRefused) {
    ReliabilityData data = ReliabilityData::Parse(Table);
    data.For("line", 7, "A7");
    data.For("line", 8, "Elm, north");
    data.For("load", 2, "Mill");
    try {
        data.CheckAllUsed();
        FAIL();
    } catch (const ImportError& e) {
        EXPECT_EQ(std::string(e.what()), "the network has no line named 'Elm, north 2'");
        EXPECT_EQ(e.Line(), 7);
    }
    ReliabilityData byIndex = ReliabilityData::Parse("element,failure\nline:12,1\n");
    try {
        byIndex.CheckAllUsed();
        FAIL();
    } catch (const ImportError& e) {
        EXPECT_EQ(std::string(e.what()), "the network has no line with the index 12");
        EXPECT_EQ(e.Line(), 2);
    }
}

TEST(ReliabilityDataTest, MistakesNameTheirLine) {
    struct Case {
        const char* csv;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"", 0,
         "the reliability data are empty; give a header line and one row per element type or "
         "element"},
        {"# only a comment\n", 0,
         "the reliability data are empty; give a header line and one row per element type or "
         "element"},
        {"failure,repair\nline,1\n", 1, "the header has no 'element' column"},
        {"element,rate\n", 1,
         "the column 'rate' is none of element, failure, repair, switching, customers"},
        {"element,failure,failure\n", 1, "the column 'failure' is given twice"},
        {"element,element\n", 1, "the column 'element' is given twice"},
        {"element,failure\nline,1,2\n", 2, "the row has 3 fields, the header 2"},
        {"element,failure\ncable,1\n", 2,
         "'cable' names no element type; rows start with line, trafo, switch or load, alone or "
         "followed by :INDEX or :NAME"},
        {"element,failure\nline:,1\n", 2, "'line:' names no element after the colon"},
        {"element,failure\n\nswitch,1\n", 3, "a switch takes switching only, not failure"},
        {"element,customers\nline,3\n", 2,
         "a line takes failure, repair and switching, not customers"},
        {"element,switching\nload,3\n", 2, "a load takes customers only, not switching"},
        {"element,failure\nline,fast\n", 2, "the failure 'fast' is not a number"},
        {"element,failure\nline,1e999\n", 2, "the failure '1e999' is not a number"},
        {"element,failure\nline,-0.1\n", 2, "the failure rate must not be negative"},
        {"element,repair\nline,0\n", 2, "the repair time must be a positive number of hours"},
        {"element,switching\nswitch,-1\n", 2,
         "the switching time must be a positive number of hours"},
        {"element,customers\nload,2.5\n", 2,
         "the customers must be a whole number from 1 to 999999"},
        {"element,customers\nload,0\n", 2, "the customers must be a whole number from 1 to 999999"},
        {"element,failure\nline,1\nline,2\n", 3, "'line' is given already on line 2"},
        {"element,failure\nline:7,1\nline: 7,2\n", 3, "'line: 7' is given already on line 2"},
        {"element,failure\n\"line:a\nb,1\n", 2, "a quoted field is not closed"},
    };
    for (const Case& c : cases) {
        try {
            ReliabilityData::Parse(c.csv);
            ADD_FAILURE() << "no error: " << c.message;
        } catch (const ImportError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.csv;
            EXPECT_EQ(e.Line(), c.line) << c.csv;
        }
    }
}

} // namespace
} // namespace orvane
