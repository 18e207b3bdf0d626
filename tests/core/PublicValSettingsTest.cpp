// PublicVal's settings getters: map folder, start map, grid values, snapshot names, gazetteer.
#include "core/PublicVal.h"

#include "core/ErrorMng.h"
#include "core/clsEnvironment.h"
#include "platform/FileSystem.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace PublicVal;

namespace {

class PublicValSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { FileSystem::SetProgramFolder(prog.path()); }
    void TearDown() override {
        gvEnvironment = nullptr;
        gvMapFolder.clear();
        gvStartMapFile.clear();
        gvLanguage = 0;
        gvDefaultFont.clear();
        FileSystem::SetProgramFolder({});
    }
    // An environment store over the given lines (CR LF ended).
    void UseEnvironment(const QByteArray& text) {
        env = std::make_unique<clsEnvironment>();
        env->SetFileName(prog.write("Environment.txt", text));
        ASSERT_EQ(env->Load(), 0);
        gvEnvironment = env.get();
    }

    TestFolder prog;
    std::unique_ptr<clsEnvironment> env;
};

TEST_F(PublicValSettingsTest, MapFolderParentPrefixWithEitherSeparator) {
    EXPECT_EQ(ResolveMapFolder("..\\MAPS", "C:\\P\\BIN"), "C:\\P\\MAPS");
    EXPECT_EQ(ResolveMapFolder("..\\MAP", "/opt/vosp/app"), "/opt/vosp\\MAP");
    EXPECT_EQ(ResolveMapFolder("../MAP", "/opt/vosp/app"), "/opt/vosp/MAP");
    // Anything else stays as written.
    for (const char* kept : {"D:\\MAPS", "..MAPS", ".\\MAPS", ".."}) EXPECT_EQ(ResolveMapFolder(kept, "C:\\P\\BIN"), kept);
}

TEST_F(PublicValSettingsTest, StartMapFileFourBranches) {
    TestFolder maps;
    TestFolder elsewhere;
    gvMapFolder = maps.path();
    const QString own = elsewhere.write("MINE.MLL", "x");
    maps.write("JAPAN.MLL", "x");

    // 1: the file exists where the path says.
    SetGvStartMapFile(own);
    EXPECT_EQ(gvStartMapFile, own);
    // 2: not there, but its name is in the map folder; a "\" path works too.
    SetGvStartMapFile("Z:\\gone\\JAPAN.MLL");
    EXPECT_EQ(gvStartMapFile, "JAPAN.MLL");
    // 3: the environment's start map lies in the map folder.
    UseEnvironment("StartMapFile=JAPAN.MLL\r\n");
    SetGvStartMapFile("/nowhere/OTHER.MLL");
    EXPECT_EQ(gvStartMapFile, "JAPAN.MLL");
    // 4: nothing found anywhere: the built-in name.
    UseEnvironment("StartMapFile=ABSENT.MLL\r\n");
    SetGvStartMapFile("/nowhere/OTHER.MLL");
    EXPECT_EQ(gvStartMapFile, "WORLD_T3.MLL");
    // A path ending in a separator names no file, though the folder exists.
    SetGvStartMapFile(maps.path() + "/nothing/");
    EXPECT_EQ(gvStartMapFile, "WORLD_T3.MLL");
    // The built-in name as the default of the key when present.
    gvEnvironment = nullptr;
    maps.write("WORLD_T3.MLL", "x");
    SetGvStartMapFile("");
    EXPECT_EQ(gvStartMapFile, "WORLD_T3.MLL");
}

TEST_F(PublicValSettingsTest, GridGettersFallBackToTheirDefaults) {
    gvDefaultFont = QStringLiteral("ＭＳ Ｐゴシック");
    UseEnvironment("GridFontSize=120\r\nMaxImageSize=8001\r\n");
    EXPECT_EQ(GridFontSize(), 9);
    EXPECT_EQ(MaxImageSize(), 4000);
    UseEnvironment("GridFontSize=5\r\nMaxImageSize=1999\r\n");
    gvDefaultFont = QStringLiteral("メイリオ");
    EXPECT_EQ(GridFontSize(), 8);
    EXPECT_EQ(MaxImageSize(), 4000);
    gvDefaultFont = QStringLiteral("Some Face");
    EXPECT_EQ(GridFontSize(), 0);
    UseEnvironment("GridFontSize=99\r\nMaxImageSize=2000\r\n");
    EXPECT_EQ(GridFontSize(), 99);
    EXPECT_EQ(MaxImageSize(), 2000);
    UseEnvironment("MaxImageSize=8000\r\n");
    EXPECT_EQ(MaxImageSize(), 8000);
    // Colours default to the system colours; a font name only when installed.
    EXPECT_EQ(GridForeColor(), int32_t(0x80000008));
    EXPECT_EQ(GridBackColor(), int32_t(0x80000005));
    UseEnvironment("GridForeColor=&HFF0000\r\nGridBackColor=&H80000012\r\nGridFontName=No Such Face 4711\r\n");
    EXPECT_EQ(GridForeColor(), 0xFF0000);
    EXPECT_EQ(GridBackColor(), int32_t(0x80000012));
    EXPECT_EQ(GridFontName(), gvDefaultFont);
}

TEST_F(PublicValSettingsTest, SnapshotNamesGetTheirExtensionInTheProgramFolder) {
    EXPECT_EQ(LogLast(), prog.path() + "/LAST.MLG");
    EXPECT_EQ(LogClip(), prog.path() + "/CLIP.MLG");
    EXPECT_EQ(LogError(), prog.path() + "/ERROR.MLG");
    UseEnvironment("LogLast=EXIT.TXT\r\nLogClip=C:\\LOGS\\COPY\r\n");
    EXPECT_EQ(LogLast(), prog.path() + "/EXIT.MLG");
    EXPECT_EQ(LogClip(), "C:\\LOGS\\COPY.MLG");
}

TEST_F(PublicValSettingsTest, SnapshotsMoveToTheWritableFolderWhenTheProgramFolderIsNot) {
    if (::geteuid() == 0) {
        // root writes into read-only folders; point the program folder at a
        // place that cannot be written instead.
        FileSystem::SetProgramFolder("/proc");
    } else {
        QFile::setPermissions(prog.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ScopedSettingsHome home;
    const QString own = qEnvironmentVariable("XDG_DATA_HOME") + "/vosperal";
    EXPECT_EQ(LogLast(), own + "/LAST.MLG");
    QFile::setPermissions(prog.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(PublicValSettingsTest, GazetteerFollowsTheLanguage) {
    gvMapFolder = "/maps";
    for (auto [language, file] : {std::pair{1, "/maps/GAZET_VOSP_E.TXT"}, {2, "/maps/GAZET_VOSP_J.TXT"}, {3, "/maps/"},
                                  {0, "/maps/GAZET_VOSP_E.TXT"}}) {
        gvLanguage = language;
        EXPECT_EQ(GazetFile(), file) << language;
    }
    UseEnvironment("GazetFileVospJ=PLACES.TXT\r\nAuthorEmail=a@b.c\r\nAuthorURLhome=http://h\r\n");
    gvLanguage = 2;
    EXPECT_EQ(GazetFile(), "/maps/PLACES.TXT");
    EXPECT_EQ(AuthorEmail(), "a@b.c");
    EXPECT_EQ(AuthorURLhome(), "http://h");
    EXPECT_EQ(BaseMapADM(), "/maps/BASE.ADM");
    EXPECT_EQ(BaseMapTHG(), "/maps/BASE.THG");
}

TEST_F(PublicValSettingsTest, MapDefaultsJoinTheMapFolderUnlessTheyHoldAFolder) {
    gvMapFolder = "C:\\maps\\";
    EXPECT_EQ(BaseMapMLL(), "C:\\maps\\BASE.MLL");
    EXPECT_EQ(AuthorURLruntime(), "");
    gvMapFolder = "/maps";
    UseEnvironment("BaseMapMLL=\\\\server\\WORLD.MLL\r\nDefaultADM=JAPAN.ADM\r\nAuthorURLruntime=http://example.org/rt\r\n");
    EXPECT_EQ(BaseMapMLL(), "\\\\server\\WORLD.MLL");
    EXPECT_EQ(DefaultADM(), "/maps/JAPAN.ADM");
    EXPECT_EQ(DefaultTHG(), "/maps/DEFAULT.THG");
    EXPECT_EQ(AuthorURLruntime(), "http://example.org/rt");
}

} // namespace
