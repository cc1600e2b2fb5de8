#include "cloudexchange/analysis/WebDumpCatalogue.h"

#include "core/Exception.h"

#include <QHash>

namespace cloudexchange {

const char* const kJournalValues =
    "REC,SWKREC,SWKNO,DELFLG,TAISHAKU,HIZUKE:q,MNUM,KESSAN,SDAYNUM,MDAYNUM,DNUM,SNUM,SCODE:q,SITREC,"
    "KGROUP:q,KCODE:q,HCODE:q,BCODE:q,KNAME:t,HNAME:t,BNAME:t,TAXCODE,TAXUH,TAXDC,NUK,ZEI,RIT,SIKIN,"
    "R_KGROUP:q,R_KCODE:q,R_HCODE:q,R_BCODE:q,R_KNAME:t,R_HNAME:t,R_BNAME:t,R_TAXCODE,R_TAXUH,R_TAXDC,"
    "R_NUK,R_ZEI,R_RIT,R_SIKIN,KINGAKU,ZEIGAKU,ZEIRITUNO,AUTCALCU,TAXCALCU,OLDRATE,TEKCODE,TEKTEXT:t,"
    "TORCODE,TORTEXT:t20,FUSEN1,FUSEN2,FUSEN3,FUSEN4,FUSEN5,CTIME:dt,COMMENT:t,AO_COMMENT:t,LINKKEY:t,"
    "LINKKUB:i,LINKREC:i,LOCALFLG,RESERVE1,RESERVE2,RTIME:dt,OPCODE";

namespace {

const char* const kAccDef1Values =
    "REC,GROUPID,ENTTEXT:t,SERIAL:t,TANTOU,GYOUSHU,DATATYPE,CODETYPE,SCODE1:t,SCODE2:t,SKANA:t,SHOUGOU:t,"
    "POST:t,ADD1:t,ADD2:t,TEL:t,AO_ADD1:t,AO_ADD2:t,AO_KANA:t,AO_SIMEI:t,AO_GYOUSHU:t,AO_YAGO:t,AO_KANYU:t,"
    "AO_TEL:t,AO_SHOKUGYO1:t,AO_SHOKUGYO2:t,ZZKISHU:yy2,ZKISHU:yy1,NENDO,KISHU:q,KIMATU:q,KAISI:q,SIME,"
    "KAISINO,GENGOU_FLG,GENGOU_HOSEI,GENGOU_NAME:q,YAKUMEI1:q,YAKUMEI2:q,YAKUMEI3:q,OLD_TAX_RATE1,"
    "OLD_TAX_RATE2,OLD_TAX_RATE3,OLD_TAX_RATE4,OLD_TAX_RATE5,NEW_TAX_RATE1,NEW_TAX_RATE2,NEW_TAX_RATE3,"
    "NEW_TAX_RATE4,NEW_TAX_RATE5,CHG_DAYS1:dt,CHG_DAYS2:dt,CHG_DAYS3:dt,CHG_DAYS4:dt,CHG_DAYS5:dt,"
    "KANSA_FIXDATE:dt,KANSA_DATE:dt,CALCU,TAXU_HASUU,TAXH_HASUU,TAXDEFUH,TAXKANNI,TAXJIGYOU,GENKAPRINT,"
    "KANSA_LOCK,TEGATADICSW,KESSAN_KIKAN,CASHFLOW_KIKAN1,CASHFLOW_KIKAN2,CASHFLOWSW,SDAI_HASUU1,"
    "SDAI_HASUU2,SDAI_HASUU3,CONVERT,SHOUHYOU,SITEN,BUMON,DATALOCK,FUMEI_KCODE:t,GENKA_USE,GENKA_HWORD1:q,"
    "GENKA_HWORD2:q,GENKA_HWORD3:q,GENKA_HWORD4:q,GENKA_HWORD5:q,GENKA_HWORD6:q,PASWORD:t,WEB_HOLDER:t";

const char* const kKakozanValues =
    "NENDO,SCODE:q,BCODE:q,KCODE:q,HCODE:q,KISHU,"
    "KOMIZAN_1,NUKIZAN_1,IKKATSU_1,HAIBUN_1,KOMIZAN_2,NUKIZAN_2,IKKATSU_2,HAIBUN_2,"
    "KOMIZAN_3,NUKIZAN_3,IKKATSU_3,HAIBUN_3,KOMIZAN_4,NUKIZAN_4,IKKATSU_4,HAIBUN_4,"
    "KOMIZAN_5,NUKIZAN_5,IKKATSU_5,HAIBUN_5,KOMIZAN_6,NUKIZAN_6,IKKATSU_6,HAIBUN_6,"
    "KOMIZAN_7,NUKIZAN_7,IKKATSU_7,HAIBUN_7,KOMIZAN_8,NUKIZAN_8,IKKATSU_8,HAIBUN_8,"
    "KOMIZAN_9,NUKIZAN_9,IKKATSU_9,HAIBUN_9,KOMIZAN_10,NUKIZAN_10,IKKATSU_10,HAIBUN_10,"
    "KOMIZAN_11,NUKIZAN_11,IKKATSU_11,HAIBUN_11,KOMIZAN_12,NUKIZAN_12,IKKATSU_12,HAIBUN_12,"
    "KOMIZAN_13,NUKIZAN_13,IKKATSU_13,HAIBUN_13,KOMIZAN_14,NUKIZAN_14,IKKATSU_14,HAIBUN_14,"
    "KOMIZAN_15,NUKIZAN_15,IKKATSU_15,HAIBUN_15,KOMIZAN_16,NUKIZAN_16,IKKATSU_16,HAIBUN_16";

const char* const kKamokuMstValues =
    "KCODE:q,USERCODE:q,REC,GROUPM0:q,GROUPM1:q,GROUPM2:q,GROUPR1:q,GROUPR2:q,KKANA:t,KNAME:t,USE,USEDEF,"
    "BLDAC,DAC,DELFLG,TAX_LCODE,TAX_RCODE,TAX_NUM,FUN_LCODE,FUN_RCODE,HOJOSW:q,BPFLG:q,KEIHKUBU:q,"
    "EXT1_A4:i,EXT1_A3:i,EXT1_KS:i,ZEBRIK_BADRATE:f,ZEBRIK_BADKIND:i,ZEBRIK_GOODRATE:f,ZEBRIK_GOODKIND:i,"
    "ZEBRIK_YOJITU_RATE1:f,ZEBRIK_YOJITU_KIND1:i,ZEBRIK_YOJITU_RATE2:f,ZEBRIK_YOJITU_KIND2:i,"
    "SIKINGURIKUBUN:int,KENSAKU_KEY:q,XSTR:q,OPCODE,RTIME:dt,GROUPM3:t,EXT2_A4:t,EXT2_A3:t,EXT3_A4:t,"
    "EXT3_A3:t,EXT4_A4:t,EXT4_A3:t";

const char* const kKamokuMstNonMedical =
    "GROUPR1=GROUPM1;GROUPR2=GROUPM2;GROUPM3=CAST(NULL AS VARCHAR(40));EXT2_A4=CAST(NULL AS VARCHAR(40));"
    "EXT2_A3=CAST(NULL AS VARCHAR(40));EXT3_A4=CAST(NULL AS VARCHAR(40));EXT3_A3=CAST(NULL AS VARCHAR(40));"
    "EXT4_A4=CAST(NULL AS VARCHAR(40));EXT4_A3=CAST(NULL AS VARCHAR(40))";

const char* const kKamokuSzValues =
    "SCODE:q,KCODE:q,HCODE:q,BCODE:q,KISHU_KOMI,KISHU_NUKI,HAIBUN01,HAIBUN02,HAIBUN03,HAIBUN04,HAIBUN05,"
    "HAIBUN06,HAIBUN07,HAIBUN08,HAIBUN09,HAIBUN10,HAIBUN11,HAIBUN12,HAIBUN13,HAIBUN14,HAIBUN15,HAIBUN16,"
    "KAKOZAN";

const char* const kKihonRuleValues =
    "#FID,FKOMOKU:t,FROW:i,FKBN:t,FWARIAI:d,FSITE:i,FMEMO:t,FHIZUKE:dt,FKINGAKU:c";

using S = DumpSection;
constexpr DumpSpecial kNone = DumpSpecial::None;

const std::vector<DumpSection> kSections = {
    S{"ACCDEF1", "", "", "REC", kAccDef1Values, "", 0, "", "", kNone},
    S{"ACCDEF2", "", "", "KCODE", "KCODE:q,KNAME:q,KGROUP:q,HYOUJYUN", "", 0, "", "", kNone},
    S{"ACCDEF5", "", "", "SCODE,BCODE,MNUM", "SCODE:q,BCODE:q,MNUM,NUM1,NUM2,NUM3,NUM4,NUM5,NUM6,NUM7,NUM8", "",
      0, "", "", kNone},
    S{"ACCREG", "", "", "AGROUP,ACODE", "AGROUP:t,ACODE:t,ATYPE:t,ATEXT:t,AMEMO:t", "", 0, "", "",
      DumpSpecial::AccReg},
    S{"ACCTOTALNAME", "", "", "REC",
      "REC,MB_JIGYOU,VERSION,KGROUP:t,KESKUBUN,ARRAYNUM,KOUMOKU:t,PLUSNAME:t,MINUSNAME:t,MODIFY", "", 0,
      "MB_JIGYOU=0", "", kNone},
    S{"ACCVERSION", "", "", "", "", "INSERT INTO ACCVERSION(MAJOR,MINOR,REV,MEMO) VALUES", 0, "", "",
      DumpSpecial::AccVersion},
    S{"BUMONMST", "", "", "BCODE", "BCODE:q,BNAME:t,XSTR:q,KENSAKU_KEY:t", "", 0, "", "", kNone},
    S{"BUNSEKI_SYUKEIHYO", "", "", "TITLE",
      "#RECKEY,CODE:q,TITLE:q,CHOHYO_BS,CHOHYO_PL,SYUKEIKBN,ROW_JYODAN,ROW_CHUDAN,ROW_GEDAN", "", 0, "", "",
      kNone},
    S{"CHARTINF", "", "WHERE OPCODE=100009999", "OPCODE",
      "OPCODE,CTYPE1:chart,CTYPE2,CTYPE3,CTYPE4,BAKCOL:col,FORCOL:col,GRID,FONTSIZE,ECOL1:col,ECOL2:col,"
      "ECOL3:col,ECOL4:col,THREE_D,HANREI,TANI,HASUU,RESERVE1,RESERVE2,RESERVE3",
      "", 0, "", "", DumpSpecial::ChartInf},
    S{"EXTERKS", "", "", "REC", "REC,KUBUN,KGROUP:q,SUBREC,KNAME1:q,KNAMELOCK,AO_KISHUZAN,AO_KIMATUZAN", "", 0,
      "", "", kNone},
    S{"FINMST", "", "", "F_CODE", "F_CODE,F_REC,F_KUBU:q,F_CAD,F_TEXT:q", "", 0, "", "", kNone},
    S{"GROUPLIST", "", "", "GCODE,BCODE", "GCODE:q,BCODE:q", "", 0, "", "", kNone},
    S{"GROUPMST", "", "", "GCODE", "GCODE:q,GNAME:t", "", 0, "", "", kNone},
    S{"HIKAKU_BUMON", "", "", "PCODE,BCODE", "PCODE:q,BCODE:q,NUMBER", "", 0, "", "", kNone},
    S{"HIKAKU_GROUP", "", "", "PCODE,GCODE", "PCODE:q,GCODE:q,NUMBER", "", 0, "", "", kNone},
    S{"HIKAKU_PATTERN", "", "", "PCODE", "PCODE:q,PNAME:t,JIGYOKBN", "", 0, "", "", kNone},
    S{"HIKAKU_SISETU", "", "", "PCODE,SCODE", "PCODE:q,SCODE:q,NUMBER", "", 0, "", "", kNone},
    S{"HIKAKU_SISETU_GROUP", "", "", "PCODE,GCODE", "PCODE:q,GCODE:q,JIGYOKBN,NUMBER", "", 0, "", "", kNone},
    S{"HIKAKU_SISETU_PATTERN", "", "", "PCODE", "PCODE:q,PNAME:t,JIGYOKBN", "", 0, "", "", kNone},
    S{"HOJOMST", "", "", "KCODE,HCODE",
      "KCODE:q,HCODE:q,HKANA:t,HNAME:t,REC,TAX_LCODE,TAX_RCODE,TAX_NUM,BPFLG:q,KENSAKU_KEY:q,OPCODE,XSTR:q,"
      "RTIME:dt",
      "", 0, "", "", kNone},
    // The job level is bound when the dump runs (200, or 1200 for data type 3).
    S{"JOBCONTROL", "JOBCONTROL2", "WHERE LEVELNO=:LEVELNO", "PROC_ID",
      "#REC,LEVELNO=200,RESERVE1=0,RESERVE2=0,PROC_OPTION='',PROC_ID:q", "", kFrom802, "", "", kNone},
    S{"KAKOSIWAKE1", "", "", "REC", kJournalValues, "", kHundredRows, "", "", kNone},
    S{"KAKOSIWAKE2", "", "", "REC", kJournalValues, "", kHundredRows, "", "", kNone},
    S{"KAKOZAN", "", "", "NENDO,SCODE,BCODE,KCODE,HCODE", kKakozanValues, "", 0, "", "", kNone},
    S{"KAMOKUMST", "", "", "KCODE", kKamokuMstValues, "", 0, kKamokuMstNonMedical, "", kNone},
    S{"KAMOKU_MS", "", "", "SCODE,KCODE,HCODE,BCODE,MNUM",
      "SCODE:q,KCODE:q,HCODE:q,BCODE:q,MNUM,KAR_NUK,KAR_TAX,KAR_IKKATSU,KAS_NUK,KAS_TAX,KAS_IKKATSU,BYOSAN,"
      "BYOSOKU,RYOSAN,BYOSAN2,BYOSAN3",
      "INSERT INTO KAMOKU_MS\n"
      "(SCODE,KCODE,HCODE,BCODE,MNUM,KAR_NUK,KAR_TAX,KAR_IKKATSU,KAS_NUK,KAS_TAX,KAS_IKKATSU,BYOSAN,BYOSOKU,"
      "RYOSAN,BYOSAN2,BYOSAN3)\n"
      "VALUES",
      kHundredRows, "", "BYOSAN2=0;BYOSAN3=0", kNone},
    S{"KAMOKU_SZ", "", "", "SCODE,KCODE,HCODE,BCODE", kKamokuSzValues,
      "INSERT INTO KAMOKU_SZ\n"
      "(SCODE,KCODE,HCODE,BCODE,KISHU_KOMI,KISHU_NUKI,\n"
      "HAIBUN01,HAIBUN02,HAIBUN03,HAIBUN04,HAIBUN05,HAIBUN06,HAIBUN07,HAIBUN08,HAIBUN09,HAIBUN10,HAIBUN11,"
      "HAIBUN12,HAIBUN13,HAIBUN14,HAIBUN15,HAIBUN16,KAKOZAN)\n"
      "VALUES",
      kHundredRows, "", "", kNone},
    S{"KAMOKU_TAX", "", "", "SCODE,BCODE,KKUBUN,MNUM", "SCODE:q,BCODE:q,KKUBUN,MNUM,KAR,KAS", "", 0, "", "",
      kNone},
    S{"MB_KMKGROUP", "", "", "GCODE,KCODE", "GCODE:q,KCODE:q", "", 0, "", "", kNone},
    S{"ZEBRIK_HIKAKU", "", "", "REC",
      "REC,BUNRUI,MEISHOU:q,TANIMEI:q,BADRATE,BADKIND,GOODRATE,GOODKIND,GROUPA1:q,GROUPA2:q,GROUPB1:q,"
      "GROUPB2:q",
      "", 0, "", "", kNone},
    S{"ZEBRIK_HIKAKU_COL", "", "", "REC", "REC,NUM,MEISHOU:t", "", 0, "", "", kNone},
    S{"ZEBRIK_YOJITUHENDOU", "", "", "REC", "REC,MEISHOU:t,RATE1,KIND1,RATE2,KIND2", "", 0, "", "", kNone},
    S{"SISETUBUM", "", "", "SCODE,BCODE", "SCODE:q,BCODE:q,HAIBUN", "", 0, "", "", kNone},
    S{"SISETUGROUP", "", "", "GCODE", "GCODE:q,GNAME:t", "", 0, "", "", kNone},
    S{"SISETUGROUPLIST", "", "", "GCODE,SCODE", "GCODE:q,SCODE:q", "", 0, "", "", kNone},
    S{"SISETUMST", "", "", "SCODE",
      "SCODE:q,SNAME:t,ADDUP,BUMEX,XSTR1:q,XSTR2:q,XSTR3:q,XSTR4:q,XSTR5:q,XSTR6:q,EMPTY1='',EMPTY2='',"
      "SIWAKECOUNT,KENSAKU_KEY:q,XSTR:q,MB_JIGYOU,MB_SINRYOZYO,MB_SISETU_NUM:q,MB_SYOZAITI:q",
      "", 0, "MB_JIGYOU=0;MB_SINRYOZYO=0;MB_SISETU_NUM='';MB_SYOZAITI=''", "", kNone},
    S{"SIWAKE", "", "", "REC", kJournalValues, "", kHundredRows, "", "", kNone},
    S{"SIWAKE2", "", "", "REC", "REC,SWKREC,LINKKEY:q,LINKKUB:i,LINKREC:i", "", kHundredRows, "", "", kNone},
    S{"SWK_SEARCH", "", "", "REC", "REC,NAME:t,KIND,STYPE,SSTR:q",
      "INSERT INTO SWK_SEARCH(REC,NAME,KIND,STYPE,SSTR) VALUES", 0, "", "", kNone},
    S{"TAXMST", "", "", "TAX_CODE", "TAX_CODE,TAX_REC,TAX_GNAM:q,TAX_NAME:q,TAX_HOUSIKI,TAX_UH,TAX_DAC,TAX_NAME2:q",
      "", 0, "", "", kNone},
    S{"MSD_HOUKOKU", "", "", "MDGROUP,MDCODE", "MDGROUP:t,MDCODE:t,MDTYPE:t,MDTEXT1:t,MDTEXT2:t,MDTEXT3:t",
      "INSERT INTO MSD_HOUKOKU(MDGROUP,MDCODE,MDTYPE,MDTEXT1,MDTEXT2,MDTEXT3) VALUES", kMedicalOnly, "", "",
      kNone},
    S{"DADUD_YOSAN_KANRI", "", "", "FYOSAN_ID",
      "FYOSAN_ID:i,FYOSAN_NAME:t,FYOSAN_HOUHOU:i,FJISSEKI_TUKI16:i,FYOSOKU_HOUHOU:i,FZOUGENRITU:d,"
      "FIS_DIRECT_ZANDAKA:i,FANBUN_HOUHOU:i,FTOUKI_BUILD:i",
      "INSERT INTO DADUD_YOSAN_KANRI(FYOSAN_ID,FYOSAN_NAME,FYOSAN_HOUHOU,FJISSEKI_TUKI16,FYOSOKU_HOUHOU,"
      "FZOUGENRITU,FIS_DIRECT_ZANDAKA,FANBUN_HOUHOU,FTOUKI_BUILD) VALUES",
      kFrom802, "", "", kNone},
    S{"DADUD_KAMOKU_YOSAN", "", "", "FYOSAN_ID,FNENDO,FSCODE,FKCODE,FHCODE,FBCODE,FMNUM",
      "FYOSAN_ID:i,FNENDO:i,FSCODE:t,FKCODE:t,FHCODE:t,FBCODE:t,FMNUM:i,FYOSAN:c",
      "INSERT INTO DADUD_KAMOKU_YOSAN(FYOSAN_ID,FNENDO,FSCODE,FKCODE,FHCODE,FBCODE,FMNUM,FYOSAN) VALUES",
      kFrom802, "", "", kNone},
    S{"DADUD_YOSAN_KIHONRULE", "", "", "", kKihonRuleValues,
      "INSERT INTO DADUD_YOSAN_KIHONRULE(FID,FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES",
      kFrom802, "", "", DumpSpecial::KihonRule},
    S{"KAMOKU_KOSEI_GROUP", "", "", "FGNAME,FKCODE", "FGNAME:t,FKCODE:t,FHCODE=''",
      "INSERT INTO KAMOKU_KOSEI_GROUP(FGNAME,FKCODE,FHCODE) VALUES", kFrom802, "", "", DumpSpecial::KoseiGroup},
    S{"ZEBRIK_YOJITU_HYOKARULE", "", "", "FGCODE",
      "FGCODE:t,FMEISHOU:t,FBAD_RATE:d,FBAD_HANI:i,FGOOD_RATE:d,FGOOD_HANI:i",
      "INSERT INTO ZEBRIK_YOJITU_HYOKARULE(FGCODE,FMEISHOU,FBAD_RATE,FBAD_HANI,FGOOD_RATE,FGOOD_HANI) VALUES",
      kFrom802, "", "", kNone},
};

DumpValueKind kindOfMark(const QString& mark, int& byteLength) {
    static const QHash<QString, DumpValueKind> marks = {
        {QStringLiteral("q"), DumpValueKind::Quoted},      {QStringLiteral("t"), DumpValueKind::Text},
        {QStringLiteral("dt"), DumpValueKind::DateTime},   {QStringLiteral("i"), DumpValueKind::Integer},
        {QStringLiteral("f"), DumpValueKind::Float},       {QStringLiteral("d"), DumpValueKind::Double},
        {QStringLiteral("c"), DumpValueKind::Currency},    {QStringLiteral("col"), DumpValueKind::Colour},
        {QStringLiteral("chart"), DumpValueKind::ChartType}, {QStringLiteral("int"), DumpValueKind::IntegerText},
        {QStringLiteral("yy2"), DumpValueKind::PrevPrevYearStart},
        {QStringLiteral("yy1"), DumpValueKind::PrevYearStart},
    };
    byteLength = 0;
    const QString lower = mark.toLower();
    if (lower.size() > 1 && lower.startsWith(QLatin1Char('t')) && lower.mid(1).toInt() > 0) {
        byteLength = lower.mid(1).toInt();
        return DumpValueKind::Text;
    }
    const auto it = marks.constFind(lower);
    if (it == marks.constEnd())
        throw core::Exception(QStringLiteral("値の種類「%1」は使えません。").arg(mark));
    return it.value();
}

// "COLUMN=expression;…" as a map.
QHash<QString, QString> substitutions(const char* text) {
    QHash<QString, QString> map;
    for (const QString& entry : QString::fromUtf8(text).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf(QLatin1Char('='));
        map.insert(entry.left(eq).trimmed(), entry.mid(eq + 1).trimmed());
    }
    return map;
}

} // namespace

bool DumpValue::readsColumn() const {
    switch (kind) {
    case DumpValueKind::Counter:
    case DumpValueKind::Constant:
    case DumpValueKind::PrevPrevYearStart:
    case DumpValueKind::PrevYearStart:
        return false;
    default:
        return true;
    }
}

std::vector<DumpValue> parseDumpValues(const char* notation) {
    std::vector<DumpValue> values;
    for (const QString& raw : QString::fromUtf8(notation).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString entry = raw.trimmed();
        DumpValue value;
        if (entry.startsWith(QLatin1Char('#'))) {
            value.column = entry.mid(1);
            value.kind = DumpValueKind::Counter;
        } else if (const int eq = entry.indexOf(QLatin1Char('=')); eq > 0) {
            value.column = entry.left(eq);
            value.kind = DumpValueKind::Constant;
            value.literal = entry.mid(eq + 1);
        } else if (const int colon = entry.indexOf(QLatin1Char(':')); colon > 0) {
            value.column = entry.left(colon);
            value.kind = kindOfMark(entry.mid(colon + 1), value.byteLength);
        } else {
            value.column = entry;
        }
        values.push_back(value);
    }
    return values;
}

const std::vector<DumpSection>& dumpSections() { return kSections; }

QString sectionQuery(const DumpSection& section, bool medical, bool from802) {
    QHash<QString, QString> replaced;
    if (!medical)
        replaced = substitutions(section.nonMedical);
    if (!from802)
        replaced.insert(substitutions(section.below802));
    QStringList columns;
    for (const DumpValue& value : parseDumpValues(section.values)) {
        if (!value.readsColumn())
            continue;
        const auto it = replaced.constFind(value.column);
        const QString quotedName = QLatin1Char('"') + value.column + QLatin1Char('"');
        columns << (it == replaced.constEnd() ? quotedName : it.value() + QStringLiteral(" AS ") + quotedName);
    }
    const QString source = QString::fromUtf8(*section.source ? section.source : section.table);
    QString sql = QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) + QStringLiteral(" FROM ") + source;
    if (*section.filter)
        sql += QLatin1Char(' ') + QString::fromUtf8(section.filter);
    if (*section.order)
        sql += QStringLiteral(" ORDER BY ") + QString::fromUtf8(section.order);
    return sql;
}

QStringList sectionHead(const DumpSection& section) {
    if (*section.head)
        return QString::fromUtf8(section.head).split(QLatin1Char('\n'));
    return {QStringLiteral("INSERT INTO ") + QString::fromUtf8(section.table) + QStringLiteral(" VALUES")};
}

} // namespace cloudexchange
