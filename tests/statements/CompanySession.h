#pragma once
// The data module of a statements test: a TDM connected to one company database file as its
// company database, the session records the statements read (AccInf, SystemDef) and a
// recording message service; the globals are put back when the session ends.

#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "tests/support/RecordingMessageService.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace statementstest {

class CompanySession {
public:
    explicit CompanySession(const QString& companyFile);
    ~CompanySession();
    CompanySession(const CompanySession&) = delete;
    CompanySession& operator=(const CompanySession&) = delete;

    core::TDM dm;
    testsupport::RecordingMessageService messages;

private:
    core::TSystemDef systemDef_;
    core::TACCINF accInf_;
    core::TDM* previousDm_;
    bool fatal_;
    QTemporaryDir logs_;
    std::unique_ptr<testsupport::ScopedMessageService> scopedMessages_;
};

// The total lines of the ordinary layout that the tests read (ARRAYNUM, KGROUP, caption, kind).
void insertOrdinaryTotalNames(core::TIBDatabase& db);

// Adds to the ordinary company of TrialBalanceCompany.h: its total lines; 普通預金 "1102"
// (group 1110, statement line 1 beside 現金) with the opening 77 in department 02 only, against 資本金 77 there, so that the
// members of group G1 return different accounts; and an empty account "X1" of group "5300"
// with the two-character user code "53".
void extendOrdinaryCompany(core::TIBDatabase& db);

} // namespace statementstest
