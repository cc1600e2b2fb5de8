#pragma once
// Record types shared by the journal writer, the cash-book exchange and the processing log.

#include "core/Currency.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace core {

// One side (debit or credit) of a journal entry.
struct TSwkBalance {
    QString KGROUP;       // account group (the account's GROUPM1)
    QString KCODE;        // the account's user code (USERCODE), not its internal code
    QString HCODE = QStringLiteral(" "); // sub-account; " " for none
    QString BCODE = QStringLiteral(" "); // department; " " for none
    QString KNAME;
    QString HNAME;
    QString BNAME;
    qint32 TAXCODE = 0;
    qint32 TAXUH = 0;
    qint32 TAXDC = 0;
    Currency NUK;         // amount without tax
    Currency ZEI;         // tax
    Currency RIT;         // tax rate
    qint32 SIKIN = 0;     // funds-flow item code
    qint32 RateCode = 0;  // rate code of the side; not stored, copied from OLDRATE
};

// One journal entry (仕訳) as the writer takes it; the fields carry the SIWAKE column names.
struct TSWKREC {
    QString PcName;       // computer name; never sent to the database
    qint32 REC = 0;       // row key of the debit row; 0 for an entry not yet stored
    qint32 SITREC = 0;
    qint32 SWKREC = 0;
    qint32 SWKNO = 0;
    qint32 DELFLG = 0;    // 0 live, 1 deleted, 2 replaced by a correction
    qint32 TAISHAKU = 1;  // 1 debit row, 2 credit row
    QDateTime HIZUKE;
    qint32 MNUM = 0;      // period 1..16
    qint32 KESSAN = 0;    // 1 a settlement entry
    qint32 SDAYNUM = 0;
    qint32 MDAYNUM = 0;
    qint32 DNUM = 0;
    qint32 SNUM = 0;      // individual-cost number, 0 none
    QString SCODE;        // facility code
    TSwkBalance Debit;    // 借方
    TSwkBalance Credit;   // 貸方
    Currency KINGAKU;
    Currency ZEIGAKU;
    qint32 ZEIRITUNO = 0;
    qint32 AUTCALCU = 0;
    qint32 TAXCALCU = 0;
    qint32 OLDRATE = 0;
    qint32 TEKCODE = 0;
    QString TEKTEXT;      // up to 50 bytes
    qint32 TORCODE = 0;
    QString TORTEXT;      // up to 20 bytes
    qint32 FUSEN1 = 0;
    qint32 FUSEN2 = 0;
    qint32 FUSEN3 = 0;
    qint32 FUSEN4 = 0;
    qint32 FUSEN5 = 0;
    QDateTime CTIME;      // after the zero date: audited
    QString COMMENT;
    QString AO_COMMENT;
    QString LINKKEY;
    qint32 LINKKUB = 0;
    qint32 LINKREC = 0;
    qint32 LOCALFLG = 0;
    qint32 RESERVE1 = 0;
    qint32 RESERVE2 = 0;
    QDateTime RTIME;
    qint32 OPCODE = 0;
    QDateTime SHONIN_HIZUKE; // after the zero date: approved
    qint32 SHONIN_OPCODE = 0;
    QString SHONIN_NAME;
};

// Account, sub-account and department rows of a facility's account array.
struct TKMKREC {
    QString KCODE;    // internal code
    QString USERCODE;
    qint32 REC = 0;
    QString GROUPM1;
    QString GROUPM2;
    QString GROUPR1;  // alternative groups (medical layout 2)
    QString GROUPR2;
    QString KKANA;
    QString KNAME;
    qint32 USE = 0;
    qint32 BLDAC = 0;
    qint32 DAC = 0;
    qint32 DELFLG = 0;
    qint32 TAX_LCODE = 0;
    qint32 TAX_RCODE = 0;
    qint32 TAX_NUM = 0;
    qint32 FUN_LCODE = 0;
    qint32 FUN_RCODE = 0;
    QString HOJOSW;
    QString BPFLG;
    QString KEIHKUBU;
    qint32 EXT1_KS = 0;
    qint32 EXT1_A4 = 0;
    qint32 EXT1_A3 = 0;
    qint32 USEDEF = 0;
    qint32 ZEIRITUKBN = 0;
};

struct THOJREC {
    QString KCODE;    // internal account code
    QString HCODE;
    QString HNAME;
    qint32 REC = 0;
    qint32 H_TAX_LCODE = 0;
    qint32 H_TAX_RCODE = 0;
    qint32 ZEIRITUKBN = 0;
};

struct TBUMREC {
    QString BCODE;
    QString BNAME;
};

struct TKamokuRec {
    TKMKREC Kamoku;
    THOJREC Hojo;
    TBUMREC Bumon;
    bool HasHojo = false;  // set on the first row of an account
    bool HasBumon = false; // set on the first row of an account
};

struct TKamokuCodeRec {
    QString KCODE;
    QString USERCODE;
    QString HCODE;
    QString BCODE;
};

// One row of a processing log.
struct TTessaroSyoriInfo {
    QString Name;     // the processing unit; only the owner's current record carries it
    quint8 Kind = 0;  // 0 none, 1 情報, 2 警告, 3 エラー
    qint32 Code = 0;  // 1 success, other positive codes warnings, negative codes errors
    QString Text;
};
using TTessaroSyoriLog = QList<TTessaroSyoriInfo>;

} // namespace core
