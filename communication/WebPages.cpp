#include "communication/WebPages.h"

#include <QDesktopServices>
#include <QNetworkInformation>

namespace communication {

std::function<void(const QUrl&)> OpenWebPage = [](const QUrl& url) { QDesktopServices::openUrl(url); };

bool InternetConnected()
{
    if (!QNetworkInformation::instance())
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation* info = QNetworkInformation::instance();
    if (!info || info->reachability() == QNetworkInformation::Reachability::Unknown)
        return true;
    return info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

QUrl MailAddressUrl(const QString& webServer, const QString& conId)
{
    QString id = conId;
    id.remove(QLatin1Char('-'));
    const QByteArray encoded = QUrl::toPercentEncoding(id);
    return QUrl(QStringLiteral("https://") + webServer + QStringLiteral("/VxMailAccountEdit?fname=") + QString::fromLatin1(encoded),
                QUrl::StrictMode);
}

} // namespace communication
