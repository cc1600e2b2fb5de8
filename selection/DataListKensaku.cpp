// Search conditions without a window: the SORTCOL and data-kind translations, the data-kind
// test of a list, and the three routines on KENSAKUJYOKEN.
#include "selection/DataListKensakuBox.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/FbAccessError.h"

#include <array>
#include <exception>

namespace selection {

namespace {

// Grid column of stored SORTCOL 1 … 6.
constexpr std::array<qint32, 6> kSortGridColumn{3, 4, 5, 6, 7, 1};

struct KindItem {
    const char16_t* name;
    TDataKindPair pair;
};
const std::array<KindItem, 7> kKindItems{{{u"選択なし", {0, 0}},
                                          {u"法人", {1, 1}},
                                          {u"個人(一般)", {2, 1}},
                                          {u"個人(不動産)", {2, 2}},
                                          {u"医療法人", {3, 1}},
                                          {u"個人(クリニック)", {2, 3}},
                                          {u"個人(農業)", {2, 4}}}};

const QString kSelectFailed = QStringLiteral("検索条件レコードの参照に失敗しました。");
const QString kUpdateFailed = QStringLiteral("検索条件レコードの更新に失敗しました。");

} // namespace

qint32 SortColFromStored(qint32 stored) {
    return stored >= 1 && stored <= 6 ? kSortGridColumn[size_t(stored - 1)] : 0;
}

qint32 SortColToStored(qint32 gridColumn) {
    for (size_t i = 0; i < kSortGridColumn.size(); ++i) {
        if (kSortGridColumn[i] == gridColumn)
            return qint32(i + 1);
    }
    return 0;
}

QStringList DataKindItems() {
    QStringList items;
    for (const KindItem& item : kKindItems)
        items << QString::fromUtf16(item.name);
    return items;
}

TDataKindPair DataKindPairOfItem(int item) {
    return item >= 0 && item < int(kKindItems.size()) ? kKindItems[size_t(item)].pair : TDataKindPair{};
}

int DataKindItemOfPair(qint32 dataType, qint32 codeType) {
    if (dataType == 1)
        return 1; // 法人 whatever the code type
    if (dataType == 3)
        return 4; // 医療法人 whatever the code type
    if (dataType == 2) {
        for (size_t i = 0; i < kKindItems.size(); ++i) {
            if (kKindItems[i].pair == TDataKindPair{2, codeType})
                return int(i);
        }
    }
    return 0;
}

bool MatchesDataKind(qint32 condType, qint32 condCode, qint32 dataType, qint32 codeType) {
    if (condType > 0 && condCode != 0)
        return condType == dataType && condCode == codeType;
    if (condType > 0)
        return dataType == condType;
    if (condType == -13)
        return dataType == 1 || dataType == 3;
    return true;
}

// ---- the table routines ----------------------------------------------------------------------

namespace {

// Runs one routine on the dialog's transaction: started (and committed) here only when it is
// not active. An error of the error hierarchy rolls back what was started here and, only then,
// is reported under the context; inside a caller's transaction the caller decides.
template <class Body>
bool runOnTransaction(core::TIBTransaction& transaction, const QString& context, const QString& message, Body body) {
    core::TransactionScope scope(transaction);
    try {
        body();
        scope.commit();
        return true;
    } catch (const core::EIBError& error) {
        if (scope.started()) {
            transaction.rollback();
            core::ReportFbAccessError(error, context, message, 0);
        }
    } catch (const std::runtime_error& error) {
        if (scope.started()) {
            transaction.rollback();
            core::ShowMessageWithDetail(message, QString::fromUtf8(error.what()), core::MessageKind::Error);
        }
    }
    return false;
}

void bindConditions(core::TIBSQL& q, const TDataKensakuRec& rec) {
    q.paramByName(QStringLiteral("JYOKENUSE")).setInteger(rec.JYOKENUSE);
    q.paramByName(QStringLiteral("DATATYPE")).setInteger(rec.DATATYPE);
    q.paramByName(QStringLiteral("CODETYPE")).setInteger(rec.CODETYPE);
    q.paramByName(QStringLiteral("DATACODE")).setString(rec.DATACODE);
    q.paramByName(QStringLiteral("DATANAME")).setString(rec.DATANAME);
    q.paramByName(QStringLiteral("TANTO")).setInteger(rec.TANTO);
    q.paramByName(QStringLiteral("DATAVER")).setString(rec.DATAVER);
    q.paramByName(QStringLiteral("SEIHINNAME")).setString(rec.SEIHINNAME);
}

void bindKey(core::TIBSQL& q, const TDataKensakuRec& rec) {
    q.paramByName(QStringLiteral("OPCODE")).setInteger(rec.OPCODE);
    q.paramByName(QStringLiteral("LISTTYPE")).setInteger(rec.LISTTYPE);
}

} // namespace

void TDataListKensakuBox::InitKensakuRec(TDataKensakuRec& rec) const {
    rec = TDataKensakuRec{};
    rec.OPCODE = core::SystemDef.OPCODE;
    rec.LISTTYPE = ListType;
}

core::TIBTransaction& TDataListKensakuBox::transaction() {
    core::TDM& dm = core::RequireDM();
    if (transaction_.databaseCount() == 0) {
        transaction_.params() = {QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                 QStringLiteral("nowait")};
        transaction_.setDefaultDatabase(&dm.IBDatabaseDEF);
    }
    return transaction_;
}

bool TDataListKensakuBox::SelectRecord(TDataKensakuRec& rec) {
    InitKensakuRec(rec);
    core::TIBTransaction& t = transaction();
    core::TIBDatabase* db = t.defaultDatabase();
    return runOnTransaction(t, QStringLiteral("TDataListKensakuBox.SelectRecord"), kSelectFailed, [&] {
        core::TIBSQL select(db, &t);
        select.sql() << QStringLiteral(
                            "SELECT JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,SORTCOL,SORTTYPE FROM KENSAKUJYOKEN")
                     << QStringLiteral("WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        bindKey(select, rec);
        bool found = false;
        for (select.execQuery(); !select.eof(); select.next()) {
            found = true;
            auto field = [&](const char* name) -> core::IBSQLField& { return select.fieldByName(QString::fromLatin1(name)); };
            rec.JYOKENUSE = field("JYOKENUSE").asInteger();
            rec.DATATYPE = field("DATATYPE").asInteger();
            rec.CODETYPE = field("CODETYPE").asInteger();
            rec.DATACODE = field("DATACODE").asString();
            rec.DATANAME = field("DATANAME").asString();
            rec.TANTO = field("TANTO").asInteger();
            rec.DATAVER = field("DATAVER").asString();
            rec.SEIHINNAME = field("SEIHINNAME").asString();
            rec.SORTCOL = SortColFromStored(field("SORTCOL").asInteger());
            rec.SORTTYPE = field("SORTTYPE").asInteger();
        }
        select.close();
        if (found)
            return;
        core::TIBSQL insert(db, &t);
        insert.sql() << QStringLiteral(
                            "INSERT INTO KENSAKUJYOKEN(OPCODE,LISTTYPE,JYOKENUSE,DATATYPE,CODETYPE,DATACODE,DATANAME,TANTO,DATAVER,SEIHINNAME,SORTCOL,SORTTYPE)")
                     << QStringLiteral(
                            "VALUES(:OPCODE,:LISTTYPE,:JYOKENUSE,:DATATYPE,:CODETYPE,:DATACODE,:DATANAME,:TANTO,:DATAVER,:SEIHINNAME,:SORTCOL,:SORTTYPE)");
        bindKey(insert, rec);
        bindConditions(insert, rec);
        insert.paramByName(QStringLiteral("SORTCOL")).setInteger(rec.SORTCOL);
        insert.paramByName(QStringLiteral("SORTTYPE")).setInteger(rec.SORTTYPE);
        insert.execSQL();
    });
}

int TDataListKensakuBox::UpdateRecord(const TDataKensakuRec& rec) {
    core::TIBTransaction& t = transaction();
    core::TIBDatabase* db = t.defaultDatabase();
    return runOnTransaction(t, QStringLiteral("TDataListKensakuBox.UpdateRecord"), kUpdateFailed, [&] {
        core::TIBSQL update(db, &t);
        update.sql() << QStringLiteral("UPDATE KENSAKUJYOKEN")
                     << QStringLiteral(
                            "SET JYOKENUSE=:JYOKENUSE,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,DATACODE=:DATACODE,DATANAME=:DATANAME,TANTO=:TANTO,")
                     << QStringLiteral("DATAVER=:DATAVER,SEIHINNAME=:SEIHINNAME,SORTCOL=:SORTCOL,SORTTYPE=:SORTTYPE")
                     << QStringLiteral("WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        bindConditions(update, rec);
        update.paramByName(QStringLiteral("SORTCOL")).setInteger(SortColToStored(rec.SORTCOL));
        update.paramByName(QStringLiteral("SORTTYPE")).setInteger(rec.SORTTYPE);
        bindKey(update, rec);
        update.execSQL();
    }) ? 1 : 0;
}

int TDataListKensakuBox::UpdateRecordSortField(const TDataKensakuRec& rec) {
    core::TIBTransaction& t = transaction();
    core::TIBDatabase* db = t.defaultDatabase();
    return runOnTransaction(t, QStringLiteral("TDataListKensakuBox.UpdateRecordSortField"), kUpdateFailed, [&] {
        core::TIBSQL update(db, &t);
        update.sql() << QStringLiteral("UPDATE KENSAKUJYOKEN") << QStringLiteral("SET SORTCOL=:SORTCOL,SORTTYPE=:SORTTYPE")
                     << QStringLiteral("WHERE (OPCODE=:OPCODE)AND(LISTTYPE=:LISTTYPE)");
        update.paramByName(QStringLiteral("SORTCOL")).setInteger(SortColToStored(rec.SORTCOL));
        update.paramByName(QStringLiteral("SORTTYPE")).setInteger(rec.SORTTYPE);
        bindKey(update, rec);
        update.execSQL();
    }) ? 1 : 0;
}

} // namespace selection
