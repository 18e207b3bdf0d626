#include "core/ErrorMng.h"

#include "core/AppHost.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/UiServices.h"

#include <exception>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

namespace ErrorMng {
namespace {

bool g_fatal = false;

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

VospError CurrentError() {
    const std::exception_ptr p = std::current_exception();
    if (!p) return VospError(0, {}, {});
    try {
        std::rethrow_exception(p);
    } catch (const VospError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return VospError(7, {}, ClassicErrorText(7));
    } catch (const std::length_error&) {
        return VospError(7, {}, ClassicErrorText(7));
    } catch (const std::overflow_error&) {
        return VospError(6, {}, ClassicErrorText(6));
    } catch (const std::underflow_error&) {
        return VospError(6, {}, ClassicErrorText(6));
    } catch (const std::range_error&) {
        return VospError(6, {}, ClassicErrorText(6));
    } catch (const std::out_of_range&) {
        return VospError(9, {}, ClassicErrorText(9));
    } catch (const std::invalid_argument&) {
        return VospError(13, {}, ClassicErrorText(13));
    } catch (const std::bad_cast&) {
        return VospError(13, {}, ClassicErrorText(13));
    } catch (const std::system_error& e) {
        // Failed system calls (std::filesystem, streams with errno) are file errors.
        const std::error_category& cat = e.code().category();
        if (cat == std::generic_category() || cat == std::system_category()) {
            const int32_t n = ErrnoToErrorNumber(e.code().value());
            return VospError(n, {}, ClassicErrorText(n));
        }
        return VospError(51, {}, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        return VospError(51, {}, QString::fromUtf8(e.what()));
    } catch (...) {
        return VospError(51, {}, ClassicErrorText(51));
    }
}

void AddErrContext(VospError& e, int32_t number, const QString& objectName, const QString& procName,
                   const QString& comment) {
    e.source = objectName + QLatin1Char('.') + procName + QLatin1Char('/') + e.source;
    if (!comment.isEmpty()) e.description = comment + QLatin1Char('/') + e.description;
    if (e.number == 0) e.number = number;
}

void ReRaise(int32_t number, const QString& objectName, const QString& procName, const QString& comment) {
    VospError e = CurrentError();
    AddErrContext(e, number, objectName, procName, comment);
    throw e;
}

void RaiseNew(int32_t number, const QString& objectName, const QString& procName, const QString& comment) {
    VospError e(0, {}, {});
    AddErrContext(e, number, objectName, procName, comment);
    throw e;
}

bool IsFileError() { return IsFileError(CurrentError().number); }

bool FatalInProgress() { return g_fatal; }

QString ErrorReportFolder() { return FileSystem::WritableFolder(); }

void ErrorReport(const QString& comment) {
    const VospError e = CurrentError();
    const int32_t number = e.number;
    const QString path =
        Library::JoinPath(ErrorReportFolder(), QStringLiteral("ErrorStop") + Library::DateTimeDigits({}) +
                                                   QStringLiteral(".TXT"));

    const int64_t own = int64_t(number) - ErrBase;
    const QString code = (own >= 1000 && own <= 2000)
                             ? QString::number(own) + QStringLiteral(" (HALVORN ERROR CODE)")
                             : QString::number(number) + QStringLiteral(" (VB OR RUNTIME ERROR CODE)");

    QString text = QStringLiteral("*Code=") + code + kCrLf + QStringLiteral("*Source=") + kCrLf + e.source + kCrLf +
                   QStringLiteral("*Description=") + e.description + kCrLf + QStringLiteral("*Comment=") + comment +
                   kCrLf + QStringLiteral("*Error Report File=") + kCrLf + path;
    if (e.description.contains(QStringLiteral("コンポーネント"), Qt::CaseInsensitive) || number == ErrBase + 1004) {
        text += kCrLf + kCrLf + QStringLiteral("作者WEBサイトから「VBランタイムセット」を入手してください.") + kCrLf +
                PublicVal::AuthorURLruntime();
    }

    // Shown first, so that the user learns the path even when writing fails.
    Ui().MsgBox(text, Mb::OkOnly | Mb::Critical, QStringLiteral("続行不可能なエラー."));
    try {
        FileSystem::WriteAtomic(path, Cp932Encode(text + kCrLf));
    } catch (...) {
    }
}

void FatalError(const QString& comment) {
    // A fatal error raised while the wind-up runs goes back to the wind-up
    // (which carries on with its next step) instead of starting over.
    if (g_fatal) {
        if (std::current_exception()) std::rethrow_exception(std::current_exception());
        ThrowError(ErrBase + 1003, comment);
    }
    g_fatal = true;
    try {
        ErrorReport(comment);
    } catch (...) {
    }
    try {
        Host().WindupError();
    } catch (...) {
    }
    g_fatal = false;
    Ui().ExitProcess(1);
    std::_Exit(1); // not reached: ExitProcess does not return
}

void StopError(int32_t number, const QString& windowName, const QString& procName, const QString& comment) {
    VospError e = CurrentError();
    AddErrContext(e, number, windowName, procName, comment);
    // FatalError reports the pending error: make the extended record pending.
    try {
        throw e;
    } catch (...) {
        FatalError(QStringLiteral("by StopError"));
    }
}

QString FileErrorMessage(int32_t number) {
    switch (number) {
    case 52: return QStringLiteral("ファイル名もしくは番号が不正です.");
    case 53: return QStringLiteral("ファイルが存在しません.もしくはアクセス権がありません.");
    case 54: return QStringLiteral("ファイルモードが不正です.");
    case 55: return QStringLiteral("ファイルはすでに開かれています.");
    case 57: return QStringLiteral("内部ドライブエラーが発生しました.");
    case 58: return QStringLiteral("すでに同名のファイルが存在しています.");
    case 59: return QStringLiteral("レコード長が一致しません.");
    case 61: return QStringLiteral("ドライブが満杯です.");
    case 62: return QStringLiteral("ファイルにこれ以上データがありません.");
    case 63: return QStringLiteral("レコード番号が不正です.");
    case 64: return QStringLiteral("ファイル名が不正です.");
    case 67: return QStringLiteral("ファイルが多すぎます.");
    case 68: return QStringLiteral("デバイスが準備されていません.");
    case 70: return QStringLiteral("書込みが禁止されています.もしくはアクセス権がありません.");
    case 71: return QStringLiteral("ディスクをドライブに挿入してください.");
    case 74: return QStringLiteral("ドライブ名は変更できません.");
    case 75: return QStringLiteral("パス名が無効です.もしくはアクセス権がありません.");
    case 76: return QStringLiteral("パスが見つかりません.もしくはアクセス権がありません.");
    default: return IsFileError(number) ? QStringLiteral("不明なドライブ関連エラーです.") : QString();
    }
}

int16_t FileErrorRetry(const QString& fileName) {
    if (g_fatal) return 1;
    const VospError e = CurrentError();
    const int32_t number = e.number;
    const bool fileError = IsFileError(number);

    QString title = QStringLiteral("ドライブ関連エラー");
    int buttons = Mb::OkOnly;
    if (fileError) {
        switch (number) {
        case 53: case 57: case 61: case 68: case 70: case 71: case 76: buttons = Mb::YesNoCancel; break;
        default: break;
        }
    } else {
        title = number == ErrBase + 9999 ? QStringLiteral("警告") : QStringLiteral("その他エラー");
    }

    QString text = FileErrorMessage(number) + kCrLf + QStringLiteral("*Code=") + QString::number(number) + kCrLf +
                   QStringLiteral("*Source=") + e.source + kCrLf + QStringLiteral("*Description=") + e.description;
    if (!fileName.isEmpty()) text += kCrLf + QStringLiteral("*File=") + fileName;
    if (buttons == Mb::YesNoCancel) text += kCrLf + QStringLiteral("再試行しますか？");

    const int answer = Ui().MsgBox(text, buttons | Mb::Exclamation, title);
    if (!fileError) return 3;
    switch (answer) {
    case Mb::Yes: return 0;
    case Mb::Cancel: return 2;
    default: return 1;
    }
}

} // namespace ErrorMng
