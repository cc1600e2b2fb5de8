#include "cloudexchange/CashBookImport.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/version/Version.h"

#include <QFileInfo>

namespace cloudexchange {

TCashBookImport::TCashBookImport() : TSyoriLogOwner(QStringLiteral("CashBookLoader")) {
    core::TDM& dm = *core::DM;
    ReceiveIBDatabase.setSQLDialect(3);
    ReceiveIBDatabase.setLoginPrompt(false);
    ReceiveIBTransaction.setDefaultDatabase(&ReceiveIBDatabase);
    ReceiveIBTransaction.addDatabase(&dm.IBDatabaseDAT); // one transaction over both databases
    ReceiveIBTransaction.params() = {QStringLiteral("read_committed"), QStringLiteral("rec_version"), QStringLiteral("nowait")};
    ReceiveIBSQL1.setDatabase(&ReceiveIBDatabase);
    ReceiveIBSQL2.setDatabase(&ReceiveIBDatabase);
    ReceiveIBSQL1.setTransaction(&ReceiveIBTransaction);
    ReceiveIBSQL2.setTransaction(&ReceiveIBTransaction);
    IBSQL1.setDatabase(&dm.IBDatabaseDAT);
    IBSQL2.setDatabase(&dm.IBDatabaseDAT);
    IBSQL1.setTransaction(&dm.IBTransactionDAT);
    IBSQL2.setTransaction(&dm.IBTransactionDAT);
    SitenList = std::make_unique<companydata::TSitenList>();
    JisyoLoader = std::make_unique<TJisyoLoader>();
    SiwakeWrite = std::make_unique<TSiwakeWrite>(&dm.IBDatabaseDAT);
    SiwakeWrite->SetTransaction(IBSQL1.transaction());
}

TCashBookImport::~TCashBookImport() {
    try {
        ReceiveIBDatabase.close();
    } catch (const std::exception&) {
    }
    ReceiveIBTransaction.removeDatabase(&core::DM->IBDatabaseDAT);
}

void TCashBookImport::SetReceiveDataFile(const QString& path) {
    ReceiveDataFile = path;
    if (!QFileInfo(path).isFile())
        return;
    ReceiveIBDatabase.setDatabaseName(path);
    ReceiveIBDatabase.params() = {QStringLiteral("user_name=") + core::SystemDef.USER,
                                  QStringLiteral("password=") + core::SystemDef.PASSWORD,
                                  QStringLiteral("lc_ctype=SJIS_0208")};
}

void TCashBookImport::step(const QString& caption) {
    if (ShowStep)
        ShowStep(caption);
}

void TCashBookImport::progress(int delta) {
    progress_ += delta;
    if (SetProgress)
        SetProgress(progress_);
}

QString TCashBookImport::cashAccount() const { return core::AccInf.SysKCode[core::skGenkin]; }

QString TCashBookImport::versionText() const {
    return QStringLiteral("%1.%2.%3").arg(RecvMajor).arg(RecvMinor1).arg(RecvMinor2);
}

bool TCashBookImport::hasErrorRow() const {
    for (const core::TTessaroSyoriInfo& row : SyoriLog)
        if (row.Kind == skError)
            return true;
    return false;
}

// A step's database error: its row (message and cause), then the error goes on to the run.
void TCashBookImport::failStep(const QString& message, const std::exception& e) {
    AddSyoriLog(skError, -100, message + QStringLiteral("原因: %1").arg(core::exceptionText(e)));
    throw;
}

void TCashBookImport::RunImport() {
    core::TDM& dm = *core::DM;
    const QString host = core::SystemDef.HOSTNAME;
    const QString folder = core::SystemDef.DataFolder;
    bool proceed = true;
    bool inUse = false;
    try {
        inUse = dm.AccDatInConnection(core::kCompanyDatabase, host, 0, folder);
    } catch (const std::exception&) {
        inUse = true;
    }
    if (inUse) {
        AddSyoriLog(skError, -100,
                    QStringLiteral("現在、他のユーザーがデータを使用中です。他のユーザーがデータを使用している間は現金出納帳の取り込みは行えません。"));
        proceed = false;
    }
    if (proceed) {
        try {
            ReceiveIBDatabase.open();
            if (!dm.IBDatabaseDAT.connected() && !dm.fnAccDatConnected(host, folder, 0))
                throw core::Exception(QStringLiteral("company database not connected"));
        } catch (const std::exception&) {
            AddSyoriLog(skError, -100, QStringLiteral("会計データの接続に失敗しました。"));
            proceed = false;
        }
    }
    if (proceed)
        ImportReceiveData();
    try {
        if (ReceiveIBDatabase.connected() && !proceed)
            ReceiveIBDatabase.close();
    } catch (const std::exception&) {
    }
    if (!dm.IBDatabaseDAT.connected()) {
        try {
            dm.fnAccDatConnected(host, folder, 0);
        } catch (const std::exception&) {
        }
    }
    if (SyoriResult > 0 && dm.IBDatabaseDAT.connected()) {
        dm.fnGetAccInfo();
        if (core::HostStatusHook) {
            core::HostStatusHook(0, core::AccInf.SHOUGOU, core::AccInf.SITEN == 1,
                                 core::AccInf.KISHU.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral(" ～ ") +
                                     core::AccInf.KIMATU.toString(QStringLiteral("yyyy/MM/dd")));
            QString facilityName;
            dm.GetOpeDefSisetu(facilityName);
            core::HostStatusHook(1, facilityName, core::AccInf.SITEN == 1, QString());
        }
        if (core::HostRefreshHook) {
            core::HostRefreshHook(0, 0);
            core::HostRefreshHook(1, 0);
        }
    }
}

void TCashBookImport::initRun() {
    InitSyori();
    step(QStringLiteral("準備中です…"));
    progress_ = 0;
    progress(0);
}

void TCashBookImport::setTransactions() {
    IBSQL1.setTransaction(&ReceiveIBTransaction);
    IBSQL2.setTransaction(&ReceiveIBTransaction);
    IBSQL1.setDatabase(&core::DM->IBDatabaseDAT);
    IBSQL2.setDatabase(&core::DM->IBDatabaseDAT);
    SiwakeWrite->SetTransaction(&ReceiveIBTransaction);
}

void TCashBookImport::endTransaction(bool commit) {
    if (!TransactionWasActive && ReceiveIBTransaction.inTransaction()) {
        if (commit) {
            step(QStringLiteral("データ確定中です…"));
            ReceiveIBTransaction.commit();
        } else {
            step(QStringLiteral("データ廃棄中です…"));
            ReceiveIBTransaction.rollback();
        }
    }
    progress(1);
}

void TCashBookImport::makeSyoriResultInfo() {
    if (SyoriResult < 0) {
        AddSyoriLog(skError, -100, QStringLiteral("取り込み処理を中止しました。"));
        return;
    }
    QString text = QStringLiteral("取り込み処理が成功しました。");
    for (const core::TTessaroSyoriInfo& row : SyoriLog) {
        if (row.Code == 101) {
            text += QStringLiteral(" （次回の送信時は、マスター送信を行って下さい。）");
            break;
        }
    }
    AddSyoriLog(skInfo, 1, text);
}

void TCashBookImport::ImportReceiveData() {
    initRun();
    if (ReceiveKind == 0 && MergeMode == 0)
        return;
    try {
        setTransactions();
        TransactionWasActive = ReceiveIBTransaction.inTransaction();
        if (!TransactionWasActive)
            ReceiveIBTransaction.startTransaction();
        SitenList->SetTransaction(&ReceiveIBTransaction);
        SitenList->Options = companydata::soFacilities;
        SitenList->Execute(-1);
        progress(1);
        CheckDataVersion();
        progress(1);
        bool stopped = false;
        if (MergeMode == 0) {
            if (SyoriResult >= 0) {
                step(QStringLiteral("現金仕訳の整合中です…"));
                PrepareGenkinSiwake();
                progress(1);
            }
            if (SyoriResult >= 0) {
                step(QStringLiteral("摘要／取引先辞書の移行中です…"));
                MoveJisyo();
                progress(1);
            }
            if (SyoriResult >= 0) {
                step(QStringLiteral("データリスト名称の移行中です…"));
                UpdateDataListName();
                progress(1);
            }
        } else {
            if (SyoriResult >= 0) {
                step(QStringLiteral("科目体系の整合チェック中です…"));
                if (!CheckKamokuTaikei()) {
                    endTransaction(false);
                    stopped = true;
                }
            }
            if (!stopped && SyoriResult >= 0) {
                step(QStringLiteral("補助科目の移行中です…"));
                ImportHojo();
                progress(1);
            }
            if (!stopped && SyoriResult >= 0) {
                step(QStringLiteral("開始残高の移行中です…"));
                ImportKaisiZan();
                progress(1);
            }
            if (!stopped && SyoriResult >= 0) {
                step(QStringLiteral("現金仕訳の移行中です…"));
                ImportGenkinSiwake();
                progress(1);
            }
            if (!stopped && ReceiveKind == 0 && SyoriResult >= 0) {
                step(QStringLiteral("現金残高の比較中です…"));
                CompareGenkinZan();
            }
        }
        if (!stopped) {
            if (SyoriResult >= 0) {
                step(QStringLiteral("データ整合中です…"));
                CleanUpReceiveData();
                progress(1);
                endTransaction(true);
            } else {
                endTransaction(false);
            }
            makeSyoriResultInfo();
        }
    } catch (const std::exception& e) {
        try {
            endTransaction(false);
        } catch (const std::exception&) {
        }
        // Whatever no step logged (a failed commit, the version read, the facility list …)
        // must still reach the log, or the caller would take a rolled-back run for done.
        if (!hasErrorRow())
            AddSyoriLog(skError, -100,
                        QStringLiteral("取り込み処理を中止しました。") + QStringLiteral("原因: %1").arg(core::exceptionText(e)));
    }
    try {
        ReceiveIBDatabase.close();
    } catch (const std::exception&) {
    }
    try {
        core::DM->AccDatDisconnect(QString(), 0, 0);
    } catch (const std::exception&) {
    }
    if (SyoriResult > 0)
        CopyReceiveData();
}

void TCashBookImport::CheckDataVersion() {
    ReceiveIBSQL1.close();
    ReceiveIBSQL1.sql().clear();
    ReceiveIBSQL1.sql() << QStringLiteral("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION")
                        << QStringLiteral("ORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
    ReceiveIBSQL1.execQuery();
    if (!ReceiveIBSQL1.eof()) {
        RecvMajor = ReceiveIBSQL1.fieldByName(QStringLiteral("MAJOR")).asInteger();
        RecvMinor1 = ReceiveIBSQL1.fieldByName(QStringLiteral("MINOR1")).asInteger();
        RecvMinor2 = ReceiveIBSQL1.fieldByName(QStringLiteral("MINOR2")).asInteger();
    }
    ReceiveIBSQL1.close();
    if (MergeMode == 0)
        return;
    const core::TVersionTriple& min = core::ExchangeMinVersion;
    const QString minText = QStringLiteral("%1.%2.%3").arg(min.Major).arg(min.Minor1).arg(min.Minor2);
    if (core::VersionGreaterOrEqual(versionText(), minText))
        return;
    AddSyoriLog(skError, -100,
                QStringLiteral("受信したデータバージョンがVer%1.%2.%3に達していません。").arg(min.Major).arg(min.Minor1).arg(min.Minor2) +
                    (ReceiveKind == 0 ? QStringLiteral("顧問先へ「タレック現金出納帳」のプログラム更新を行うように連絡して下さい。")
                                      : QStringLiteral("送信元へ「タレック財務」のプログラム更新を行うように連絡して下さい。")));
}

} // namespace cloudexchange
