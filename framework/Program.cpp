#include "framework/Program.h"

#include <QByteArray>
#include <QUrl>

namespace fw {

namespace fs = std::filesystem;

CString FileUrl(const fs::path& path, const CString& anchor)
{
    // The bytes themselves, percent-encoded where a URL path needs it; what a
    // URL path may hold as it is stays as it is, as QUrl::fromLocalFile keeps it.
    const QByteArray bytes = QByteArray::fromStdString(path.native());
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(bytes.toPercentEncoding("/!$&'()*+,;=:@[]")), QUrl::TolerantMode);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url.toString(QUrl::FullyEncoded);
}

}  // namespace fw
