#include "core/dm/DataSetMarks.h"

#include <utility>

namespace core {

namespace {
DataSetMarks* installedMarks = nullptr;
}

DataSetMarks* setDataSetMarks(DataSetMarks* marks) {
    return std::exchange(installedMarks, marks);
}

DataSetMarks* dataSetMarks() {
    return installedMarks;
}

} // namespace core
