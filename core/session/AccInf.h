#pragma once
// The settings of the open company data set, filled by TDM::fnGetAccInfo from the company
// table ACCDEF1 (its only row) and the company settings store ACCREG. Dates that are not set
// are null QDates (the zero date).

#include "core/Currency.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <array>

namespace core {

// Slots of SysKCode/SysUserCode, by ACCDEF2.KNAME.
enum SysKamokuSlot {
    skGenkin = 0,          // 現金
    skKaribaraiZei = 1,    // 仮払消費税
    skKariukeZei = 2,      // 仮受消費税
    skShokuchi = 3,        // 諸口
    skKurikosiRieki = 4,   // 繰越利益剰余金 (medical data: 前期繰越利益)
    skJigyounushiKasi = 5, // 事業主貸 (個人 data only)
    skJigyounushiKari = 6, // 事業主借 (個人 data only)
    skMotoirekin = 7,      // 元入金 (個人 data only)
    skKyuryo = 8,          // 給料 (medical data only)
    skShoyo = 9,           // 賞与 (medical data only)
    skShoyoHikiate = 10,   // 賞与引当金繰入額 (medical data only)
    skTaishokuKyufu = 11,  // 退職給付費用 (medical data only)
};

struct TACCINF {
    qint32 GROUPID = 0;
    QString ENTTEXT;
    QString SERIAL;
    qint32 TANTOU = 0;
    qint32 GYOUSHU = 0;
    qint32 DATATYPE = 0; // 1 法人, 2 個人, 3 医療法人
    QString DataTypeName;
    qint32 CODETYPE = 0;
    QString CodeTypeName;
    qint32 BumonCount = 0;
    QString SCODE1;
    QString SCODE2;
    QString SKANA;
    QString SHOUGOU;
    QString POST;
    QString ADD1;
    QString ADD2;
    QString TEL;
    QString AO_ADD1;
    QString AO_ADD2;
    QString AO_KANA;
    QString AO_SIMEI;
    QString AO_GYOUSHU;
    QString AO_YAGO;
    QString AO_KANYU;
    QString AO_TEL;
    QString AO_SHOKUGYO1;
    QString AO_SHOKUGYO2;
    QString MAIL;
    QDate zzKISHU; // as stored; null when unknown
    QDate zKISHU;
    qint32 NENDO = 0;
    QDate KISHU;
    QDate KIMATU;
    QDate KAISI;
    qint32 SIME = 0;    // closing day 1-28, 99 month end
    qint32 KAISINO = 0; // number of the starting month
    qint32 StartPeriodIndex = 0;
    qint32 EndPeriodNo = 0;
    qint32 StartMonthCount = 0;
    qint32 YearMonthCount = 0;
    qint32 GENGOU_FLG = 0;
    qint32 GENGOU_HOSEI = 0;
    QString GENGOU_NAME;
    std::array<QString, 3> YAKUMEI;
    std::array<Currency, 5> OLD_TAX_RATE;
    std::array<Currency, 5> NEW_TAX_RATE;
    std::array<QDate, 5> CHG_DAYS;
    QDate KANSA_FIXDATE;
    quint8 KansaIncludeClosing = 0;
    QDate KANSA_DATE;
    qint32 CALCU = 0;
    qint32 TAXU_HASUU = 0;
    qint32 TAXH_HASUU = 0;
    qint32 TAXDEFUH = 0;
    qint32 TAXKANNI = 0;
    qint32 TAXJIGYOU = 0;
    qint32 GENKAPRINT = 0;
    qint32 KANSA_LOCK = 0;
    qint32 TEGATADICSW = 0;
    qint32 KESSAN_KIKAN = 0;
    qint32 CASHFLOW_KIKAN1 = 0;
    qint32 CASHFLOW_KIKAN2 = 0;
    qint32 CASHFLOWSW = 0;
    qint32 SDAI_HASUU1 = 0;
    qint32 SDAI_HASUU2 = 0;
    qint32 SDAI_HASUU3 = 0;
    qint32 CONVERT = 0;
    qint32 SHOUHYOU = 0;
    qint32 SITEN = 0;
    qint32 BUMON = 0;
    qint32 DATALOCK = 0;
    qint32 GENKA_USE = 0;
    std::array<QString, 5> GENKA_HWORD; // GENKA_HWORD1-5
    QString TotalName5880;
    QString TotalName5580;
    QString TotalName5680;
    QString TotalName5780;
    QString TotalName5790;
    QString PASWORD;    // communication password
    QString WEB_HOLDER; // communication ID
    std::array<QString, 6> TusinPassword;
    std::array<QString, 6> TusinHolder;
    std::array<QString, 12> SysKCode;    // by SysKamokuSlot
    std::array<QString, 12> SysUserCode; // by SysKamokuSlot
    QString FUMEI_KCODE;
    QString FumeiUserCode;
    quint8 MedicalData = 0;
    QDate YearStart;
    QDate PrevYearStart;
    QDate PrevPrevYearStart;
    QDate YearEnd;
    QDate PrevYearEnd;
    QDate PrevPrevYearEnd;
    QDate InputStart;
    QDate PrevInputStart;
    QDate PrevPrevInputStart;
    qint32 KakoMeisai = 0;
    quint8 GassanKbn = 0;
    qint32 GassanCount = 0;
    quint8 KamokuDigits = 0;
    quint8 HojoDigits = 0;
    quint8 BumonDigits = 0;
    QString DataPassword; // plain text
    qint32 PrintPeriodUse = 0;
    QDate PrintPeriodFrom;
    QDate PrintPeriodTo;
    std::array<QString, 3> BillKCode;    // 受取手形, 割引手形, 裏書手形 (法人 data only)
    std::array<QString, 3> BillUserCode;
    qint32 TaxDefCurrent = 0;
    qint32 TaxDefCarry1 = 0;
    qint32 TaxDefCarry2 = 0;
    QString GENKA_HWORD6;
    QString TotalName5688;
    qint32 DataMajor = 0;
    qint32 DataMinor1 = 0;
    qint32 DataMinor2 = 0;
    qint32 KobetuGenkaUse = 0;
    QString KobetuGenkaName;
    quint8 KobetuGenkaDigits = 0;
    qint32 CloudKbn = 0;
    qint32 SitenSwitch = 0;
    qint32 CLOUD_LINE = 0;
    QDateTime CLOUD_TIME;
    std::array<quint8, 5> TaxRateUse{};
    qint32 READ_ONLY = 0;
    QDate Quarter1End;
    QDate Quarter2End;
    QDate Quarter3End;
    QDate YearEnd2;

    // Values the communication reads of the open data set.
    qint32 UseMyNumber = 0;
    QString DataVersion; // "%d.%d.%d" of DataMajor, DataMinor1, DataMinor2
};

} // namespace core
