#pragma once
// The default template of the cash-flow statement: the lines of CASHFMST in both layouts
// (1 = indirect method, from the profit before tax; 0 = direct method) and, in CASHFMKU,
// the accounts that feed each line with their sign and kind of amount. Several steps write it.

#include <QString>
#include <QStringList>
#include <vector>

namespace dbupgrade {

struct CashFlowLine {
    int rec = 0;   // CM_REC
    int kind = 0;  // CM_KIND
    int group = 0; // CM_GROUP
    int order = 0; // CM_ORDER
    int del = 0;   // CM_DEL
    int mku = 0;   // CM_MKU
    int margin = 0;
    QString caption; // as stored (Roman numerals in full-width letters)
};

struct CashFlowAccount {
    int rec = 0;     // CF_REC
    int lineRec = 0; // CM_REC
    QChar sign;      // '+' or '-'
    QString kcode;
    int amountKind = 0; // CF_CTYPE
};

struct CashFlowTemplate {
    std::vector<CashFlowLine> lines;       // layout 1, then layout 0
    std::vector<CashFlowAccount> accounts; // layout 1's lines, then layout 0's
};

const CashFlowTemplate& DefaultCashFlowTemplate();

// One INSERT per row: layout 1's lines, their accounts, layout 0's lines, their accounts.
QStringList CashFlowTemplateInserts();

} // namespace dbupgrade
