// The program: a widget application with the desktop's user-interface
// services; the main window's load handler does the rest.
#include "app/frmMain.h"
#include "platform/FontCatalog.h"
#include "platform/QtUi.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vosperal"));
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    FontCatalog::InstallSubstitutions();
    {
        const QString face = FontCatalog::UiFamily(FontCatalog::InstalledNames());
        if (!face.isEmpty()) {
            QFont font = QApplication::font();
            font.setFamilies({face});
            QApplication::setFont(font);
        }
    }
    QtUi ui;
    SetUi(&ui);

    frmMain window;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    window.Form_Load(args);
    const int code = QApplication::exec();
    SetUi(nullptr);
    return code;
}
