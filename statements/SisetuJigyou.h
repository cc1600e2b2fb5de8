#pragma once
// Facilities of a medical corporation by business kind (SISETUMST.MB_JIGYOU): the business kind
// of one facility, the departments of a department group within a facility, and the sort keys
// that hide the total lines of business kinds no facility has. Every query runs on the company
// database's snapshot transaction (the trial-balance read's); none handles errors itself, so a
// database error reaches the read's handler.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace statements {

// Business kinds: bits 1, 2, 4, 8 for one business, 16 the total lines of the whole
// corporation, 0 and 255 the whole corporation.
enum : qint32 { MbJigyouOther = 1, MbJigyouHomon = 2, MbJigyouRoken = 4, MbJigyouByoin = 8, MbJigyouAll = 16 };

// Grouping of the accounts for a business kind: 1 by GROUPM1/GROUPM2 (kinds 0, 1, 8, 16, 255),
// 2 by GROUPR1/GROUPR2 (kinds 2 and 4). Any other kind gives 1 with known set to false.
int MbLayoutOfJigyou(qint32 jigyou, bool* known = nullptr);

// MB_JIGYOU of the facility; 0 when it does not exist.
qint32 GetSisetuJigyou(const QString& SCODE);

// Clears the list and adds, in the order the database returns them, the departments of the
// department group that belong to the facility.
void GetSisetuGroupBumonList(QStringList& list, const QString& SCODE, const QString& groupCode);

// The sort key unchanged when some facility has the business kind, else the hidden key "ﾟ".
QString CountSisetuByJigyou(qint32 jigyou, const QString& sortKey);
// The same among the facilities of a facility group.
QString CountGroupSisetuByJigyou(qint32 jigyou, const QString& groupCode, const QString& sortKey);

} // namespace statements
