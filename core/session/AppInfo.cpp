#include "core/session/AppInfo.h"

#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

// One key of "AppInfo.ini": its field and built-in default. Exactly one of text and number is set.
struct AppInfoKey {
    const char16_t* section;
    const char16_t* key;
    QString TAppInfoRec::*text;
    qint32 TAppInfoRec::*number;
    const char16_t* textDefault;
    int numberDefault;
};

constexpr AppInfoKey textKey(const char16_t* section, const char16_t* key, QString TAppInfoRec::*field,
                          const char16_t* def) {
    return {section, key, field, nullptr, def, 0};
}
constexpr AppInfoKey numberKey(const char16_t* section, const char16_t* key, qint32 TAppInfoRec::*field, int def) {
    return {section, key, nullptr, field, nullptr, def};
}

// The keys in the order of the record, which is the order they are read in. OEM comes first
// and is read on its own; PelmaroMenuLimit (a flag) is read last, outside this table.
const AppInfoKey kKeys[] = {
    textKey(u"Application", u"OEM", &TAppInfoRec::OEM, u"-"),
    textKey(u"Application", u"Since", &TAppInfoRec::Since, u"2009-2019"),
    textKey(u"Application", u"RegKey", &TAppInfoRec::RegKey, u"\\SOFTWARE\\QUORVO"),
    textKey(u"Application", u"Eku", &TAppInfoRec::Eku, u"ＥｋＵキーステーション"),
    textKey(u"Application", u"EkuAlias", &TAppInfoRec::EkuAlias, u"ＥｋＵ"),
    numberKey(u"Application", u"VerMajorDiff", &TAppInfoRec::VerMajorDiff, 0),
    numberKey(u"Application", u"VerMinorDiff", &TAppInfoRec::VerMinorDiff, 0),
    numberKey(u"Application", u"VerRevDiff", &TAppInfoRec::VerRevDiff, 0),
    textKey(u"Application", u"VerTest", &TAppInfoRec::VerTest, u""),
    numberKey(u"Application", u"SuitochoBlind", &TAppInfoRec::SuitochoBlind, 0),
    textKey(u"Company", u"Name", &TAppInfoRec::CompanyName, u"株式会社クオルヴォ"),
    textKey(u"Company", u"ZipCode", &TAppInfoRec::ZipCode, u"100-0001"),
    textKey(u"Company", u"Addr", &TAppInfoRec::Addr, u"東京都千代田区千代田1-1"),
    textKey(u"Company", u"TEL", &TAppInfoRec::TEL, u"03-0000-0000"),
    textKey(u"Company", u"FAX", &TAppInfoRec::FAX, u"03-0000-0001"),
    textKey(u"Company", u"Mail", &TAppInfoRec::Mail, u"support@quorvo.example"),
    textKey(u"Company", u"URL", &TAppInfoRec::URL, u"https://www.quorvo.example/"),
    textKey(u"Zaimu", u"AppName", &TAppInfoRec::AppName, u"qmvaimu"),
    textKey(u"Zaimu", u"AppTitle", &TAppInfoRec::AppTitle, u"タレック財務"),
    textKey(u"Zaimu", u"AppTitle_CL", &TAppInfoRec::AppTitle_CL, u"顧問先版"),
    textKey(u"Zaimu", u"RegKey", &TAppInfoRec::ZaimuRegKey, u"TALLEKZAIMU"),
    textKey(u"Zaimu", u"HomeDir", &TAppInfoRec::HomeDir, u"quorvo\\tallekzaimu"),
    textKey(u"Zaimu", u"ShareDir", &TAppInfoRec::ShareDir, u"tallekzaimu"),
    textKey(u"Zaimu", u"ServerDir", &TAppInfoRec::ServerDir, u"\\tallekzaimu\\data"),
    textKey(u"Zaimu", u"ServerTempDir", &TAppInfoRec::ServerTempDir, u"\\tallekzaimu\\temp"),
    textKey(u"Zaimu", u"DataDefFile", &TAppInfoRec::DataDefFile, u"qmaccdef.fdb"),
    textKey(u"Zaimu", u"DataFile", &TAppInfoRec::DataFile, u"qmacc.fdb"),
    textKey(u"Zaimu", u"DataBackupFile", &TAppInfoRec::DataBackupFile, u"qmacc.fbk"),
    textKey(u"Zaimu", u"DataInitFile", &TAppInfoRec::DataInitFile, u"acc%d.gbk"),
    textKey(u"Zaimu", u"DataIniFile", &TAppInfoRec::DataIniFile, u"qmacc.ini"),
    numberKey(u"Zaimu", u"DataListCnt", &TAppInfoRec::DataListCnt, 120),
    textKey(u"EChobo", u"AppTitle", &TAppInfoRec::EChoboTitle, u"電子帳簿"),
    textKey(u"EChobo", u"DataDir", &TAppInfoRec::EChoboDataDir, u"qmvview"),
    textKey(u"EChobo", u"WriteDirFmt", &TAppInfoRec::WriteDirFmt, u"qmv%.2dcd"),
    textKey(u"Zebrik", u"AppTitle", &TAppInfoRec::ZebrikTitle, u"経営ゼブリク"),
    textKey(u"Zebrik", u"RegKey", &TAppInfoRec::ZebrikRegKey, u"ZEBRIK"),
    textKey(u"Zebrik", u"HomeDir", &TAppInfoRec::ZebrikHomeDir, u"quorvo\\tallekzaimu"),
    textKey(u"Suitocho", u"AppTitle", &TAppInfoRec::SuitochoTitle, u"タレック現金出納帳"),
    textKey(u"Suitocho", u"RegKey", &TAppInfoRec::SuitochoRegKey, u"SUITOCHO"),
    textKey(u"Suitocho", u"DataDir", &TAppInfoRec::SuitochoDataDir, u"cb_data"),
    textKey(u"Suitocho", u"DataBackupFile", &TAppInfoRec::SuitochoBackupFile, u"qmcashbook.fbk"),
    textKey(u"Menu", u"DataCon", &TAppInfoRec::DataCon, u"データ通信"),
    textKey(u"Menu", u"DataCon01", &TAppInfoRec::DataCon01, u"データ送信"),
    textKey(u"Menu", u"DataCon02", &TAppInfoRec::DataCon02, u"データ受信"),
    textKey(u"Menu", u"DataCon03", &TAppInfoRec::DataCon03, u"通信設定"),
    textKey(u"Menu", u"DataConEku01", &TAppInfoRec::DataConEku01, u"ＥｋＵ保存"),
    textKey(u"Menu", u"DataConEku02", &TAppInfoRec::DataConEku02, u"ＥｋＵ復元"),
    textKey(u"Application", u"WebZebrikServer", &TAppInfoRec::WebZebrikServer, u"zebrik.quorvo.example"),
    textKey(u"Application", u"PelmaroServer", &TAppInfoRec::PelmaroServer, u"pelmaro.quorvo.example"),
};

class IniAppInfoSource final : public AppInfoSource {
public:
    explicit IniAppInfoSource(const QString& path) : ini_(path) {}
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) override {
        return ini_.ReadString(section, key, defaultValue);
    }
    int ReadInteger(const QString& section, const QString& key, int defaultValue) override {
        return ini_.ReadInteger(section, key, defaultValue);
    }

private:
    platform::TIniFile ini_;
};

QString str(const char16_t* s) { return QString::fromUtf16(s); }

} // namespace

void InitAppInfoDefaults(TAppInfoRec& info) {
    for (const AppInfoKey& k : kKeys) {
        if (k.text)
            info.*k.text = str(k.textDefault);
        else
            info.*k.number = k.numberDefault;
    }
    info.PelmaroMenuLimit = true;
}

TAppInfoRec DefaultAppInfo() {
    TAppInfoRec info;
    InitAppInfoDefaults(info);
    return info;
}

QString AppInfoPath(const QString& programFile) {
    return QDir(QFileInfo(programFile).absolutePath()).filePath(QStringLiteral("AppInfo.ini"));
}

int LoadAppInfo(const QString& programFile, TAppInfoRec& info, const AppInfoSourceFactory& openSource) {
    const QString path = AppInfoPath(programFile);
    if (!QFileInfo::exists(path))
        return 0;
    try {
        // A file that is there but cannot be opened is unreadable, not a file without values.
        if (QFile file(path); !file.open(QIODevice::ReadOnly))
            return -10;
        std::unique_ptr<AppInfoSource> source =
            openSource ? openSource(path) : std::make_unique<IniAppInfoSource>(path);
        const QString oem = source->ReadString(QStringLiteral("Application"), QStringLiteral("OEM"), QString());
        if (oem.isEmpty()) {
            InitAppInfoDefaults(info);
            return -1;
        }
        info.OEM = oem;
        for (const AppInfoKey& k : kKeys) {
            if (k.text == &TAppInfoRec::OEM)
                continue;
            const QString section = str(k.section);
            const QString key = str(k.key);
            if (k.text)
                info.*k.text = source->ReadString(section, key, QString());
            else
                info.*k.number = source->ReadInteger(section, key, k.number == &TAppInfoRec::DataListCnt ? 120 : 0);
        }
        info.PelmaroMenuLimit = true;
        const QString limit = source->ReadString(QStringLiteral("Menu"), QStringLiteral("PelmaroMenuLimit"), QString());
        if (limit.toLower() == QStringLiteral("false"))
            info.PelmaroMenuLimit = false;
        return 1;
    } catch (...) {
        return -10;
    }
}

quint8 EditionFlagFor(const TAppInfoRec& info) {
    return info.OEM == kPashtelEdition ? 1 : 0;
}

QString NativeSubPath(const QString& value) {
    QString path = value;
    path.replace(u'\\', u'/');
    return path;
}

} // namespace core
