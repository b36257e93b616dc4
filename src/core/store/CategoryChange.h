#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace wareloom {

// One change of one category file as the window made it: the file's bytes
// before and after (none: no file), so that it can be taken back and made
// again exactly.
struct CategoryChange
{
    QString fileName; // in the data directory, with its ".dat" as found
    QString categoryName;
    std::optional<QByteArray> before;
    std::optional<QByteArray> after;
    QString action; // "Delete Item 'Rake'"
};

} // namespace wareloom
