#include "core/dm/TDM.h"

#include "core/Exception.h"
#include "core/Globals.h"
#include "core/fileops/FileOperations.h"

#include <QVariant>

namespace core {

namespace {

const QStringList kReadCommitted{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                 QStringLiteral("nowait")};
const QStringList kSnapshot{QStringLiteral("concurrency"), QStringLiteral("nowait")};

void setUp(TIBTransaction& transaction, TIBDatabase& database, const QStringList& params) {
    transaction.setDefaultDatabase(&database);
    transaction.params() = params;
}

} // namespace

TDM::TDM(QObject* owner)
    : QObject(owner), IBQSysDefGet(&IBDatabaseDEF, &IBTransactionDEF), IBQSysDefPut(&IBDatabaseDEF, &IBTransactionDEF),
      QueryDef(&IBDatabaseDEF, &IBTransactionDEF), IBSQLDEF(&IBDatabaseDEF, &IBTransactionDEF),
      IBQACC1(&IBDatabaseDAT, &IBTransactionDAT), IBQACC2(&IBDatabaseDAT, &IBTransactionDAT),
      IBQueryFileMan(&IBFileMan, &IBTransFileMan), IBSQLFileMan(&IBFileMan, &IBTransFileMan) {
    setUp(IBTransactionDEF, IBDatabaseDEF, kReadCommitted);
    setUp(IBTransactionDAT, IBDatabaseDAT, kReadCommitted);
    setUp(IBTransactionDATSS, IBDatabaseDAT, kSnapshot);
    setUp(IBTransFileMan, IBFileMan, kReadCommitted);
    for (TIBDatabase* db : {&IBDatabaseDEF, &IBDatabaseDAT, &IBFileMan}) {
        db->setLoginPrompt(false);
        db->setSQLDialect(3);
    }
    IBValidationService1.setLoginPrompt(false);
    for (QTimer* timer : {&TimerFormClose, &TimerSyoriKidou}) {
        timer->setInterval(100);
        timer->stop();
    }
}

TDM::~TDM() {
    if (DM == this)
        DM = nullptr;
}

TDM& RequireDM() {
    if (!DM)
        throw Exception(QStringLiteral("データモジュールが作成されていません。"));
    return *DM;
}

bool TDM::FExist(const QString& path, int connectMode) {
    return fileops::FExist(*this, path, connectMode);
}

// In the server modes the answer is known without asking: our server's LONGTOSHORTFILENAME
// gives the path itself. AccDatInConnection asks this for every attachment of the server, and
// that question must not depend on a connection to the system database.
QString TDM::LongToShortFileName(const QString& path, int connectMode) {
    if (connectMode == 1 || connectMode == 2)
        return path;
    return fileops::LongToShortFileName(*this, path, connectMode);
}

int TDM::CallDataCheckHook(const QString& host, const QString& folder, int force, int quiet) {
    if ((force != 1 && SystemDef.DataCheck != 1) || !DataCheckHook)
        return 1;
    QVariant result;
    DataCheckHook(host, folder, quiet, result);
    return result.toInt();
}

} // namespace core
