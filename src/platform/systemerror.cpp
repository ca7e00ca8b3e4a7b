#include "platform/systemerror.h"

#include <cerrno>

namespace platform {

QString systemErrorText(int code)
{
    switch (code) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクの空き容量が足りません");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが許可されていません");
    case ENOENT:
        return QStringLiteral("ファイルまたはフォルダがありません");
    case ENOTDIR:
        return QStringLiteral("途中の名前がフォルダではありません");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダです");
    case EEXIST:
        return QStringLiteral("同じ名前のファイルがあります");
    case EROFS:
        return QStringLiteral("読み取り専用のディスクです");
    case EIO:
        return QStringLiteral("ディスクの読み書きに失敗しました");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ほかのプログラムが使用中です");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case ELOOP:
        return QStringLiteral("リンクが循環しています");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("開いているファイルが多すぎます");
    case ENOMEM:
        return QStringLiteral("メモリが足りません");
    case EXDEV:
        return QStringLiteral("別のディスクへは移せません");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EINVAL:
        return QStringLiteral("この操作はできません");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("装置がありません");
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
    case EHOSTUNREACH:
    case ENETUNREACH:
        return QStringLiteral("ネットワーク上のファイルにつながりません");
    default:
        break;
    }
    return QStringLiteral("システムのエラー %1").arg(code);
}

} // namespace platform
