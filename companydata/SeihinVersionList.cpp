// The product-version list.
#include "companydata/SeihinVersionList.h"

#include "companydata/DataInfomation.h"
#include "core/Globals.h"
#include "core/text/MojiBunkatu.h"
#include "platform/Registry.h"

#include <utility>

namespace companydata {

namespace {

// Splits "major.minor.release"; false unless the text has exactly three numeric parts.
bool splitVersion(const QString& text, qint32& major, qint32& minor) {
    core::TMojiBunkatu split;
    split.Delimiter = u'.';
    split.Split(text);
    if (split.Count != 3)
        return false;
    bool majorOk = false;
    bool minorOk = false;
    major = split.GetItem(0).toInt(&majorOk);
    minor = split.GetItem(1).toInt(&minorOk);
    return majorOk && minorOk;
}

bool lessThan(const TDataVersionRec& a, const TDataVersionRec& b) {
    return a.Major != b.Major ? a.Major < b.Major : a.Minor < b.Minor;
}

} // namespace

TSeihinVersionList::TSeihinVersionList() : ProductName(core::AppInfo.ZaimuRegKey) {}

void TSeihinVersionList::Clear() {
    entries_.clear();
    names_.clear();
    Count = 0;
}

void TSeihinVersionList::add(qint32 major, qint32 minor, const QString& name) {
    entries_.append(TDataVersionRec{major, minor, 0, name});
    names_.append(name);
}

void TSeihinVersionList::addBuiltIn(const QString& versionText, const QString& name) {
    qint32 major = 0;
    qint32 minor = 0;
    if (splitVersion(versionText, major, minor))
        add(major, minor, name);
}

bool TSeihinVersionList::hasVersion(qint32 major, qint32 minor) const {
    for (const TDataVersionRec& e : entries_)
        if (e.Major == major && e.Minor == minor)
            return true;
    return false;
}

// Installed products: sub-keys of the maker's key whose name contains the product key.
void TSeihinVersionList::addInstalledProducts() {
    const QString makerKey = core::AppInfo.RegKey;
    const QString product = ProductName.toUpper();
    for (const QString& subKey : platform::registrySubKeys(platform::RootKey::LocalMachine, makerKey)) {
        if (!subKey.toUpper().contains(product))
            continue;
        const QString key = makerKey + QLatin1Char('\\') + subKey;
        const platform::RegistryValue version =
            platform::readRegistryValue(platform::RootKey::LocalMachine, key, QStringLiteral("Version"));
        qint32 major = 0;
        qint32 minor = 0;
        if (version.type != platform::RegistryValueType::String || !splitVersion(version.text, major, minor))
            continue;
        if (hasVersion(major, minor))
            continue;
        const platform::RegistryValue type =
            platform::readRegistryValue(platform::RootKey::LocalMachine, key, QStringLiteral("Type"));
        add(major, minor, type.type == platform::RegistryValueType::String ? type.text : QString());
    }
}

void TSeihinVersionList::Execute(bool sortDescending) {
    Clear();
    if (!BlankName.isEmpty())
        add(0, 0, BlankName);
    if (core::EditionFlag == 0) {
        addBuiltIn(QStringLiteral("1.0.0"), QStringLiteral("09版"));
        addBuiltIn(QStringLiteral("2.0.0"), QStringLiteral("10版"));
        addBuiltIn(QStringLiteral("3.0.0"), QStringLiteral("11版"));
    }
    // Major 4 is the product's edition 12, and so on up to the program's own version.
    const qint32 newest = core::SystemDef.AppVersionNo;
    for (qint32 major = 4; newest > 3 && major <= newest; ++major)
        add(major, 0, QStringLiteral("%1版").arg(major + 8));
    addInstalledProducts();
    Count = qint32(entries_.size());
    if (sortDescending)
        Sort(1);
}

void TSeihinVersionList::Sort(int order) {
    const qsizetype first = BlankName.isEmpty() ? 0 : 1;
    // Bubble sort: entries of equal version keep their order.
    for (qsizetype end = entries_.size(); end > first + 1; --end) {
        for (qsizetype i = first; i + 1 < end; ++i) {
            const bool swap = order == 0 ? lessThan(entries_[i + 1], entries_[i])
                                         : lessThan(entries_[i], entries_[i + 1]);
            if (swap)
                std::swap(entries_[i], entries_[i + 1]);
        }
    }
    names_.clear();
    for (const TDataVersionRec& e : entries_)
        names_.append(e.Name);
}

QString TSeihinVersionList::GetListText() const {
    QString text;
    for (const QString& name : names_)
        text += name + QStringLiteral("\r\n");
    return text;
}

QString TSeihinVersionList::GetVersionText(int i) const {
    if (!valid(i))
        return {};
    const TDataVersionRec& e = entries_[i];
    if (e.Major == 0 && e.Minor == 0)
        return {};
    return QStringLiteral("%1.%2").arg(e.Major).arg(e.Minor);
}

QString TSeihinVersionList::GetName(int i) const {
    return valid(i) ? entries_[i].Name : QString();
}

int TSeihinVersionList::IndexOfName(const QString& name) const {
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].Name == name)
            return i;
    return -1;
}

void InstallSeihinVersionSource() {
    TDataInfomation::SeihinVersionSource = [] {
        TSeihinVersionList list;
        list.Execute(false);
        QList<TSeihinVersionName> names;
        for (int i = 0; i < list.Count; ++i)
            names.append(TSeihinVersionName{list.GetVersionText(i), list.GetName(i)});
        return names;
    };
}

} // namespace companydata
