#include "core/settings/SysDefRow.h"

#include "core/db/IBSQL.h"
#include "core/session/SystemDef.h"
#include "core/session/Vocabulary.h"

#include <iterator>
#include <variant>

namespace core {

namespace {

using IntField = qint32 TSystemDef::*;
using TextField = QString TSystemDef::*;

struct Column {
    const char* name;
    std::variant<IntField, TextField> field;
};

// The columns the program writes, in the order of the update statement.
const Column kWrittenColumns[] = {
    {"DataDir", &TSystemDef::DataFolder},
    {"PrinterName", &TSystemDef::PrinterName},
    {"MFTop", &TSystemDef::MFTop},
    {"MFLeft", &TSystemDef::MFLeft},
    {"MFWidth", &TSystemDef::MFWidth},
    {"MFHeight", &TSystemDef::MFHeight},
    {"LastMenu", &TSystemDef::LastMenu},
    {"FontName", &TSystemDef::FontName},
    {"FontSize", &TSystemDef::FontSize},
    {"FontStyle", &TSystemDef::FontStyle},
    {"FontCharset", &TSystemDef::FontCharSet},
    {"FontHeight", &TSystemDef::FontHeight},
    {"GridResize", &TSystemDef::GridResize},
    {"ShowHint", &TSystemDef::ShowHint},
    {"GridMaxRow", &TSystemDef::GridMaxRow},
    {"GridRsiz", &TSystemDef::GridRsiz},
    {"ClientColor", &TSystemDef::ClientColor},
    {"ClientColor1", &TSystemDef::ClientColor1},
    {"ClientColor2", &TSystemDef::ClientColor2},
    {"ClientColor3", &TSystemDef::ClientColor3},
    {"ForeColor", &TSystemDef::ForeColor},
    {"BorderColor", &TSystemDef::BorderColor},
    {"ActiveColor", &TSystemDef::ActiveColor},
    {"ThruBorderColor", &TSystemDef::ThruBorderColor},
    {"ColHeaderColor", &TSystemDef::ColHeaderColor},
    {"FixedTopColor", &TSystemDef::FixedTopColor},
    {"RowHeaderColor", &TSystemDef::RowHeaderColor},
    {"FixedLeftColor", &TSystemDef::FixedLeftColor},
    {"TotalColor", &TSystemDef::TotalColor},
    {"NetColor1", &TSystemDef::NetColor1},
    {"NetColor2", &TSystemDef::NetColor2},
    {"PLineColor1", &TSystemDef::PLineColor1},
    {"PLineColor2", &TSystemDef::PLineColor2},
    {"PreviewZOOM", &TSystemDef::PreviewZOOM},
    {"PanelColor", &TSystemDef::PanelColor},
    {"PanelBackColor", &TSystemDef::PanelBackColor},
    {"MenuPrintSw", &TSystemDef::MenuPrintSw},
    {"HojWait", &TSystemDef::HojWait},
    {"DicSwitch", &TSystemDef::DicSwitch},
    {"DicTekAuto", &TSystemDef::DicTekAuto},
    {"DicTorAuto", &TSystemDef::DicTorAuto},
    {"DicUsednt", &TSystemDef::DicUsednt},
    {"DicType", &TSystemDef::DicType},
    {"DicNum1", &TSystemDef::DicNum1},
    {"DicNum2", &TSystemDef::DicNum2},
    {"DicSortType", &TSystemDef::DicSortType},
    {"ColHeaderGradColor1", &TSystemDef::ColHeaderGradColor1},
    {"ColHeaderGradColor2", &TSystemDef::ColHeaderGradColor2},
    {"ShowDataSentaku", &TSystemDef::ShowDataSentaku},
    {"ZenkaiDrive", &TSystemDef::ZenkaiDrive},
    {"UserPrint", &TSystemDef::UserPrint},
    {"SwkTotal", &TSystemDef::SwkTotal},
    {"SwkLine", &TSystemDef::SwkLine},
    {"KingakuPlus", &TSystemDef::KingakuPlus},
    {"ZeroPrint", &TSystemDef::ZeroPrint},
    {"SankakuPlus", &TSystemDef::SankakuPlus},
    {"TEK_AUTOUP", &TSystemDef::TEK_AUTOUP},
    {"TOR_AUTOUP", &TSystemDef::TOR_AUTOUP},
    {"Reserve1", &TSystemDef::Reserve1},
    {"Reserve2", &TSystemDef::Reserve2},
    {"Reserve3", &TSystemDef::Reserve3},
    {"Reserve4", &TSystemDef::Reserve4},
    {"Reserve5", &TSystemDef::Reserve5},
    {"SSTR", &TSystemDef::SSTR},
};

} // namespace

void ReadSysDefRow(TIBSQL& row, TSystemDef& def) {
    for (const Column& column : kWrittenColumns) {
        const IBSQLField& field = row.fieldByName(QLatin1String(column.name));
        if (const IntField* number = std::get_if<IntField>(&column.field))
            def.*(*number) = field.asInteger();
        else
            def.*std::get<TextField>(column.field) = field.asString();
    }
    if (row.fieldExists(QStringLiteral("Shouhyou")))
        def.Shouhyou = row.fieldByName(QStringLiteral("Shouhyou")).asInteger();
    if (def.ColHeaderGradColor1 == 0)
        def.ColHeaderGradColor1 = 0xFFFFFF;
    if (def.ColHeaderGradColor2 == 0)
        def.ColHeaderGradColor2 = 0xBBBBBB;
}

QStringList SysDefUpdateSql() {
    QStringList sql{QStringLiteral("UPDATE SYSDEF SET")};
    const qsizetype count = std::size(kWrittenColumns);
    for (qsizetype i = 0; i < count; ++i) {
        const QString name = QLatin1String(kWrittenColumns[i].name);
        sql << name + QStringLiteral("=:") + name + (i + 1 < count ? QStringLiteral(",") : QString());
    }
    sql << QStringLiteral("WHERE OPCODE=:OPCODE");
    return sql;
}

void BindSysDefUpdate(TIBSQL& update, const TSystemDef& def) {
    for (const Column& column : kWrittenColumns) {
        IBSQLParam& param = update.paramByName(QLatin1String(column.name));
        if (const IntField* number = std::get_if<IntField>(&column.field))
            param.setInteger(def.*(*number));
        else
            param.setString(def.*std::get<TextField>(column.field));
    }
    update.paramByName(QStringLiteral("OPCODE")).setInteger(def.OPCODE);
}

void PrepareSysDefInsert(TIBSQL& insert, qint32 opcode, bool oemEdition) {
    insert.sql() = QStringList{
        QStringLiteral("INSERT INTO SYSDEF(OPCODE,SankakuPlus,ColHeaderColor,ColHeaderGradColor1,ColHeaderGradColor2,"),
        QStringLiteral("ClientColor,ClientColor1,ClientColor2,TotalColor,ActiveColor,NetColor1,NetColor2,PLineColor1,"
                       "PLineColor2,DICSWITCH,DicTekAuto,DicTorAuto)"),
        QStringLiteral("VALUES(:OPCODE,1,:ColHeaderColor,:ColHeaderGradColor1,:ColHeaderGradColor2,"),
        QStringLiteral(":ClientColor,:ClientColor1,:ClientColor2,:TotalColor,:ActiveColor,:NetColor1,:NetColor2,"
                       ":PLineColor1,:PLineColor2,:DICSWITCH,:DicTekAuto,:DicTorAuto)"),
    };
    insert.paramByName(QStringLiteral("OPCODE")).setInteger(opcode);
    const char* const colourColumns[] = {"ColHeaderColor", "ColHeaderGradColor1", "ColHeaderGradColor2",
                                         "ClientColor",    "ClientColor1",        "ClientColor2",
                                         "TotalColor",     "ActiveColor"};
    for (size_t i = 0; i < std::size(colourColumns); ++i)
        insert.paramByName(QLatin1String(colourColumns[i])).setInteger(SysdefDefaultColor[i]);
    for (const char* name : {"NetColor1", "NetColor2"})
        insert.paramByName(QLatin1String(name)).setInteger(0xD7FFD7);
    for (const char* name : {"PLineColor1", "PLineColor2"})
        insert.paramByName(QLatin1String(name)).setInteger(0x7900);
    insert.paramByName(QStringLiteral("DICSWITCH")).setInteger(oemEdition ? 2 : 0);
    insert.paramByName(QStringLiteral("DicTekAuto")).setInteger(oemEdition ? 2 : 1);
    insert.paramByName(QStringLiteral("DicTorAuto")).setInteger(oemEdition ? 0 : 1);
}

} // namespace core
