#include "dbupgrade/system/SystemStepScripts.h"

#include "dbupgrade/runner/UpdateFiles.h"
#include "dbupgrade/steps/StepSql.h"
#include "platform/Cp932.h"

namespace dbupgrade {

namespace {

bool partnerEdition()
{
    return core::EditionFlag == 1 || core::EditionFlag == 2;
}

int versionKey(const core::TVersionTriple& v)
{
    return v.Major * 10000 + v.Minor1 * 100 + v.Minor2;
}

QString sqlName(const core::TVersionTriple& v)
{
    return QStringLiteral("system/") + VersionText(v) + QStringLiteral(".sql");
}

// USERCODE rows 11 to 20, empty, so that 20 code systems can be stored.
QString userCodeRows()
{
    QStringList rows;
    for (int rec = 11; rec <= 20; ++rec)
        rows << QStringLiteral("INSERT INTO USERCODE(RECNO,NAME,DATATYPE,CODETYPE,INIDAT1,INIDAT2,INIDAT3,INIDAT4,"
                               "INIDAT5,INIDAT6,INIDAT7,INIDAT8) VALUES(%1,'',0,0,'','','','','','','','');")
                    .arg(rec);
    return rows.join(QLatin1Char('\n'));
}

// The 100 data places: place 0 the system folder, 1 to 99 the folder followed by two digits.
QString dataPlaceRows()
{
    const QString folder = core::SystemDef.SYSDIR;
    const QString name0 = platform::cp932Length(folder) > 40 ? QStringLiteral(u"標準の場所") : folder;
    QStringList rows;
    rows << QStringLiteral("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(0,1,%1,%2);")
                .arg(SqlQuote(name0), SqlQuote(folder));
    for (int rec = 1; rec <= 99; ++rec)
        rows << QStringLiteral("INSERT INTO DATAPLACEMAN(REC,ORDERKBN,NAME,PATH) VALUES(%1,%2,'',%3);")
                    .arg(rec)
                    .arg(rec + 1)
                    .arg(SqlQuote(folder + QString::asprintf("%.2d", rec)));
    return rows.join(QLatin1Char('\n'));
}

} // namespace

QString IndustryFileName(int slot)
{
    static const QStringList names = {
        QString(),
        QStringLiteral(u"販売業.txt"),
        QStringLiteral(u"製造業.txt"),
        QStringLiteral(u"建設業.txt"),
        QStringLiteral(u"運送業.txt"),
        QStringLiteral(u"病院.txt"),
        QStringLiteral(u"その他.txt"),
        QString(),
        QStringLiteral(u"個人　一般.txt"),
        QStringLiteral(u"個人　不動産.txt"),
        QStringLiteral(u"個人　医業.txt"),
    };
    return slot >= 1 && slot <= 10 ? names.at(slot) : QString();
}

std::optional<UpdateScript> BuildSystemStepScript(const core::TVersionTriple& version)
{
    const int key = versionKey(version);
    UpdateScriptFrame frame;
    frame.database = StepDatabase::System;
    frame.version = version;
    frame.setNames = key >= 40002;
    frame.memo = key >= 110001 ? MemoForm::Long127Trimmed : MemoForm::Short;
    frame.twoLineVersionRow = key >= 110001;
    UpdateScript script(frame);

    switch (key) {
    case 301: // 0.3.1
    case 302:
    case 303:
    case 30000:
    case 30005:
    case 30007:
        script.add(StepSql(sqlName(version)));
        break;
    case 10001: // 1.0.1: upper-casing stored folders would lose them on a case-sensitive file system
        break;
    case 40000:
        script.add(FillStepSql(StepSql(sqlName(version)), QStringLiteral("USERCODE_ROWS"), userCodeRows()));
        break;
    case 40002: // the partner edition adds no columns here
        if (core::EditionFlag == 0)
            script.add(StepSql(sqlName(version)));
        break;
    case 50000:
        script.add(FillStepSql(StepSql(sqlName(version)), QStringLiteral("PLACES"), dataPlaceRows()));
        if (partnerEdition())
            script.add(QStringLiteral(u"UPDATE SYSREG SET STEXT='1' WHERE SCODE='試算表集計出力区分';\nCOMMIT;"));
        break;
    case 90004:
        break;
    default: { // 7.0.0 and later: the external files
        QStringList names{QStringLiteral("sysup01.sql")};
        if (key == 110001)
            names << QStringLiteral("sysup02.sql");
        const bool missingIsFatal = key >= 80000;
        QStringList lines;
        if (!ReadExternalScripts(version, names, missingIsFatal, lines))
            return std::nullopt;
        script.add(lines);
        break;
    }
    }
    return script;
}

} // namespace dbupgrade
