// Loading the settings of the open company data set into AccInf.
//
// The settings are read into a record of their own and published only when everything has
// been read, so that a load failing midway (no ACCDEF1 row, a data or code type the program
// does not handle, a database error) leaves AccInf, ReadOnlyData, the statements' row layout
// and the tax-rate table as the previous data set left them. The communication slot 1 of
// TUSIN_ID is read into that record too (GetTusinId's form with a target record).
#include "core/dm/TDM.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dates/Periods.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/settings/AccReg.h"
#include "core/tax/ZeiRitu.h"
#include "core/text/SjisText.h"
#include "core/version/EasyEncode.h"

namespace core {

namespace {

const QString kKihon = QStringLiteral("基本設定");

qint32 accRegInt(const QString& group, const QString& key) {
    return funcGetAccReg(group, key, QStringLiteral("整数"), QStringLiteral("0")).toInt();
}

QDate accRegDate(const QString& key) {
    return funcGetAccReg(kKihon, key, QStringLiteral("日付"), QStringLiteral("0")).toDate();
}

QString accRegText(const QString& key, const QString& defaultText) {
    return funcGetAccReg(kKihon, key, QStringLiteral("文字"), defaultText).toString();
}

bool accRegFlag(const QString& key, const QString& defaultText) {
    return funcGetAccReg(kKihon, key, QStringLiteral("論理"), defaultText).toBool();
}

// Step 3: the columns of the ACCDEF1 row. The optional columns are read only where the
// database has them; otherwise their fields keep the record's defaults.
void copyAccDef1(TIBSQL& q, TACCINF& inf) {
    auto field = [&q](const char* name) -> IBSQLField& { return q.fieldByName(QString::fromLatin1(name)); };
    auto has = [&q](const char* name) { return q.fieldExists(QString::fromLatin1(name)); };
    auto text = [&](const char* name) { return field(name).asString(); };
    auto integer = [&](const char* name) { return qint32(field(name).asInteger()); };
    auto date = [&](const char* name) { return field(name).asDate(); };
    auto numbered = [](const char* prefix, int n) { return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n); };

    inf.GROUPID = integer("GROUPID");
    inf.ENTTEXT = text("ENTTEXT");
    inf.SERIAL = text("SERIAL");
    inf.TANTOU = integer("TANTOU");
    inf.GYOUSHU = integer("GYOUSHU");
    inf.DATATYPE = integer("DATATYPE");
    inf.DataTypeName = TDM::GetDataTypeName(inf.DATATYPE);
    inf.CODETYPE = integer("CODETYPE");
    inf.CodeTypeName = TDM::GetCodeTypeName(inf.DATATYPE, inf.CODETYPE, false);
    inf.SCODE1 = text("SCODE1");
    inf.SCODE2 = text("SCODE2");
    inf.SKANA = text("SKANA");
    inf.SHOUGOU = text("SHOUGOU");
    inf.POST = text("POST");
    inf.ADD1 = text("ADD1");
    inf.ADD2 = text("ADD2");
    inf.TEL = text("TEL");
    inf.AO_ADD1 = text("AO_ADD1");
    inf.AO_ADD2 = text("AO_ADD2");
    inf.AO_KANA = text("AO_KANA");
    inf.AO_SIMEI = text("AO_SIMEI");
    inf.AO_GYOUSHU = text("AO_GYOUSHU");
    inf.AO_YAGO = text("AO_YAGO");
    inf.AO_KANYU = text("AO_KANYU");
    inf.AO_TEL = text("AO_TEL");
    inf.AO_SHOKUGYO1 = text("AO_SHOKUGYO1");
    inf.AO_SHOKUGYO2 = text("AO_SHOKUGYO2");
    inf.MAIL = text("MAIL");
    inf.zzKISHU = date("ZZKISHU");
    inf.zKISHU = date("ZKISHU");
    inf.NENDO = integer("NENDO");
    inf.KISHU = date("KISHU");
    inf.KIMATU = date("KIMATU");
    inf.KAISI = date("KAISI");
    inf.SIME = integer("SIME");
    inf.KAISINO = integer("KAISINO");
    inf.GENGOU_FLG = integer("GENGOU_FLG");
    inf.GENGOU_HOSEI = integer("GENGOU_HOSEI");
    inf.GENGOU_NAME = text("GENGOU_NAME");
    for (int i = 0; i < 3; ++i)
        inf.YAKUMEI[i] = q.fieldByName(numbered("YAKUMEI", i + 1)).asString();
    for (int i = 0; i < 5; ++i) {
        inf.OLD_TAX_RATE[i] = q.fieldByName(numbered("OLD_TAX_RATE", i + 1)).asCurrency();
        inf.NEW_TAX_RATE[i] = q.fieldByName(numbered("NEW_TAX_RATE", i + 1)).asCurrency();
        inf.CHG_DAYS[i] = q.fieldByName(numbered("CHG_DAYS", i + 1)).asDate();
    }
    inf.KANSA_FIXDATE = date("KANSA_FIXDATE");
    inf.KANSA_DATE = date("KANSA_DATE");
    inf.CALCU = integer("CALCU");
    inf.TAXU_HASUU = integer("TAXU_HASUU");
    inf.TAXH_HASUU = integer("TAXH_HASUU");
    inf.TAXDEFUH = integer("TAXDEFUH");
    inf.TAXKANNI = integer("TAXKANNI");
    inf.TAXJIGYOU = integer("TAXJIGYOU");
    inf.GENKAPRINT = integer("GENKAPRINT");
    inf.KANSA_LOCK = integer("KANSA_LOCK");
    inf.TEGATADICSW = integer("TEGATADICSW");
    if (has("KESSAN_KIKAN"))
        inf.KESSAN_KIKAN = integer("KESSAN_KIKAN");
    if (has("CASHFLOW_KIKAN1"))
        inf.CASHFLOW_KIKAN1 = integer("CASHFLOW_KIKAN1");
    if (has("CASHFLOW_KIKAN2"))
        inf.CASHFLOW_KIKAN2 = integer("CASHFLOW_KIKAN2");
    inf.CASHFLOWSW = integer("CASHFLOWSW");
    inf.SDAI_HASUU1 = integer("SDAI_HASUU1");
    inf.SDAI_HASUU2 = integer("SDAI_HASUU2");
    if (has("SDAI_HASUU3"))
        inf.SDAI_HASUU3 = integer("SDAI_HASUU3");
    inf.CONVERT = integer("CONVERT");
    inf.SHOUHYOU = integer("SHOUHYOU");
    inf.SITEN = integer("SITEN");
    inf.BUMON = integer("BUMON");
    inf.DATALOCK = integer("DATALOCK");
    inf.GENKA_USE = integer("GENKA_USE");
    for (int i = 0; i < 5; ++i)
        inf.GENKA_HWORD[i] = q.fieldByName(numbered("GENKA_HWORD", i + 1)).asString();
    if (has("GENKA_HWORD6"))
        inf.GENKA_HWORD6 = text("GENKA_HWORD6");
    inf.PASWORD = text("PASWORD");
    if (has("WEB_HOLDER"))
        inf.WEB_HOLDER = text("WEB_HOLDER");
    if (has("CLOUD_LINE")) {
        inf.CLOUD_LINE = integer("CLOUD_LINE");
        inf.CLOUD_TIME = field("CLOUD_TIME").asDateTime();
    }
    if (has("READ_ONLY"))
        inf.READ_ONLY = integer("READ_ONLY");
    inf.FUMEI_KCODE = text("FUMEI_KCODE");

    // Step 4: the tax defaults of the current year and of the carried-forward years.
    inf.TaxDefCurrent = inf.TAXDEFUH;
    inf.TaxDefCarry1 = has("KURIKOSI1") ? integer("KURIKOSI1") : inf.TAXDEFUH;
    inf.TaxDefCarry2 = has("KURIKOSI2") ? integer("KURIKOSI2") : inf.TAXDEFUH;
}

// Step 8: the system accounts by their ACCDEF2 names.
void readSystemAccounts(TDM& dm, TACCINF& inf) {
    auto slot = [&](int index, const QString& name) {
        dm.SetSystemCode(name, inf.SysKCode[size_t(index)], inf.SysUserCode[size_t(index)]);
    };
    slot(skGenkin, QStringLiteral("現金"));
    slot(skKaribaraiZei, QStringLiteral("仮払消費税"));
    slot(skKariukeZei, QStringLiteral("仮受消費税"));
    slot(skKurikosiRieki, QStringLiteral("繰越利益剰余金"));
    slot(skShokuchi, QStringLiteral("諸口"));
    if (inf.DATATYPE == 1) {
        const QString bills[] = {QStringLiteral("受取手形"), QStringLiteral("割引手形"), QStringLiteral("裏書手形")};
        for (size_t i = 0; i < 3; ++i)
            dm.SetSystemCode(bills[i], inf.BillKCode[i], inf.BillUserCode[i]);
    }
    if (inf.DATATYPE == 2) {
        slot(skJigyounushiKasi, QStringLiteral("事業主貸"));
        slot(skJigyounushiKari, QStringLiteral("事業主借"));
        slot(skMotoirekin, QStringLiteral("元入金"));
    }
    if (inf.MedicalData) {
        slot(skKyuryo, QStringLiteral("給料"));
        slot(skShoyo, QStringLiteral("賞与"));
        slot(skShoyoHikiate, QStringLiteral("賞与引当金繰入額"));
        slot(skTaishokuKyufu, QStringLiteral("退職給付費用"));
        slot(skKurikosiRieki, QStringLiteral("前期繰越利益"));
    }
}

// Step 10: the dates of the fiscal year and of the two years before.
void computeYears(TACCINF& inf) {
    inf.YearStart = inf.KISHU;
    inf.YearEnd = inf.KIMATU;
    inf.InputStart = inf.KAISI;
    inf.PrevYearStart = inf.zKISHU.isValid() ? inf.zKISHU : IncMonthClamp(-12, inf.KISHU);
    inf.PrevYearEnd = AddDays(-1, inf.KISHU);
    inf.PrevInputStart = inf.PrevYearStart;
    inf.PrevPrevYearStart = inf.zzKISHU.isValid() ? inf.zzKISHU : IncMonthClamp(-12, inf.PrevYearStart);
    inf.PrevPrevYearEnd = AddDays(-1, inf.PrevYearStart);
    inf.PrevPrevInputStart = inf.PrevPrevYearStart;
}

// Step 11: the company's settings rows (a missing row is inserted with its default).
void readAccRegSettings(TACCINF& inf) {
    inf.KakoMeisai = accRegInt(kKihon, QStringLiteral("過去明細取り込み"));
    try {
        inf.GassanKbn = quint8(accRegInt(kKihon, QStringLiteral("合算データ区分")));
    } catch (const std::exception&) {
        inf.GassanKbn = 0;
    }
    inf.GassanCount = accRegInt(kKihon, QStringLiteral("合算データ数"));
    accRegInt(kKihon, QStringLiteral("一括税抜処理")); // read so that the row exists; not kept
    inf.KamokuDigits = quint8(accRegInt(kKihon, QStringLiteral("科目コード桁数")));
    inf.HojoDigits = quint8(accRegInt(kKihon, QStringLiteral("補助コード桁数")));
    inf.BumonDigits = quint8(accRegInt(kKihon, QStringLiteral("部門コード桁数")));
    const QString depreciation = QStringLiteral("減価償却設定");
    accRegInt(depreciation, QStringLiteral("250%定率法で償却する経過措置"));
    accRegInt(depreciation, QStringLiteral("200%定率法で償却する経過措置"));
    inf.PrintPeriodUse = accRegInt(kKihon, QStringLiteral("印刷用期間使用区分"));
    inf.PrintPeriodFrom = accRegDate(QStringLiteral("印刷用期間（期首）"));
    inf.PrintPeriodTo = accRegDate(QStringLiteral("印刷用期間（期末）"));
    inf.KobetuGenkaUse = accRegInt(kKihon, QStringLiteral("個別原価使用区分"));
    inf.KobetuGenkaName = accRegText(QStringLiteral("個別原価別名"), QStringLiteral("個別原価"));
    inf.KobetuGenkaDigits = quint8(accRegInt(kKihon, QStringLiteral("個別原価コード桁数")));
    inf.CloudKbn = accRegInt(QStringLiteral("通信設定"), QStringLiteral("クラウド区分"));
}

qint32 countDepartments(TDM& dm) {
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() << QStringLiteral("SELECT COUNT(BCODE) AS RECCNT FROM BUMONMST") << QStringLiteral("WHERE BCODE<>''");
    q.execQuery();
    const qint32 count = q.fieldByName(QStringLiteral("RECCNT")).asInteger();
    q.close();
    return count;
}

// Step 13: the newest ACCVERSION row.
void readDataVersion(TDM& dm, TACCINF& inf) {
    TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
    q.sql() << QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION")
            << QStringLiteral("ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
    q.execQuery();
    if (!q.eof()) {
        inf.DataMajor = q.fieldByName(QStringLiteral("MAJOR")).asInteger();
        inf.DataMinor1 = q.fieldByName(QStringLiteral("MINOR1")).asInteger();
        inf.DataMinor2 = q.fieldByName(QStringLiteral("MINOR2")).asInteger();
    }
    q.close();
    inf.DataVersion = QStringLiteral("%1.%2.%3").arg(inf.DataMajor).arg(inf.DataMinor1).arg(inf.DataMinor2);
}

// The scrambler writes only characters of its alphabet; a stored value with any other
// character was not written by it and does not decode.
bool decodable(const QString& coded) {
    const QLatin1String alphabet(kEasyEncodeAlphabet);
    for (QChar c : coded)
        if (!alphabet.contains(c))
            return false;
    return true;
}

// Step 15: the plain password of schema 6 and older; from schema 7 on the scrambled one.
QString readDataPassword(qint32 dataMajor) {
    QString password = TrimZenkaku(accRegText(QStringLiteral("データパスワード"), QString()));
    if (dataMajor <= 6)
        return password;
    TEasyEncodeInfo info;
    info.key = QString::fromLatin1(kDataPasswordKey);
    InitEasyEncodeInfo(info);
    info.targetLength = kDataPasswordLength;
    info.textLength = kDataPasswordLength;
    info.codedText = TrimZenkaku(accRegText(QStringLiteral("データパスワードV2"), QString()));
    if (!decodable(info.codedText) || !EasyDecode(info))
        return QString();
    return info.plainText;
}

// Steps 1-19 into inf; throws on any failure.
void loadAccInfo(TDM& dm, TACCINF& inf) {
    if (!dm.IBTransactionDAT.inTransaction())
        dm.IBTransactionDAT.startTransaction();
    {
        TIBSQL q(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
        q.sql() << QStringLiteral("SELECT * FROM ACCDEF1");
        q.execQuery();
        if (q.eof())
            throw Exception(QStringLiteral("基本設定(ACCDEF1)のレコードが見つかりませんでした。"));
        copyAccDef1(q, inf);
        q.close();
    }
    inf.TotalName5880 = dm.fnGetAccTotalName(QStringLiteral("5880"), QStringLiteral("PLUSNAME"));
    inf.TotalName5580 = dm.fnGetAccTotalName(QStringLiteral("5580"), QStringLiteral("PLUSNAME"));
    inf.TotalName5680 = dm.fnGetAccTotalName(QStringLiteral("5680"), QStringLiteral("PLUSNAME"));
    inf.TotalName5780 = dm.fnGetAccTotalName(QStringLiteral("5780"), QStringLiteral("PLUSNAME"));
    inf.TotalName5688 = dm.fnGetAccTotalName(QStringLiteral("5688"), QStringLiteral("PLUSNAME"));
    inf.TotalName5790 = dm.fnGetAccTotalName(QStringLiteral("5790"), QStringLiteral("PLUSNAME"));
    // The record's own types; IsMedicalData switches the statements' layout, which waits for
    // the publication.
    inf.MedicalData = inf.DATATYPE == 3 && inf.CODETYPE == 1;

    inf.StartPeriodIndex = MonthToPeriodIndex(inf.KAISINO);
    inf.EndPeriodNo = DateToPeriodNo(inf.SIME, 0, inf.KISHU, inf.KIMATU, inf.KIMATU);
    inf.StartMonthCount = GetMonthCount(inf.SIME, inf.KISHU, inf.KAISI);
    inf.YearMonthCount = GetMonthCount(inf.SIME, inf.KISHU, inf.KIMATU);

    readSystemAccounts(dm, inf);
    inf.FumeiUserCode = dm.GetUserCode(inf.FUMEI_KCODE);
    inf.TusinHolder[0] = inf.WEB_HOLDER;
    inf.TusinPassword[0] = inf.PASWORD;
    dm.GetTusinId(1, 1, inf); // into the record being loaded, not AccInf
    computeYears(inf);
    readAccRegSettings(inf);
    inf.BumonCount = inf.BUMON != 0 ? countDepartments(dm) : 0;
    readDataVersion(dm, inf);
    dm.IBTransactionDAT.commit();

    inf.DataPassword = readDataPassword(inf.DataMajor);
    inf.SitenSwitch = inf.SITEN == 0 ? 1 : SystemDef.Reserve4Switch4;
    inf.TaxRateUse[0] = accRegFlag(QStringLiteral("使用税率3%"), QStringLiteral("FALSE"));
    inf.TaxRateUse[1] = accRegFlag(QStringLiteral("使用税率5%"), QStringLiteral("FALSE"));
    inf.TaxRateUse[2] = accRegFlag(QStringLiteral("使用税率8%"), QStringLiteral("TRUE"));
    inf.TaxRateUse[3] = 1;
    inf.TaxRateUse[4] = 1;
    inf.Quarter1End = GetSimeDate(2, inf.SIME, inf.KISHU);
    inf.Quarter2End = GetSimeDate(5, inf.SIME, inf.KISHU);
    inf.Quarter3End = GetSimeDate(8, inf.SIME, inf.KISHU);
    inf.YearEnd2 = inf.KIMATU;
    const QDate fix = inf.KANSA_FIXDATE;
    const bool fixAtClosing =
        fix == inf.Quarter1End || fix == inf.Quarter2End || fix == inf.Quarter3End || fix == inf.KIMATU;
    inf.KansaIncludeClosing =
        accRegFlag(QStringLiteral("監査処理＿決算仕訳含む"), fixAtClosing ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
}

} // namespace

bool TDM::fnGetAccInfo() {
    const QString message = QStringLiteral("基本情報の取得に失敗しました。\r");
    TACCINF inf;
    inf.UseMyNumber = AccInf.UseMyNumber; // not part of this load
    try {
        loadAccInfo(*this, inf);
    } catch (const std::exception& e) {
        if (const auto* db = dynamic_cast<const EIBError*>(&e))
            ReportFbAccessError(*db, QStringLiteral("TDM.fnGetAccInfo"), message, 0);
        else
            ShowMessageWithDetail(message, exceptionText(e), MessageKind::Error);
        try {
            if (IBTransactionDAT.inTransaction())
                IBTransactionDAT.commit();
        } catch (const std::exception&) {
        }
        return false;
    }

    // Publication: everything that follows the record reads the published AccInf.
    AccInf = std::move(inf);
    ReadOnlyData = IsReadOnlyData();
    AccInf.MedicalData = IsMedicalGeneralData(); // selects the statements' row layout
    LoadZeiRituTable();
    return true;
}

} // namespace core
