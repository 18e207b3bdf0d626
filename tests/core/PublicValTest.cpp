#include "core/PublicVal.h"

#include "core/clsEnvironment.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace PublicVal;

namespace {

class PublicValTest : public ::testing::Test {
protected:
    void TearDown() override {
        gvEnvironment = nullptr;
        gvMapFolder.clear();
    }
};

TEST_F(PublicValTest, WithoutEnvironmentTheDefaultsJoinTheMapFolder) {
    gvMapFolder = "/home/u/maps";
    EXPECT_EQ(BaseMapMLL(), "/home/u/maps/BASE.MLL");
    EXPECT_EQ(DefaultADM(), "/home/u/maps/DEFAULT.ADM");
    EXPECT_EQ(DefaultTHG(), "/home/u/maps/DEFAULT.THG");
    EXPECT_EQ(AuthorURLruntime(), "");
    gvMapFolder = "C:\\maps\\";
    EXPECT_EQ(BaseMapMLL(), "C:\\maps\\BASE.MLL");
}

TEST_F(PublicValTest, EnvironmentValuesJoinUnlessTheyHoldAFolder) {
    TestFolder t;
    const QString f = t.write("Environment.txt", "BaseMapMLL=\\\\server\\WORLD.MLL\r\n"
                                                  "DefaultADM=JAPAN.ADM\r\n"
                                                  "AuthorURLruntime=http://example.org/rt\r\n");
    clsEnvironment env;
    env.SetFileName(f);
    ASSERT_EQ(env.Load(), 0);
    gvEnvironment = &env;
    gvMapFolder = "/maps";
    EXPECT_EQ(BaseMapMLL(), "\\\\server\\WORLD.MLL");
    EXPECT_EQ(DefaultADM(), "/maps/JAPAN.ADM");
    EXPECT_EQ(DefaultTHG(), "/maps/DEFAULT.THG");
    EXPECT_EQ(AuthorURLruntime(), "http://example.org/rt");
}

} // namespace
