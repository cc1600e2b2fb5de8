#pragma once
// The base of the exporter that writes the intermediate file for the tax-return product: the
// values the wizard collects, the settings file "Diru.ini" (read when the exporter is created,
// written back when it is destroyed), the accounting product's name and version from the
// registry, and the two fixed parts of the file, SYSTEM and BASIC. The product exporter
// derives from it and writes DATA.

#include "link/export/EDataExportError.h"
#include "link/export/XmlSaveDoc.h"

#include <QDate>
#include <QString>

namespace taxreturn {

class TComDataExport {
public:
    // callerWParam: the calling program's message parameter, 0 when the program runs by itself.
    // callerExportFile: the output path the calling program named; when not empty it is the
    // output path of the run, whatever Diru.ini says.
    TComDataExport(int callerWParam, const QString& callerExportFile);
    // Writes Diru.ini back; a failure there is logged, never thrown.
    virtual ~TComDataExport();

    TComDataExport(const TComDataExport&) = delete;
    TComDataExport& operator=(const TComDataExport&) = delete;

    void ReadDiruIni();
    void WriteDiruIni();
    QString DiruIniPath() const;

    // Creates the root REPORT with SYSTEM.
    void SetSystemNode(TXmlSaveDoc& doc);
    // Appends BASIC; EDataExportError 256 for a prefix without a layout.
    void SetBasicNode(TXmlSaveDoc& doc);
    // Appends DATA; the product exporter's part.
    virtual void SetDataNode(TXmlSaveDoc& doc) = 0;

    // The string value of the installed accounting product of the major version: under
    // HKEY_LOCAL_MACHINE and AppInfo's [Application] RegKey, the last sub-key whose name holds
    // the lower-case [Zaimu] RegKey directly followed by the two-digit major version.
    static QString ReadProductRegistryValue(int majorVersion, const QString& valueName);
    // The text without half-width blanks and full-width spaces.
    static QString RemoveBlanks(const QString& text);
    // The Diru.ini section of a product kind; empty for a kind without one.
    static QString DiruSection(const QString& kindCode);

    QString ExeName;  // the program's file name, upper case
    QString ExeDir;
    QString ExeDrive; // empty: native paths have no drive
    QString SettingDir;
    QString IniDir;
    QString Caption;
    QString ProductTitle;
    QString KindCode;
    int CallerWParam = 0;
    QString GyoumuPrefix;
    int FileVersion = 1;
    int FunctionId = 3;
    QString ConnectedProgramVer;
    QString ProgramName;
    QString ProgramVer;
    QString RequiredVersion;
    QString KomonsakiName;
    int Nendo = 0;
    QDate KishuDate;
    QDate KimatuDate;
    int SimeDay = 99;
    int SyotokuSyurui = 0;
    int HasuuKind = 0;
    QString DataFolder;
    QString DiruData;
    int StartPeriod = 0;
    int EndPeriod = 0;
    int LastPeriod = 0;
    int TaxMode = 0;
    int TaxKanni = 0;
    int TaxJigyou = 0;
    int DataKind = 0;
    int CodeKind = 0;
    QString ExportFile;
    int DataTypeFilter = 1;
    QString DataVerMajor;

private:
    // Diru.ini keeps the output path only for runs whose path is the operator's to choose.
    bool ExportFileFromDiruIni() const;

    QString callerExportFile_;
};

} // namespace taxreturn
