#pragma once
// The service's web pages opened from the settings dialogs: the default browser (replaceable,
// so that tests record what would open), the Internet connection state, and the addresses.

#include <QString>
#include <QUrl>

#include <functional>

namespace communication {

// Opens the address in the default browser.
extern std::function<void(const QUrl&)> OpenWebPage;

// Whether the computer is connected: the system's reachability when it is known, else true.
bool InternetConnected();

// The relay service's page that registers the notice address of a communication ID:
// "https://" + the relay web server + "/VxMailAccountEdit?fname=" + the ID without "-",
// percent-encoded (letters and digits unchanged).
QUrl MailAddressUrl(const QString& webServer, const QString& conId);

} // namespace communication
