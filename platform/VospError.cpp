#include "platform/VospError.h"

#include <cerrno>

VospError::VospError(int32_t number_, QString source_, QString description_)
    : number(number_), source(std::move(source_)), description(std::move(description_)) {}

const char* VospError::what() const noexcept {
    try {
        what_ = QStringLiteral("%1 %2 (%3)").arg(number).arg(description, source).toStdString();
    } catch (...) {
        return "VospError";
    }
    return what_.c_str();
}

QString ClassicErrorText(int32_t number) {
    switch (number) {
    case 5: return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case 6: return QStringLiteral("オーバーフローしました。");
    case 7: return QStringLiteral("メモリが不足しています。");
    case 9: return QStringLiteral("インデックスが有効範囲にありません。");
    case 11: return QStringLiteral("0 で除算しました。");
    case 13: return QStringLiteral("型が一致しません。");
    case 51: return QStringLiteral("内部エラーです。");
    case 52: return QStringLiteral("ファイル名または番号が不正です。");
    case 53: return QStringLiteral("ファイルが見つかりません。");
    case 54: return QStringLiteral("ファイル モードが不正です。");
    case 55: return QStringLiteral("ファイルは既に開かれています。");
    case 57: return QStringLiteral("デバイス I/O エラーです。");
    case 58: return QStringLiteral("既に同名のファイルが存在しています。");
    case 61: return QStringLiteral("ディスクの空き容量が不足しています。");
    case 62: return QStringLiteral("ファイルにこれ以上データがありません。");
    case 67: return QStringLiteral("ファイルが多すぎます。");
    case 68: return QStringLiteral("デバイスが準備されていません。");
    case 70: return QStringLiteral("書き込みできません。");
    case 75: return QStringLiteral("パス名が無効です。");
    case 76: return QStringLiteral("パスが見つかりません。");
    default: return {};
    }
}

int32_t ErrnoToErrorNumber(int err, bool isFolder) {
    switch (err) {
    case ENOENT: return isFolder ? 76 : 53;
    case ENOTDIR: return 76;
    case EACCES:
    case EPERM:
    case EROFS: return 70;
    case ENOSPC:
    case EDQUOT: return 61;
    case EEXIST: return 58;
    case EMFILE:
    case ENFILE: return 67;
    case EIO: return 57;
    case ENAMETOOLONG:
    case EINVAL: return 52;
    case EISDIR: return 75;
    case ENODEV:
    case ENXIO: return 68;
    case EBUSY: return 55;
    default: return 57;
    }
}

void ThrowFileError(int err, const QString& path, bool isFolder) {
    const int32_t n = ErrnoToErrorNumber(err, isFolder);
    QString d = ClassicErrorText(n);
    if (!path.isEmpty()) d += QStringLiteral(" ") + path;
    throw VospError(n, QString(), d);
}

void ThrowError(int32_t number, const QString& description) {
    throw VospError(number, QString(), description.isEmpty() ? ClassicErrorText(number) : description);
}
