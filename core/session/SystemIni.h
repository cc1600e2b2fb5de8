#pragma once
// One row of SYSTEMINI, the program-wide settings of the system database. Rows in use: 10 the
// office information (SSTR: NAME=, JYUSHO=, TEL= lines), 20 (RESERVE1 1: every operator is an
// administrator).

#include <QString>
#include <QtGlobal>

namespace core {

struct TSystemIniRec {
    qint32 REC = 0;
    qint32 RESERVE1 = 0;
    qint32 RESERVE2 = 0;
    qint32 RESERVE3 = 0;
    qint32 RESERVE4 = 0;
    qint32 RESERVE5 = 0;
    QString SSTR;
};

} // namespace core
