// The program: a widget application with the desktop's user-interface
// services; the main window's load handler does the rest.
#include "app/frmMain.h"
#include "platform/FontCatalog.h"
#include "platform/ProcessMemory.h"
#include "platform/QtUi.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    ProcessMemory::PadHeapGrowth();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vosperal"));
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    {
        // Listing the installed faces is slow with many fonts: list them once.
        const QStringList installed = FontCatalog::InstalledNames();
        FontCatalog::InstallSubstitutions(installed);
        const QString face = FontCatalog::UiFamily(installed);
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
