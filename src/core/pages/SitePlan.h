#pragma once

#include "core/store/DataDirectory.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace wareloom {

// One category file as the site shows it.
struct PlannedCategory
{
    // As the listing found it, with its ".dat" in whatever case; a name that
    // is not UTF-8 with its other bytes shown as \xNN.
    QString categoryFileName;
    QString name;         // the file name less its last four characters
    QString pageFileName; // "<name>.htm"; empty when the category can have no page
    QString reason;       // why it has no page; empty when it has one
    // False when the name is not UTF-8: no name of ours reaches the file.
    bool reachable = true;

    bool hasPage() const { return !pageFileName.isEmpty(); }
};

// Which page each category file of the data directory gets, or why it gets
// none: made from one listing at the start of a run and used by both page
// styles, the publish run and the site check, so that all of them agree.
// A category has no page when its page would be the main page (here or on
// a host that ignores case), when an earlier category file of the listing
// has the same name in another case of ".dat" (its twin would overwrite
// it), or when its file name is not UTF-8.
class SitePlan
{
public:
    static SitePlan make(const DataDirectory& store);

    const DataDirectory& store() const { return m_store; }
    // In the order the file system lists them; those not UTF-8 last.
    const std::vector<PlannedCategory>& categories() const { return m_categories; }
    // The category files reached by name, with a page or not.
    int reachableCount() const { return m_reachable; }
    // The pages of the categories, in the order of categories().
    QStringList pageFileNames() const;

private:
    explicit SitePlan(DataDirectory store) : m_store(std::move(store)) {}

    DataDirectory m_store;
    std::vector<PlannedCategory> m_categories;
    int m_reachable = 0;
};

} // namespace wareloom
