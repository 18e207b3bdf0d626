// The image-size and accessory dialogs.
#include "DialogTestEnv.h"

#include "core/Library.h"
#include "dialogs/ColorFaceButton.h"
#include "dialogs/frmAccessory.h"
#include "dialogs/frmMapSize.h"
#include "render/ViewHost.h"
#include "render/clsAccessory.h"
#include "render/clsView.h"
#include "support/WhenModal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace {

class PictureHost : public ViewHost {
public:
    int32_t width = 800, height = 600;
    int32_t PictureWidth() const override { return width; }
    int32_t PictureHeight() const override { return height; }
    void ResizePicture(int32_t w, int32_t h) override {
        width = w;
        height = h;
    }
    QImage PictureImage() const override { return QImage(width, height, QImage::Format_RGB32); }
    double WindowWidthTwips() const override { return 1000 * 15.0; }
    double WindowHeightTwips() const override { return 800 * 15.0; }
    double HScrollWidthTwips() const override { return 800 * 15.0; }
    double VScrollHeightTwips() const override { return 600 * 15.0; }
    double ScreenWidthTwips() const override { return 1600 * 15.0; }
    double ScreenHeightTwips() const override { return 1200 * 15.0; }
    double TwipsPerPixelX() const override { return 15; }
    double TwipsPerPixelY() const override { return 15; }
};

struct MapSizeTest : DialogTest {
    PictureHost host;
    clsView view{&host};
    frmMapSize d;
    int16_t savedDpi = PublicVal::gvScreenDPI;

    void SetUp() override {
        DialogTest::SetUp();
        view.SetDpi(96);
        d.mView = &view;
    }
    void TearDown() override {
        PublicVal::gvScreenDPI = savedDpi;
        frmMapSize::PrinterDpi = {};
        DialogTest::TearDown();
    }
};

} // namespace

TEST(MapSizeUnits, PixelsAndTexts) {
    using U = frmMapSize;
    const struct {
        int32_t px;
        int16_t unit;
        int32_t dpi;
        const char* text;
    } rows[] = {
        {800, U::Dots, 96, "800"},   {800, U::Inches, 96, "8.3"},       {800, U::Millimetres, 96, "211"},
        {800, U::Inches, 200, "4"},  {800, U::Millimetres, 200, "101"}, {32, U::Millimetres, 96, "8"},
    };
    for (const auto& r : rows) EXPECT_EQ(U::PixelsToText(r.px, r.unit, r.dpi), QLatin1String(r.text)) << r.text;
    EXPECT_EQ(U::TextToPixels(QStringLiteral("8.3"), U::Inches, 96), 797);      // 796.8
    EXPECT_EQ(U::TextToPixels(QStringLiteral("211"), U::Millimetres, 96), 798); // 797.48; 797 are 210.9 mm
    EXPECT_EQ(U::TextToPixels(QStringLiteral("８００"), U::Dots, 96), 800);
    EXPECT_EQ(U::TextToPixels(QStringLiteral("abc"), U::Dots, 96), 0);
}

TEST_F(MapSizeTest, ResolutionAndSizeChecks) {
    PublicVal::gvScreenDPI = 120;
    frmMapSize::PrinterDpi = [] { return 300; };
    EXPECT_TRUE(Run(d, [&] {
        d.choUnit->setCurrentIndex(frmMapSize::Millimetres);
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("211"));
        EXPECT_EQ(d.txtSize[1]->text(), QStringLiteral("158"));
        const struct {
            const char* text;
            bool ok;
            int32_t dpi;
        } rows[] = {{"47", false, 96}, {"1441", false, 96}, {"48", true, 48}, {"1440", true, 1440},
                    {"Screen", true, 120}, {"PRINTER", true, 300}, {"200", true, 200}};
        for (const auto& r : rows) {
            SCOPED_TRACE(r.text);
            ui.ui.messages.clear();
            d.txtDPI->setText(QString::fromLatin1(r.text));
            EXPECT_EQ(d.ValidateEntry(d.txtDPI), r.ok);
            EXPECT_EQ(LastRange(), r.ok ? QString() : QStringLiteral("48～1440"));
            EXPECT_EQ(d.txtDPI->text(), QString::number(d.Resolution()));
            if (r.ok) {
                EXPECT_EQ(d.Resolution(), r.dpi);
            }
        }
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("101"));
        d.txtDPI->setText(QStringLiteral("abc"));
        EXPECT_TRUE(d.ValidateEntry(d.txtDPI));
        EXPECT_EQ(d.Resolution(), Library::ScreenDPI());
        d.txtDPI->setText(QStringLiteral("96"));
        EXPECT_TRUE(d.ValidateEntry(d.txtDPI));

        // Up to the screen less the window's frame: 1600 - (1000 - 800) pixels.
        d.txtSize[0]->setText(QStringLiteral("1"));
        EXPECT_FALSE(d.ValidateEntry(d.txtSize[0]));
        EXPECT_EQ(LastRange(), QStringLiteral("9～370")); // 32 pixels are 8.47 mm
        d.choUnit->setCurrentIndex(frmMapSize::Dots);
        d.txtSize[0]->setText(QStringLiteral("31"));
        EXPECT_FALSE(d.ValidateEntry(d.txtSize[0]));
        EXPECT_EQ(LastRange(), QStringLiteral("32～1400"));
        d.txtSize[0]->setText(QStringLiteral("32"));
        EXPECT_TRUE(d.ValidateEntry(d.txtSize[0]));
        d.cmdOK->click();
    }));
    EXPECT_EQ(host.width, 32);
    EXPECT_EQ(view.Dpi(), 96);
}

// The resolution keeps its marker unless the user enters another one.
TEST_F(MapSizeTest, ResolutionKeepsWhereItCameFrom) {
    struct Row {
        const char* text; // nullptr: the box is left alone
        bool screenWas;
        int32_t dpi;
        bool fromScreen;
    };
    PublicVal::gvScreenDPI = 192;
    const bool savedMark = PublicVal::gvScreenDPIFromScreen;
    for (const Row& r : {Row{nullptr, true, 96, true}, Row{nullptr, false, 96, false}, Row{"96", true, 96, true},
                         Row{"120", true, 120, false}, Row{"96", false, 96, false}, Row{"abc", false, Library::ScreenDPI(), true},
                         Row{"screen", false, 192, true}}) {
        SCOPED_TRACE(r.text ? r.text : "untouched");
        PublicVal::gvScreenDPIFromScreen = true;
        view.SetDpi(96, r.screenWas);
        d.mView = &view;
        EXPECT_TRUE(Run(d, [&] {
            if (r.text) d.txtDPI->setText(QString::fromLatin1(r.text));
            EXPECT_TRUE(d.ValidateEntry(d.txtDPI));
            d.txtSize[0]->setText(QStringLiteral("500"));
            EXPECT_TRUE(d.ValidateEntry(d.txtSize[0]));
            d.cmdOK->click();
        }));
        EXPECT_EQ(view.Dpi(), r.dpi);
        EXPECT_EQ(view.DpiFromScreen(), r.fromScreen);
        EXPECT_EQ(host.width, 500);
    }
    // "screen" takes the environment's resolution as it stands: the user's
    // screen width gives one of the user's.
    PublicVal::gvScreenDPIFromScreen = false;
    view.SetDpi(96, true);
    d.mView = &view;
    EXPECT_TRUE(Run(d, [&] {
        d.txtDPI->setText(QStringLiteral("SCREEN"));
        EXPECT_TRUE(d.ValidateEntry(d.txtDPI));
        d.cmdOK->click();
    }));
    EXPECT_EQ(view.Dpi(), 192);
    EXPECT_FALSE(view.DpiFromScreen());
    PublicVal::gvScreenDPIFromScreen = savedMark;
}

TEST_F(MapSizeTest, CancelKeepsTheSettingsAndTheUnitIsKept) {
    EXPECT_FALSE(Run(d, [&] {
        d.choUnit->setCurrentIndex(frmMapSize::Inches);
        d.txtDPI->setText(QStringLiteral("200"));
        EXPECT_TRUE(d.ValidateEntry(d.txtDPI));
        d.txtSize[0]->setText(QStringLiteral("2"));
        EXPECT_TRUE(d.ValidateEntry(d.txtSize[0]));
        d.cmdCancel->click();
    }));
    EXPECT_EQ(host.width, 800);
    EXPECT_EQ(view.Dpi(), 96);
    d.mView = &view;
    Run(d, [&] { EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("8.3")); });
}

// The range message names sizes the box takes: the smallest rounded up,
// the largest rounded down, at the precision the unit shows.
TEST_F(MapSizeTest, TheRangeShownIsTheRangeTaken) {
    // Typed and taken, either bound and a size within (`typed`) show as
    // themselves: a text stands for the fewest pixels that show as it.
    const struct {
        int16_t unit;
        int32_t dpi;
        const char *low, *high, *typed;
    } rows[] = {
        // 32 px = 8.47 mm, 1400 px = 370.4 mm at 96 dpi; 32 px = 0.33 in.
        // "9" mm is 35 px (9.26 mm), "370" mm 1399 px (370.15 mm), "12" mm
        // 46 px (12.17 mm; 45 px are 11.91 mm).
        {frmMapSize::Millimetres, 96, "9", "370", "12"},
        // 1400 / 96 = 14.58; "0.4" is 39 px (0.406), "0.7" 68 px (0.708; 67 are 0.698).
        {frmMapSize::Inches, 96, "0.4", "14.5", "0.7"},
        // 1400 / 94 = 14.89; "14.8" is 1392 px (14.808; 1391 are 14.798).
        {frmMapSize::Inches, 94, "0.4", "14.8", "14.8"},
        // 0.3 in are 31.2 px, so 32 px show it; 1400 / 104 = 13.46.
        {frmMapSize::Inches, 104, "0.3", "13.4", "0.3"},
        {frmMapSize::Millimetres, 254, "4", "140", "12"}, // 10 px a millimetre
        {frmMapSize::Inches, 320, "0.1", "4.3", "4.3"},   // 32 px = 0.1 in exactly; 1400 / 320 = 4.375
        {frmMapSize::Dots, 96, "32", "1400", "1400"},
    };
    Run(d, [&] {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::to_string(r.unit) + " at " + std::to_string(r.dpi));
            d.txtDPI->setText(QString::number(r.dpi));
            ASSERT_TRUE(d.ValidateEntry(d.txtDPI));
            d.choUnit->setCurrentIndex(r.unit);
            d.txtSize[0]->setText(QStringLiteral("0"));
            EXPECT_FALSE(d.ValidateEntry(d.txtSize[0]));
            EXPECT_EQ(LastRange(), QString::fromLatin1(r.low) + QStringLiteral("～") + QString::fromLatin1(r.high));
            for (const char* size : {r.low, r.high, r.typed}) {
                d.txtSize[0]->setText(QString::fromLatin1(size));
                EXPECT_TRUE(d.ValidateEntry(d.txtSize[0])) << size;
                EXPECT_EQ(d.txtSize[0]->text(), QString::fromLatin1(size));
            }
        }
    });
}

// Inches and millimetres show a size cut short; passing through a box the
// user did not change keeps the size it stands for.
TEST_F(MapSizeTest, AnUnchangedBoxKeepsItsPixels) {
    host.width = 32; // 8.47 mm, shown as the least the box takes
    EXPECT_TRUE(Run(d, [&] {
        WaitUntilActive(&d);
        d.choUnit->setCurrentIndex(frmMapSize::Millimetres);
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("9"));
        EXPECT_EQ(d.txtSize[1]->text(), QStringLiteral("158")); // 600 px = 158.75 mm
        for (QWidget* w : {static_cast<QWidget*>(d.txtSize[0]), static_cast<QWidget*>(d.txtSize[1]),
                           static_cast<QWidget*>(d.txtDPI), static_cast<QWidget*>(d.cmdOK)})
            w->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(d.focusWidget(), d.cmdOK);
        EXPECT_EQ(LastRange(), QString());
        EXPECT_EQ(d.PixelWidth(), 32);
        EXPECT_EQ(d.PixelHeight(), 600);
        d.cmdOK->click();
    }));
    EXPECT_EQ(host.width, 32);
    EXPECT_EQ(host.height, 600);
    // A box the user changed is read.
    host.width = 800;
    d.mView = &view;
    EXPECT_TRUE(Run(d, [&] {
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("211"));
        d.txtSize[0]->setText(QStringLiteral("212"));
        EXPECT_TRUE(d.ValidateEntry(d.txtSize[0]));
        EXPECT_EQ(d.PixelWidth(), 802); // 801.26; 801 are 211.9 mm
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("212"));
        d.cmdOK->click();
    }));
    EXPECT_EQ(host.width, 802);
}

// A picture beyond the limits (a full window's) shows as the limits; left
// alone, its box keeps the picture's size.
TEST_F(MapSizeTest, ASizeBeyondTheLimitShowsTheLimitAndIsKeptWhenLeftAlone) {
    host.width = 1450; // the limits are 1400 x 1000
    host.height = 1100;
    EXPECT_FALSE(Run(d, [&] {
        d.choUnit->setCurrentIndex(frmMapSize::Dots);
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("1400"));
        EXPECT_EQ(d.txtSize[1]->text(), QStringLiteral("1000"));
        d.choUnit->setCurrentIndex(frmMapSize::Millimetres);
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("370")); // 1400 px = 370.4 mm; 1450 px would be 383
        d.choUnit->setCurrentIndex(frmMapSize::Dots);
        d.txtSize[1]->setText(QStringLiteral("500"));
        EXPECT_TRUE(d.ValidateEntry(d.txtSize[1]));
        EXPECT_TRUE(d.ValidateEntry(d.txtSize[0]));
        EXPECT_EQ(d.txtSize[0]->text(), QStringLiteral("1400"));
        EXPECT_EQ(d.PixelWidth(), 1450);
        EXPECT_EQ(d.PixelHeight(), 500);
        d.cmdCancel->click();
    }));
}

namespace {

struct AccessoryDialogTest : DialogTest {
    clsAccessory acc;
    frmAccessory d;

    struct Snapshot {
        bool use;
        int32_t color;
        QString text, font;
        bool operator==(const Snapshot&) const = default;
    };
    std::vector<Snapshot> Items() {
        std::vector<Snapshot> s;
        for (int i = 1; i <= 7; ++i) {
            acc.SetIndex(i);
            s.push_back({acc.Use(), acc.Color(), acc.Text(), acc.Font() ? acc.Font()->toString() : QString()});
        }
        return s;
    }
    void SetUp() override {
        DialogTest::SetUp();
        acc.SetIndex(clsAccessory::ItemTitle);
        acc.SetUse(true);
        acc.SetColor(0x0000FF);
        acc.SetText(QStringLiteral("Old title"));
        d.mAcsObj = &acc;
        d.InputRealColor = [](int32_t c) { return Ui().PickColor(c); };
    }
    // Recolours, refonts and retitles the title item.
    void EditTitle() {
        ui.ui.colors = {0x123456};
        ui.ui.fonts = {FontChoice{QStringLiteral("Liberation Serif"), 20.0F, true, false}};
        d.cmdAcsColor[4]->click();
        d.cmdAcsFont[4]->click();
        d.txtAcs[4]->setFocus();
        d.txtAcs[4]->setText(QStringLiteral("New title"));
    }
};

} // namespace

TEST_F(AccessoryDialogTest, UntickingDisablesARowAndCancelChangesNothing) {
    const auto before = Items();
    EXPECT_FALSE(Run(d, [&] {
        EXPECT_TRUE(d.cmdAcsColor[4]->isEnabled() && d.txtAcs[4]->isEnabled() && d.cmdAcsFont[4]->isEnabled());
        d.chkAcsItem[4]->click();
        EXPECT_FALSE(d.cmdAcsColor[4]->isEnabled() || d.txtAcs[4]->isEnabled() || d.cmdAcsFont[4]->isEnabled());
        d.chkAcsItem[4]->click();
        EXPECT_TRUE(d.txtAcs[4]->isEnabled());
        EXPECT_EQ(d.txtAcs[4]->text(), QStringLiteral("Old title"));
        // A cancelled colour picker keeps the colour.
        d.cmdAcsColor[4]->click();
        EXPECT_EQ(d.Item(4).Color, 0x0000FF);
        EditTitle();
        EXPECT_EQ(d.Item(4).Color, 0x123456);
        EXPECT_EQ(d.cmdAcsFont[4]->text(), QStringLiteral("Liberation Serif"));
        d.cmdCancel->click();
    }));
    EXPECT_EQ(Items(), before);
}

TEST_F(AccessoryDialogTest, OkWritesTheItemsAndHandsOutTheSwitch) {
    d.mAcsEi = false;
    EXPECT_TRUE(Run(d, [&] {
        EditTitle();
        // Enter stays in an item's text and moves from other controls to OK.
        QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
        QApplication::sendEvent(d.txtAcs[4], &in);
        SendKey(d.txtAcs[4], Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.txtAcs[4]);
        QApplication::sendEvent(d.txtAcs[4], &out);
        SendKey(d.chkAcsEi, Qt::Key_Return);
        EXPECT_EQ(d.focusWidget(), d.cmdOK);
        d.chkAcsEi->click();
        d.optAcsPosition[1]->click();
        d.cmdOK->click();
    }));
    EXPECT_TRUE(d.mAcsEi);
    EXPECT_EQ(acc.Position(), 1);
    acc.SetIndex(clsAccessory::ItemTitle);
    EXPECT_EQ(acc.Color(), 0x123456);
    EXPECT_EQ(acc.Text(), QStringLiteral("New title"));
    ASSERT_TRUE(acc.Font());
    EXPECT_EQ(acc.Font()->family(), QStringLiteral("Liberation Serif"));
    EXPECT_TRUE(acc.Font()->bold());
}

// A colour button shows the item's colour itself, and a row that is off
// shows its button as off.
TEST_F(AccessoryDialogTest, ColourButtonsShowTheExactColourAndLookOffWhenOff) {
    acc.SetIndex(clsAccessory::ItemTitle);
    acc.SetColor(0xFF0000); // blue
    Run(d, [&] {
        ColorFaceButton* b = d.cmdAcsColor[4];
        const auto centre = [b] {
            const QImage shot = b->grab().toImage();
            return QColor(shot.pixel(shot.width() / 2, shot.height() / 2));
        };
        EXPECT_EQ(centre(), QColor(0, 0, 255));
        d.chkAcsItem[4]->click();
        ASSERT_FALSE(b->isEnabled());
        // Between the colour and the disabled face, nearer the face.
        const QColor off = centre();
        const QColor face = b->palette().color(QPalette::Disabled, QPalette::Button);
        EXPECT_NE(off, QColor(0, 0, 255));
        EXPECT_LT(std::abs(off.red() - face.red()), std::abs(0 - face.red()));
        EXPECT_LT(std::abs(off.blue() - face.blue()), std::abs(255 - face.blue()));
        EXPECT_LE(off.red(), face.red());
        EXPECT_GE(off.blue(), face.blue());
        d.chkAcsItem[4]->click();
        EXPECT_EQ(centre(), QColor(0, 0, 255));
    });
}

// Each item's text shows whole, the comment's "generated by Vosperal" and a
// longer title too.
TEST_F(AccessoryDialogTest, TheTextBoxesShowTheirWholeText) {
    acc.SetIndex(clsAccessory::ItemTitle);
    acc.SetText(QStringLiteral("Political map of the world, 1:50,000,000"));
    Run(d, [&] {
        for (int i : {4, 5}) {
            QLineEdit* e = d.txtAcs[size_t(i)];
            SCOPED_TRACE(e->text().toStdString());
            ASSERT_FALSE(e->text().isEmpty());
            // Inside its frame an entry keeps 2 pixels each side of the text.
            const QRect inside = e->contentsRect().marginsRemoved(e->textMargins());
            EXPECT_GE(inside.width() - 2 * 2, e->fontMetrics().horizontalAdvance(e->text()));
            EXPECT_EQ(e->cursorPosition(), 0); // shown from its start
        }
    });
}
