#pragma once
// The application information: identity, folders, edition and service settings, read from
// "AppInfo.ini" beside the program. Values are kept exactly as read; folder values use "\"
// as the file writes them (NativeSubPath turns one into a native path where it is joined).

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace core {

struct TAppInfoRec {
    QString OEM;
    QString Since;
    QString RegKey;
    QString Eku;
    QString EkuAlias;
    qint32 VerMajorDiff = 0;
    qint32 VerMinorDiff = 0;
    qint32 VerRevDiff = 0;
    QString VerTest;
    qint32 SuitochoBlind = 0;
    QString CompanyName;
    QString ZipCode;
    QString Addr;
    QString TEL;
    QString FAX;
    QString Mail;
    QString URL;
    QString AppName;
    QString AppTitle;
    QString AppTitle_CL;
    QString ZaimuRegKey;
    QString HomeDir;
    QString ShareDir;
    QString ServerDir;
    QString ServerTempDir;
    QString DataDefFile;
    QString DataFile;
    QString DataBackupFile;
    QString DataInitFile;
    QString DataIniFile;
    qint32 DataListCnt = 0;
    QString EChoboTitle;
    QString EChoboDataDir;
    QString WriteDirFmt;
    QString ZebrikTitle;
    QString ZebrikRegKey;
    QString ZebrikHomeDir;
    QString SuitochoTitle;
    QString SuitochoRegKey;
    QString SuitochoDataDir;
    QString SuitochoBackupFile;
    QString DataCon;
    QString DataCon01;
    QString DataCon02;
    QString DataCon03;
    QString DataConEku01;
    QString DataConEku02;
    QString WebZebrikServer;
    QString PelmaroServer;
    bool PelmaroMenuLimit = true;
};

// The OEM value that marks the partner edition.
inline const QString kPashtelEdition = QStringLiteral("PashtelData");

// Fills every field with its built-in default.
void InitAppInfoDefaults(TAppInfoRec& info);
TAppInfoRec DefaultAppInfo();

// Where LoadAppInfo reads its values from. The default reads the INI file with the Windows
// profile rules; tests put a source in its place to make a read fail.
class AppInfoSource {
public:
    virtual ~AppInfoSource() = default;
    virtual QString ReadString(const QString& section, const QString& key, const QString& defaultValue) = 0;
    virtual int ReadInteger(const QString& section, const QString& key, int defaultValue) = 0;
};
using AppInfoSourceFactory = std::function<std::unique_ptr<AppInfoSource>(const QString& iniPath)>;

// Reads "AppInfo.ini" from the folder of the program file. Results:
//   1   read;
//   0   the file does not exist (the record is untouched);
//  -1   Application/OEM is missing or empty (the record is filled with the defaults);
//  -10  the file exists but could not be read, or reading failed (the record may be partly filled).
// Once OEM is present every other key is read with an empty default (integers 0, DataListCnt
// 120): a key missing from the file gives an empty value, not the built-in one.
int LoadAppInfo(const QString& programFile, TAppInfoRec& info, const AppInfoSourceFactory& openSource = {});

// The AppInfo file's path for the program file.
QString AppInfoPath(const QString& programFile);

// 1 when the OEM value is exactly "PashtelData" (the partner edition), else 0.
quint8 EditionFlagFor(const TAppInfoRec& info);

// A folder value of AppInfo ("quorvo\tallekzaimu", "\tallekzaimu\data") as a native relative
// or rooted path with "/". Only for joining folders; key names such as RegKey stay as read.
QString NativeSubPath(const QString& value);

} // namespace core
