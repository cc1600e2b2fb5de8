#pragma once
// What the data module needs of the company-data layer when it opens and closes a data set:
// the in-use mark in the data folder's information file and the copy of the data set's
// information into its registry row. The company-data layer installs its implementation at
// start-up; until then (and in tests that do not install one) nothing is marked.

#include <QString>

namespace core {

class DataSetMarks {
public:
    virtual ~DataSetMarks() = default;

    // The company database of the folder has just been connected: fill a data-information
    // record from it with status 2 (使用中) and the session's operator code and name, and write
    // it into the folder's information file when writeInfoFile is set.
    virtual void MarkInUse(const QString& folder, bool writeInfoFile) = 0;

    // The company database of the folder is about to be closed (still connected): fill a
    // data-information record from it with status 1; write it into the folder's information
    // file when writeInfoFile is set; copy it into the folder's registry row when updateList
    // is set.
    virtual void MarkClosed(const QString& folder, bool writeInfoFile, bool updateList) = 0;
};

// Installs the implementation (not owned) and returns the one it replaces; nullptr: none.
DataSetMarks* setDataSetMarks(DataSetMarks* marks);
DataSetMarks* dataSetMarks();

} // namespace core
