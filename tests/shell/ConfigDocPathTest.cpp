// The "<doc>" token of path settings.
#include <gtest/gtest.h>

#include "ParamName.h"
#include "shell/ConfigDocPath.h"

namespace fretlo {
namespace {

constexpr const char* Docs = "/home/user/Documents";

struct TDocCase {
    std::string Path;
    std::string Documents;
    std::string Result;
};

void PrintTo(const TDocCase& c, std::ostream* os) {
    *os << "'" << c.Path << "'" << (c.Documents.empty() ? " without documents" : "");
}

class ExpandDocPathTest : public testing::TestWithParam<TDocCase> {};
TEST_P(ExpandDocPathTest, Expands) {
    EXPECT_EQ(ExpandDocPath(GetParam().Path, GetParam().Documents), GetParam().Result);
}
INSTANTIATE_TEST_SUITE_P(
    Token, ExpandDocPathTest,
    testing::Values(TDocCase{"<doc>", Docs, Docs},
                    TDocCase{"<doc>/Fretlo Tabs", Docs, "/home/user/Documents/Fretlo Tabs"},
                    TDocCase{"<doc>\\Fretlo Tabs", Docs, "/home/user/Documents/Fretlo Tabs"},
                    TDocCase{"<doc>/a/b", Docs, "/home/user/Documents/a/b"},
                    TDocCase{"<doc>/Fretlo Tabs", "", ""}, TDocCase{"<doc>", "", ""},
                    TDocCase{"<DOC>/x", Docs, "<DOC>/x"}, TDocCase{"<doc>x", Docs, "<doc>x"},
                    TDocCase{"/srv/<doc>/x", Docs, "/srv/<doc>/x"}, TDocCase{"", Docs, ""}),
    test::NumberedName());

class CollapseDocPathTest : public testing::TestWithParam<TDocCase> {};
TEST_P(CollapseDocPathTest, Collapses) {
    EXPECT_EQ(CollapseDocPath(GetParam().Path, GetParam().Documents), GetParam().Result);
}
INSTANTIATE_TEST_SUITE_P(
    Token, CollapseDocPathTest,
    testing::Values(TDocCase{"/home/user/Documents/Fretlo Tabs", Docs, "<doc>/Fretlo Tabs"},
                    TDocCase{"/home/user/Documents", Docs, "<doc>"}, TDocCase{"/srv/Tabs", Docs, "/srv/Tabs"},
                    TDocCase{"/home/user/Documents2/x", Docs, "/home/user/Documents2/x"},
                    TDocCase{"/home/user/Documents/", Docs, "/home/user/Documents/"},
                    TDocCase{"/home/user/documents/x", Docs, "/home/user/documents/x"},
                    TDocCase{"/home/user/Documents/x", "", "/home/user/Documents/x"}),
    test::NumberedName());

TEST(DocPath, ChosenFolderBelowDocumentsIsStoredWithTheTokenAgain) {
    const std::string expanded = ExpandDocPath("<doc>\\Fretlo Tabs", Docs);
    EXPECT_EQ(CollapseDocPath(expanded, Docs), "<doc>/Fretlo Tabs");
}

}  // namespace
}  // namespace fretlo
