#include "companydata/DataInfomationMarks.h"

#include "companydata/DataInfomation.h"
#include "core/Globals.h"
#include "platform/IniFile.h"

namespace companydata {

void DataInfomationMarks::MarkInUse(const QString& folder, bool writeInfoFile) {
    mark(folder, kDataInUse, writeInfoFile, false);
}

void DataInfomationMarks::MarkClosed(const QString& folder, bool writeInfoFile, bool updateList) {
    mark(folder, kDataNormal, writeInfoFile, updateList);
}

void DataInfomationMarks::mark(const QString& folder, quint8 status, bool writeInfoFile, bool updateList) {
    TDataInfomation info;
    info.DataPlace = core::ConnectMode;
    TDataInfomationRec rec;
    info.GetDataInfoRec(rec);
    rec.Status = status;
    if (status == kDataInUse) {
        rec.OpCode = core::SystemDef.OPCODE;
        rec.OpName = core::SystemDef.OPNAME;
    }
    if (writeInfoFile) {
        // Opening or closing a data set changes its use, not its share state: a local copy
        // taken out of its shared area stays marked as taken out.
        TDataInfomationRec onFile;
        ReadDataInfoSections(platform::TIniFile(TDataInfomation::IniFileName(folder)), onFile);
        rec.ShareStatus = onFile.ShareStatus;
        rec.ShareOpCode = onFile.ShareOpCode;
        rec.ShareOpName = onFile.ShareOpName;
        info.WriteIniFile(folder, QString(), rec);
    }
    if (updateList && UpdateDataList)
        UpdateDataList(folder, rec);
}

} // namespace companydata
