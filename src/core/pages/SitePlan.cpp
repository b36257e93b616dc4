#include "core/pages/SitePlan.h"

#include "core/pages/CategoryPage.h"
#include "core/pages/MainPage.h"
#include "core/store/CategoryStore.h"

#include <QCoreApplication>
#include <QHash>

namespace wareloom {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SitePlan)
};

} // namespace

SitePlan SitePlan::make(const DataDirectory& store)
{
    SitePlan plan(store);
    const CategoryListing listing = listCategoryFiles(store.path());
    QHash<QString, QString> paged; // category name -> the file whose page it has
    for (const FoundCategory& category : listing.categories) {
        PlannedCategory planned{category.fileName, category.name,
                                categoryPageFileName(category.fileName), QString()};
        if (isMainPageName(planned.pageFileName)) {
            planned.reason = Texts::tr("The category %1 cannot have a page: %2 is the main "
                                       "page. Rename the file.")
                                 .arg(category.name, planned.pageFileName);
        } else if (const auto twin = paged.constFind(category.name); twin != paged.cend()) {
            planned.reason = Texts::tr("%1 and %2 would both have the page %3. Rename one of them.")
                                 .arg(twin.value(), category.fileName, planned.pageFileName);
        } else {
            paged.insert(category.name, category.fileName);
        }
        if (!planned.reason.isEmpty())
            planned.pageFileName.clear();
        plan.m_categories.push_back(std::move(planned));
    }
    plan.m_reachable = int(plan.m_categories.size());
    for (const QString& name : listing.unusableNames) {
        plan.m_categories.push_back(
            {name, name.chopped(4), QString(),
             Texts::tr("The file name %1 is not valid UTF-8, so its category cannot be "
                       "published. Rename the file.")
                 .arg(name),
             false});
    }
    return plan;
}

QStringList SitePlan::pageFileNames() const
{
    QStringList pages;
    for (const PlannedCategory& category : m_categories) {
        if (category.hasPage())
            pages << category.pageFileName;
    }
    return pages;
}

} // namespace wareloom
