#include "core/modules/ManualPage.h"

#include "core/Globals.h"

#include <QProcess>
#include <QStringList>

namespace core {

namespace {

void openWithDesktop(const QString& path)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

ManualPageOpener& currentOpener()
{
    static ManualPageOpener opener = openWithDesktop;
    return opener;
}

bool isTitlePage(const QString& page)
{
    static const QStringList titlePages = {QStringLiteral("olm.html"), QStringLiteral("ecbolm.html"),
                                           QStringLiteral("zbkolm.html"), QStringLiteral("csbolm.html")};
    return titlePages.contains(page);
}

} // namespace

QString ManualPagePath(const QString& helpDir, const QString& page)
{
    QString folder = helpDir;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (isTitlePage(page))
        return folder + page;
    return folder + QStringLiteral("olm.files/") + page;
}

int OpenManualPage(const QString& page)
{
    return OpenManualPage(page, SystemDef.HelpDir);
}

int OpenManualPage(const QString& page, const QString& helpDir)
{
    if (page.isEmpty())
        return 0;
    currentOpener()(ManualPagePath(helpDir, page));
    return 0;
}

ManualPageOpener SetManualPageOpener(ManualPageOpener opener)
{
    ManualPageOpener previous = currentOpener();
    currentOpener() = opener ? std::move(opener) : ManualPageOpener(openWithDesktop);
    return previous;
}

} // namespace core
