#include "support/file_url.h"

#include <QByteArray>

namespace clipwright {

namespace {

bool IsLocalHost(const QString& host) {
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

}  // namespace

FileUrlTarget FileUrlTargetOf(const QUrl& url) {
    FileUrlTarget target;
    if (!url.isValid() || !url.isLocalFile()) {
        return target;
    }
    if (!IsLocalHost(url.host())) {
        target.remoteHost = url.host();
        return target;
    }
    target.path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    return target;
}

}  // namespace clipwright
