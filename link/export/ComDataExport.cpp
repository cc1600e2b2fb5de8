#include "link/export/ComDataExport.h"

#include "core/Globals.h"
#include "core/files/SystemFolders.h"
#include "core/session/AppInfo.h"
#include "link/export/IntermediateLayout.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace taxreturn {

namespace {

const int kProductMajor = 15;

struct DiruSectionRow {
    const char* kindCode;
    const char* section;
};

const DiruSectionRow kDiruSections[] = {
    {"HJ", "HOJINZEI"},           {"HJ_G", "HOJINZEI_G"},
    {"SY", "SYOUHIZEI"},          {"UG", "UTIWAKESYO"},
    {"UG_G", "GAIKYOUSYO"},       {"ST", "SYOTOKUZEI"},
    {"ST_G", "SYOTOKUZEI_G"},     {"RC", "RENKETUNOUZEI"},
    {"RC_G", "RENKETUNOUZEI_G"},  {"GC", "GROUPTSUSAN"},
    {"GC_G", "GROUPTSUSAN_G"},
};

const QString kKeyData = QStringLiteral("DATA");
const QString kKeyKomonsaki = QStringLiteral("KOMONSAKI");
const QString kKeyExportFile = QStringLiteral("EXPORTFILE");

} // namespace

TComDataExport::TComDataExport(int callerWParam, const QString& callerExportFile)
    : callerExportFile_(callerExportFile)
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    ExeName = program.fileName().toUpper();
    ExeDir = program.absolutePath();

    SettingDir = QDir::cleanPath(core::GetAppDataDir(true) + u'/' + core::NativeSubPath(core::AppInfo.HomeDir));
    IniDir = SettingDir + QStringLiteral("/ini");
    QDir().mkpath(IniDir);

    ProgramName = ReadProductRegistryValue(kProductMajor, QStringLiteral("Product"));
    ProgramVer = ReadProductRegistryValue(kProductMajor, QStringLiteral("Version"));

    RequiredVersion = QString::asprintf("%d.%d.%d", 15, 0, 0);
    Caption = QStringLiteral("グループ通算のヂル（令和04年度版 以降） from ") + ProgramName;
    ConnectedProgramVer = QStringLiteral("15.0.1");
    ProductTitle = QStringLiteral("グループ通算のヂル");
    KindCode = QStringLiteral("GC");
    GyoumuPrefix = QStringLiteral("RC25");
    CallerWParam = callerWParam;
    FileVersion = 1;
    FunctionId = callerWParam != 0 ? callerWParam : 3;

    if (KindCode.contains(u"ST"))
        DataTypeFilter = 2;
    else if (KindCode.contains(u"SY"))
        DataTypeFilter = 0;
    else
        DataTypeFilter = 1;
    DataVerMajor = QString::number(kProductMajor);

    ExportFile = callerExportFile;
    ReadDiruIni();
}

TComDataExport::~TComDataExport()
{
    try {
        WriteDiruIni();
    } catch (const std::exception& error) {
        qWarning() << "Diru.ini not written:" << error.what();
    }
}

QString TComDataExport::DiruSection(const QString& kindCode)
{
    for (const DiruSectionRow& row : kDiruSections) {
        if (kindCode == QLatin1String(row.kindCode))
            return QLatin1String(row.section);
    }
    return {};
}

QString TComDataExport::DiruIniPath() const
{
    return IniDir + QStringLiteral("/Diru.ini");
}

bool TComDataExport::ExportFileFromDiruIni() const
{
    return CallerWParam == 0 && callerExportFile_.isEmpty();
}

void TComDataExport::ReadDiruIni()
{
    const QString section = DiruSection(KindCode);
    if (section.isEmpty())
        return;
    const platform::TIniFile ini(DiruIniPath());
    DiruData = ini.ReadString(section, kKeyData, {});
    KomonsakiName = ini.ReadString(section, kKeyKomonsaki, {});
    if (ExportFileFromDiruIni())
        ExportFile = ini.ReadString(section, kKeyExportFile, {});
}

void TComDataExport::WriteDiruIni()
{
    const QString section = DiruSection(KindCode);
    if (section.isEmpty())
        return;
    platform::TIniFile ini(DiruIniPath());
    ini.WriteString(section, kKeyData, DiruData);
    ini.WriteString(section, kKeyKomonsaki, KomonsakiName);
    if (ExportFileFromDiruIni())
        ini.WriteString(section, kKeyExportFile, ExportFile);
}

void TComDataExport::SetSystemNode(TXmlSaveDoc& doc)
{
    WriteSystemElement(doc, {GyoumuPrefix, FileVersion, FunctionId, ConnectedProgramVer, ProgramName, ProgramVer});
}

void TComDataExport::SetBasicNode(TXmlSaveDoc& doc)
{
    WriteBasicElement(doc, {GyoumuPrefix, KomonsakiName, KishuDate, KimatuDate});
}

QString TComDataExport::ReadProductRegistryValue(int majorVersion, const QString& valueName)
{
    const QString key = core::AppInfo.RegKey;
    const QString wanted = core::AppInfo.ZaimuRegKey.toLower() + QString::asprintf("%.2d", majorVersion);
    const QStringList subKeys = platform::registrySubKeys(platform::RootKey::LocalMachine, key);
    for (qsizetype i = subKeys.size() - 1; i >= 0; --i) {
        if (!subKeys.at(i).toLower().contains(wanted))
            continue;
        const platform::RegistryValue value = platform::readRegistryValue(
            platform::RootKey::LocalMachine, key + u'\\' + subKeys.at(i), valueName);
        return value.type == platform::RegistryValueType::String ? value.text : QString();
    }
    return {};
}

QString TComDataExport::RemoveBlanks(const QString& text)
{
    QString result = text;
    result.remove(u' ');
    result.remove(QChar(0x3000));
    return result;
}

} // namespace taxreturn
