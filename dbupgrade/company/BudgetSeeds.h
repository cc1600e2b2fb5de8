#pragma once
// The budget seeds steps 8.0.2, 8.0.3 and 9.0.2 write after their scripts: budget-structure
// groups (KAMOKU_KOSEI_GROUP), budget/actual comparison rules per account group
// (ZEBRIK_YOJITU_HYOKARULE) and the comparison columns of KAMOKUMST. A rule is either of the
// revenue pattern (0.95 kind 0, 1.05 kind 1: below 95 % is bad) or of the cost pattern (1.05 kind
// 1, 0.95 kind 0). Each row is one statement, run by itself.

#include "core/db/IBSQL.h"

#include <QList>

namespace dbupgrade {

struct KoseiGroupRow {
    const char16_t* group;
    const char* accountCode;
};

struct HyokaRuleRow {
    const char* groupCode;
    const char16_t* caption;
    bool revenue;
};

struct AccountRuleRow {
    const char* groupM1;
    bool revenue;
};

void InsertKoseiGroups(core::TIBSQL& query, const QList<KoseiGroupRow>& rows);
void InsertHyokaRules(core::TIBSQL& query, const QList<HyokaRuleRow>& rows);
void UpdateAccountRules(core::TIBSQL& query, const QList<AccountRuleRow>& rows);

} // namespace dbupgrade
