#include "legend/frmExpText.h"

#include "core/DialogGuard.h"
#include "core/PublicVal.h"
#include "document/clsThing.h"
#include "legend/StyleMath.h"
#include "legend/StylePicture.h"
#include "platform/FontCatalog.h"
#include "platform/WidgetLib.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace {

const QString kName = QStringLiteral("frmExpText");

} // namespace

frmExpText::frmExpText(QWidget* parent)
    : InsideEdgeEditor(kName, QStringLiteral("文字列事象図式"), 252205, parent)
{
    fraStyle = new QGroupBox(QStringLiteral("スタイル"), this);
    fraStyle->setToolTip(QStringLiteral("装飾属性"));
    static const char* const kCaptions[4][2] = {{"太字(&B)", "文字の縦棒を太くする"},
                                                {"斜体(&I)", "イタリック体にする"},
                                                {"下線(&U)", "下線を付ける"},
                                                {"矩形(&R)", "縁取りを矩形の塗りつぶしに変更"}};
    auto* styleBox = new QGridLayout(fraStyle);
    for (int32_t i = 0; i < 4; ++i) {
        chkStyle[i] = new QCheckBox(QString::fromUtf8(kCaptions[i][0]), fraStyle);
        chkStyle[i]->setToolTip(QString::fromUtf8(kCaptions[i][1]));
        styleBox->addWidget(chkStyle[i], i / 2, i % 2);
        OnClick(chkStyle[i], "chkStyle_Click", [this, i] { chkStyle_Click(i); });
    }
    static const char* const kLanguage[2][2] = {{"欧州語フォント(&E):", "欧州語地名の書体名('TT'=TrueType)"},
                                                {"日本語フォント(&J):", "日本語地名の書体名('TT'=TrueType)"}};
    auto* fonts = new QGridLayout;
    for (int32_t i = 0; i < 2; ++i) {
        lblLanguage[i] = new QLabel(QString::fromUtf8(kLanguage[i][0]), this);
        choLanguage[i] = new QComboBox(this);
        choLanguage[i]->setToolTip(QString::fromUtf8(kLanguage[i][1]));
        choLanguage[i]->setMinimumContentsLength(22);
        choLanguage[i]->setMaxVisibleItems(20);
        lblLanguage[i]->setBuddy(choLanguage[i]);
        fonts->addWidget(lblLanguage[i], i, 0);
        fonts->addWidget(choLanguage[i], i, 1);
        connect(choLanguage[i], &QComboBox::activated, this,
                [this, i] { Guarded("choLanguage_Click", [this, i] { choLanguage_Click(i); }); });
    }
    lblHeight = new QLabel(QStringLiteral("サイズ(&S):"), this);
    choHeight = new QComboBox(this);
    choHeight->setEditable(true);
    // A size is taken as typed: the list neither completes it ("4" is no
    // "40") nor keeps it.
    choHeight->setCompleter(nullptr);
    choHeight->setInsertPolicy(QComboBox::NoInsert);
    choHeight->setToolTip(QStringLiteral("高さポイント数（１ポイントは0.35mm）"));
    lblHeight->setBuddy(choHeight);
    fonts->addWidget(lblHeight, 2, 0);
    fonts->addWidget(choHeight, 2, 1, Qt::AlignLeft);
    connect(choHeight, &QComboBox::activated, this, [this] { Guarded("choHeight_Click", [this] { choHeight_Click(); }); });
    // A typed size that is no entry of the list counts once its editing ends.
    connect(choHeight->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { Guarded("choHeight_Click", [this] { choHeight_Click(); }); });

    MakeSample(257, 97, std::bind_front(&frmExpText::picSample_Paint, this));
    QGridLayout* colours =
        MakeInsideEdge(QStringLiteral("文字色(&C)"), QStringLiteral("文字の色"), QStringLiteral("縁色を有効にする"));

    auto* lower = new QHBoxLayout;
    lower->addWidget(picSample);
    lower->addLayout(colours);
    lower->addStretch(1);
    auto* box = new QVBoxLayout(this);
    box->addLayout(fonts);
    box->addWidget(fraStyle);
    box->addLayout(lower);
    FinishLayout(box);
    // The font boxes stand above the style group, though made after it.
    SetTabChain({choLanguage[0], choLanguage[1], choHeight, chkStyle[0], chkStyle[1], chkStyle[2], chkStyle[3],
                            cmdInside, cmdEdge, chkEdge, cmdOK, cmdCancel, cmdHelp});
}

int16_t frmExpText::StyleFlag(int32_t index)
{
    static constexpr int16_t kFlags[4] = {clsMapGraph::FS_BOLD, clsMapGraph::FS_ITALIC, clsMapGraph::FS_UNDERLINE,
                                          clsMapGraph::FS_OPAQUE};
    return index >= 0 && index <= 3 ? kFlags[index] : 0;
}

void frmExpText::MakeFonts()
{
    try {
        std::vector<StyleMath::FaceInfo> faces;
        QStringList seen;
        for (const QString& family : QFontDatabase::families()) {
            const QString name = FontCatalog::StripFoundry(family);
            if (seen.contains(name))
                continue;
            seen << name;
            const auto systems = QFontDatabase::writingSystems(family);
            faces.push_back({name, systems.contains(QFontDatabase::Japanese), systems.contains(QFontDatabase::Latin),
                             QFontDatabase::isScalable(family)});
        }
        StyleMath::FontLists(faces, fontsE_, fontsJ_);
        for (int32_t i = 0; i < 2; ++i) {
            const QSignalBlocker block(choLanguage[i]);
            choLanguage[i]->clear();
            choLanguage[i]->addItems(i == 0 ? fontsE_ : fontsJ_);
        }
    } catch (...) {
        DialogGuard::RaiseError(kName, "MakeFonts");
    }
}

void frmExpText::MakeHeights()
{
    try {
        QString face = PublicVal::gvLanguage == 1 ? mEuropian : mJapanese;
        if (face == QLatin1String("(default)"))
            face = PublicVal::gvDefaultFont;
        const QString installed = FontCatalog::Resolve(face, QFontDatabase::families());
        QFont font(installed.isEmpty() ? face : installed);
        const QStringList heights = StyleMath::HeightList([&font](int32_t h) {
            font.setPointSizeF(h);
            return QFontInfo(font).pointSizeF();
        });
        const QSignalBlocker block(choHeight);
        choHeight->clear();
        choHeight->addItems(heights);
    } catch (...) {
        DialogGuard::RaiseError(kName, "MakeHeights");
    }
}

void frmExpText::LoadStyle(const clsThing& thing)
{
    mInside = thing.Fore();
    mEdge = thing.Back();
    mStyle = thing.Style();
    mHeight = thing.Size();
    mEuropian = thing.Europian();
    mJapanese = thing.Japanese();
}

void frmExpText::StoreStyle(clsThing& thing) const
{
    thing.SetFore(mInside);
    thing.SetBack(mEdge);
    thing.SetStyle(mStyle);
    thing.SetSize(int16_t(mHeight));
    thing.SetEuropian(mEuropian);
    thing.SetJapanese(mJapanese);
}

void frmExpText::Form_Load()
{
    Guarded("Form_Load", [this] {
        LoadCaption();
        loading_ = true;
        MakeFonts();
        MakeHeights();
        choHeight->setEditText(QString::number(mHeight));
        for (int32_t i = 0; i < 4; ++i) {
            const QSignalBlocker block(chkStyle[i]);
            chkStyle[i]->setChecked((mStyle & StyleFlag(i)) != 0);
        }
        {
            const QSignalBlocker block(choHeight);
            WidgetLib::SelectComboText(choHeight, QString::number(mHeight));
        }
        // A height the face does not offer becomes its first offered height.
        choHeight_Click();
        // The first entry of a font box from `from` on whose face (the text
        // after its prefix) `matches`; -1 when none.
        auto entryWhere = [this](int32_t box, int32_t from, auto&& matches) {
            for (int32_t e = from; e < choLanguage[box]->count(); ++e)
                if (matches(choLanguage[box]->itemText(e).mid(5)))
                    return e;
            return int32_t(-1);
        };
        for (int32_t i = 0; i < 2; ++i) {
            const QString& want = i == 0 ? mEuropian : mJapanese;
            const int32_t found = entryWhere(i, 0, [&](const QString& f) { return f == want; });
            const QSignalBlocker block(choLanguage[i]);
            if (found >= 0) {
                choLanguage[i]->setCurrentIndex(found);
                choLanguage_Click(i);
                continue;
            }
            // A face that is not installed shows the face drawn in its place,
            // or the face that draws the box's letters when that one has none
            // of them; the stored name stays until the user picks one.
            const clsMapGraph* g = RenderGlobals::MapGraph();
            const QString drawn = g ? g->DrawnFace(want) : FontCatalog::Resolve(want, FontCatalog::InstalledNames());
            int32_t shown = -1;
            if (!drawn.isEmpty()) {
                shown = entryWhere(i, 1, [&](const QString& f) { return f == drawn; });
                if (shown < 0) {
                    const QString letters =
                        FontCatalog::LettersFace(drawn, i == 0 ? QStringLiteral("A") : QStringLiteral("亜"));
                    shown = entryWhere(i, 1, [&](const QString& f) { return FontCatalog::SameFamily(f, letters); });
                }
            }
            choLanguage[i]->setCurrentIndex(shown);
        }
        LoadEnable(chkEdge, mEdge);
        chkStyle[3]->setEnabled(chkEdge->isChecked());
        loading_ = false;
        picSample->Refresh();
    });
}

void frmExpText::Form_Unload()
{
    fontsE_.clear();
    fontsJ_.clear();
}

void frmExpText::choLanguage_Click(int32_t index)
{
    const QString face = choLanguage[index]->currentText().mid(5);
    if (index == 0)
        mEuropian = face;
    else
        mJapanese = face;
    MakeHeights();
    choHeight->setEditText(QString::number(mHeight));
    picSample->Refresh();
}

void frmExpText::choHeight_Click()
{
    bool ok = false;
    const double v = choHeight->currentText().toDouble(&ok);
    if (ok && std::isfinite(v)) {
        const double n = std::nearbyint(v);
        if (n >= clsMapGraph::FONT_HEIGHT_MIN && n <= clsMapGraph::FONT_HEIGHT_MAX)
            mHeight = int32_t(n);
    }
    // The box shows the height in use: a size out of range is left
    // without a message.
    choHeight->setEditText(QString::number(mHeight));
    picSample->Refresh();
}

void frmExpText::chkStyle_Click(int32_t index)
{
    const int16_t flag = StyleFlag(index);
    if (index >= 0 && index <= 3 && chkStyle[index]->isChecked())
        mStyle = int16_t(mStyle | flag);
    else
        mStyle = int16_t(mStyle & ~flag);
    picSample->Refresh();
}

void frmExpText::chkEdge_Click()
{
    InsideEdgeEditor::chkEdge_Click();
    chkStyle[3]->setEnabled(chkEdge->isChecked());
}

void frmExpText::cmdEdge_Click()
{
    InsideEdgeEditor::cmdEdge_Click();
    chkStyle[3]->setEnabled(chkEdge->isChecked());
}

void frmExpText::picSample_Paint(QImage& image)
{
    if (loading_)
        return;
    PaintSample(image, [this](clsMapGraph& g, int32_t w, int32_t h) {
        const int32_t edge = Enabled(chkEdge, mEdge);
        g.SetFont(mEuropian, mHeight, 0, uint8_t(mStyle), mInside, edge);
        g.DrawText(w / 2, h / 4, 12, QStringLiteral("abc/ABC*012/ﾀﾁﾂ"));
        g.SetFont(mJapanese, mHeight, 0, uint8_t(mStyle), mInside, edge);
        g.DrawText(w / 2, (h / 4) * 3, 12, QStringLiteral("ｱｲｳ/亜以右*012"));
    });
}
