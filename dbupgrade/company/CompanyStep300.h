#pragma once
// Company steps 3.0.0 to 3.0.7, the first that append external script files: the conversion
// to generation 11 (3.0.0), the journal update routine (3.0.1), the medical account settings
// and balances (3.0.3, with the name lock of the 不動産 rent row cleared), the cash-book
// exchange (3.0.4, its trigger file only when the trigger is missing), the medical default
// accounts (3.0.6: the file for the account count, the sub-account marks of four system
// accounts and the tax-excluded opening balances of converted data) and the facility group
// totals (3.0.7, with an empty balance-row delete trigger made first when missing).

#include "dbupgrade/company/ExternalStepLists.h"

namespace dbupgrade {

int RunCompanyStep300();
int RunCompanyStep301();
// The lines 3.0.3 writes before its files (individual 不動産 data only).
QStringList CompanyStep303Lines(const CompanyDataKind& kind);
int RunCompanyStep303();

// Whether the company database has the trigger (asked on the query).
bool TriggerExists(core::TIBSQL& query, const QString& triggerName);

// The work of each step before its script, committed; a database error propagates after the
// database has been closed.
StepFacts PrepareCompanyStep304();
StepFacts PrepareCompanyStep306();
void PrepareCompanyStep307();

// The period column just before the start month in the 16-column year.
int PeriodBeforeStartMonth(int startMonth);

int RunCompanyStep304();
int RunCompanyStep306();
int RunCompanyStep307();

} // namespace dbupgrade
