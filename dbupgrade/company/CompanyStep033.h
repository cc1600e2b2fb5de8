#pragma once
// Company step 0.3.3: the capital carry-over of individual data (SP_MOTOIREKIN_KURIIRE), the
// comparison columns of the management analysis on KAMOKUMST, the comparison tables with their
// default rows, and the accounts' default ratios by the data's kind.

#include "dbupgrade/runner/UpdateScript.h"

namespace dbupgrade {

// The account set whose default ratios the step writes: A corporations, B individual general
// and medical data, C individual real estate; none for clinics and farming.
enum class ZebrikAccountSet { A, B, C, None };

ZebrikAccountSet ZebrikAccountSetOf(int dataType, int codeType);

// One UPDATE of KAMOKUMST per ratio rule of the set, over the data's accounts in the set's code
// range; the readings (KKANA) are left as the operator keeps them.
QStringList ZebrikRatioUpdates(ZebrikAccountSet set);

UpdateScript BuildCompanyStep033Script(ZebrikAccountSet set);
int RunCompanyStep033();

} // namespace dbupgrade
