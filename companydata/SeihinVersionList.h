#pragma once
// The versions of the accounting product, to name the schema version of a data set and to
// search data sets by version: the built-in versions, one per major version up to the
// program's own, and the products installed on this machine (registry sub-keys of the
// maker's key whose name contains the product key, each with its "Version" and "Type").

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace companydata {

struct TDataVersionRec {
    qint32 Major = 0;
    qint32 Minor = 0;
    qint32 Release = 0; // always 0 in this list
    QString Name;
};

class TSeihinVersionList {
public:
    // The product key comes from the application information (AppInfo.ZaimuRegKey).
    TSeihinVersionList();

    QString ProductName;
    // When not empty, the list starts with an entry of this name and version 0.0.
    QString BlankName;
    qint32 Count = 0;

    void Clear();
    // Fills the list; sortDescending then orders it by version, newest first.
    void Execute(bool sortDescending);
    // 0 ascending, 1 descending by (major, minor); a blank first entry stays first.
    void Sort(int order);

    // The names, each followed by CR LF.
    QString GetListText() const;
    // "%d.%d" of entry i; empty for version 0.0 and outside 0 .. Count - 1.
    QString GetVersionText(int i) const;
    QString GetName(int i) const;
    // First index with exactly that name, -1 when none.
    int IndexOfName(const QString& name) const;

    const QList<TDataVersionRec>& Entries() const { return entries_; }
    const QStringList& Names() const { return names_; }

private:
    bool valid(int i) const { return i >= 0 && i < entries_.size(); }
    bool hasVersion(qint32 major, qint32 minor) const;
    void add(qint32 major, qint32 minor, const QString& name);
    void addBuiltIn(const QString& versionText, const QString& name);
    void addInstalledProducts();

    QList<TDataVersionRec> entries_;
    QStringList names_;
};

// Makes every TDataInfomation name versions through this list (filled unsorted and without a
// blank entry when the object is created). Called once at start-up.
void InstallSeihinVersionSource();

} // namespace companydata
