#include "core/store/RecordTable.h"

namespace wareloom {

RecordTable& recordTable()
{
    static RecordTable table;
    return table;
}

} // namespace wareloom
